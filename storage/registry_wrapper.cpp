#include "storage/registry_wrapper.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QLocale>

#include "platform/registry_store.h"

namespace talvair::storage {

using platform::RegistryStore;
using platform::RegistryValue;

namespace {

constexpr char kNoDescription[] = "Application-defined or object-defined error";

// A variant as text, the way the stored texts were always written.
QString TextOfVariant(const QVariant& value) {
  switch (value.typeId()) {
    case QMetaType::UnknownType:
      return QString();
    case QMetaType::Bool:
      return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::Double:
    case QMetaType::Float: {
      QLocale locale;
      locale.setNumberOptions(QLocale::OmitGroupSeparator);
      return locale.toString(value.toDouble(), 'g', 15);
    }
    case QMetaType::QDateTime:
      return QLocale().toString(value.toDateTime(), QLocale::ShortFormat);
    case QMetaType::QDate:
      return QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case QMetaType::QByteArray:
      return QString::fromUtf8(value.toByteArray());
    default:
      return value.toString();
  }
}

// Text data ends in a NUL that is not part of the text.
QString TextOfData(const QByteArray& data) {
  QByteArray bytes = data;
  if (bytes.endsWith('\0')) bytes.chop(1);
  return QString::fromUtf8(bytes);
}

std::uint32_t LittleEndianOf(const QByteArray& data) {
  std::uint32_t value = 0;
  for (qsizetype i = 0; i < 4 && i < data.size(); ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(data[i])) << (8 * i);
  }
  return value;
}

QByteArray LittleEndianBytes(std::uint32_t value) {
  QByteArray bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// A "%" and another one at least two characters further on: an environment reference.
bool HasEnvReference(const QString& text) {
  const qsizetype first = text.indexOf(u'%');
  return first >= 0 && text.indexOf(u'%', first + 2) >= 0;
}

QString QuotedPath(const QString& exePath) {
  QString path = exePath.trimmed();
  if (!path.startsWith(u'"')) path.prepend(u'"');
  if (!path.endsWith(u'"')) path.append(u'"');
  return path;
}

}  // namespace

RegistryError::RegistryError(std::int32_t number, QString source, QString description, int status)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      status_(status),
      what_(description_.toUtf8()) {}

QString cRegistry::ErrorSource() {
  QString exeName = QStringLiteral("talvair");
  if (QCoreApplication::instance() != nullptr) {
    exeName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
  }
  return exeName + QStringLiteral(".cRegistry");
}

void cRegistry::Raise(std::int32_t number, const QString& description) const {
  throw RegistryError(number, ErrorSource(), description, lastStatus_);
}

QString cRegistry::SetValueText(const QVariant& vValue) const {
  return QStringLiteral("Failed to set registry value Key: '") + QString::number(classKey_) +
         QStringLiteral("',Section: '") + sectionKey_ + QStringLiteral("',Key: '") + valueKey_ +
         QStringLiteral("' to value: '") + TextOfVariant(vValue) + u'\'';
}

std::uint32_t cRegistry::SwapEndian(std::uint32_t value) {
  return ((value & 0xFFu) << 24) | ((value & 0xFF00u) << 8) | ((value >> 8) & 0xFF00u) |
         (value >> 24);
}

QString cRegistry::ExpandEnvStr(const QString& text) {
  QString out;
  qsizetype i = 0;
  while (i < text.size()) {
    if (text[i] != u'%') {
      out += text[i++];
      continue;
    }
    const qsizetype close = text.indexOf(u'%', i + 1);
    if (close < 0) {
      out += text.mid(i);
      break;
    }
    const QString name = text.mid(i + 1, close - i - 1);
    const QByteArray variable = name.toLocal8Bit();
    if (!name.isEmpty() && qEnvironmentVariableIsSet(variable.constData())) {
      out += qEnvironmentVariable(variable.constData());
      i = close + 1;
    } else {
      // Not a reference: keep it, and let its closing "%" open the next one.
      out += u'%' + name;
      i = close;
    }
  }
  return out;
}

bool cRegistry::KeyExists() {
  lastStatus_ = RegistryStore().KeyExists(classKey_, sectionKey_);
  return lastStatus_ == platform::kRegSuccess;
}

bool cRegistry::CreateKey() {
  lastStatus_ = RegistryStore().CreateKey(classKey_, sectionKey_);
  if (lastStatus_ != platform::kRegSuccess) {
    Raise(kRegistryError, QStringLiteral("Failed to create registry Key: '") + sectionKey_);
  }
  return true;
}

bool cRegistry::DeleteKey() {
  lastStatus_ = RegistryStore().DeleteKey(classKey_, sectionKey_);
  if (lastStatus_ != platform::kRegSuccess) {
    Raise(kRegistryError, QStringLiteral("Failed to delete registry Key: '") +
                              QString::number(classKey_) + QStringLiteral("',Section: '") +
                              sectionKey_);
  }
  return true;
}

bool cRegistry::DeleteValue() {
  RegistryStore store;
  lastStatus_ = store.KeyExists(classKey_, sectionKey_);
  if (lastStatus_ != platform::kRegSuccess) {
    Raise(kRegistryError, QStringLiteral("Failed to open key '") + QString::number(classKey_) +
                              QStringLiteral("',Section: '") + sectionKey_ +
                              QStringLiteral("' for delete access"));
  }
  lastStatus_ = store.DeleteValue(classKey_, sectionKey_, valueKey_);
  if (lastStatus_ != platform::kRegSuccess) {
    Raise(kRegistryError, QStringLiteral("Failed to delete registry Key: '") +
                              QString::number(classKey_) + QStringLiteral("',Section: '") +
                              sectionKey_ + QStringLiteral("',Key: '") + valueKey_);
  }
  return true;
}

QVariant cRegistry::Value() {
  RegistryValue stored;
  lastStatus_ = RegistryStore().QueryValue(classKey_, sectionKey_, valueKey_, &stored);
  if (lastStatus_ != platform::kRegSuccess) return default_;
  valueType_ = stored.type;
  switch (stored.type) {
    case platform::kRegSz:
    case platform::kRegMultiSz:
      return TextOfData(stored.data);
    case platform::kRegExpandSz:
      return ExpandEnvStr(TextOfData(stored.data));
    case platform::kRegDword:
      return QVariant(static_cast<qint32>(LittleEndianOf(stored.data)));
    case platform::kRegDwordBigEndian:
      return QVariant(static_cast<qint32>(SwapEndian(LittleEndianOf(stored.data))));
    default:
      return stored.data;
  }
}

void cRegistry::SetValue(const QVariant& vValue) {
  RegistryStore store;
  lastStatus_ = store.CreateKey(classKey_, sectionKey_);
  if (lastStatus_ != platform::kRegSuccess) Raise(kRegistryError, SetValueText(vValue));

  RegistryValue value;
  switch (valueType_) {
    case platform::kRegSz:
    case platform::kRegExpandSz: {
      // The stored type follows the text, whatever the property says.
      const QString text = TextOfVariant(vValue);
      value.type = HasEnvReference(text) ? platform::kRegExpandSz : platform::kRegSz;
      value.data = text.toUtf8() + '\0';
      lastStatus_ = store.SetValue(classKey_, sectionKey_, valueKey_, value);
      break;
    }
    case platform::kRegBinary:
      if (vValue.typeId() != QMetaType::QByteArray) Raise(kRegistryError, kNoDescription);
      value.type = platform::kRegBinary;
      value.data = vValue.toByteArray();
      lastStatus_ = store.SetValue(classKey_, sectionKey_, valueKey_, value);
      break;
    case platform::kRegDword:
    case platform::kRegDwordBigEndian:
      // Only whole numbers of 16 or 32 bits are written; anything else is quietly dropped.
      if (vValue.typeId() != QMetaType::Short && vValue.typeId() != QMetaType::Int) return;
      value.type = platform::kRegDword;
      value.data = LittleEndianBytes(static_cast<std::uint32_t>(vValue.toInt()));
      lastStatus_ = store.SetValue(classKey_, sectionKey_, valueKey_, value);
      break;
    default:
      lastStatus_ = platform::kRegInvalidData;
      break;
  }
  if (lastStatus_ != platform::kRegSuccess) Raise(kRegistrySetValueError, SetValueText(vValue));
}

bool cRegistry::EnumerateValues(QStringList& sKeyNames, std::int32_t& iKeyCount) {
  lastStatus_ = RegistryStore().EnumValues(classKey_, sectionKey_, &sKeyNames);
  iKeyCount = static_cast<std::int32_t>(sKeyNames.size());
  return true;
}

bool cRegistry::EnumerateSections(QStringList& sSect, std::int32_t& iSectCount) {
  lastStatus_ = RegistryStore().EnumKeys(classKey_, sectionKey_, &sSect);
  iSectCount = static_cast<std::int32_t>(sSect.size());
  return true;
}

void cRegistry::CreateEXEAssociation(const QString& sExePath, const QString& sClassName,
                                     const QString& sClassDescription, const QString& sAssociation,
                                     const QString& sOpenMenuText, bool bSupportPrint,
                                     const QString& sPrintMenuText, bool bSupportNew,
                                     const QString& sNewMenuText, bool bSupportInstall,
                                     const QString& sInstallMenuText,
                                     std::int32_t lDefaultIconIndex) {
  const QString path = QuotedPath(sExePath);
  const QString document = QStringLiteral("\"%1\"");
  auto write = [this](const QString& section, const QString& text) {
    SetClassKey(platform::kHkeyClassesRoot);
    SetSectionKey(section);
    SetValueKey(QString());
    SetValueType(platform::kRegSz);
    SetValue(text);
  };
  auto orDefault = [](const QString& text, const QString& fallback) {
    return text.isEmpty() ? fallback : text;
  };
  const QString shell = sClassName + QStringLiteral("\\shell\\");

  write(u'.' + sAssociation, sClassName);
  write(sClassName, sClassDescription);
  write(shell + QStringLiteral("open"), orDefault(sOpenMenuText, QStringLiteral("&Open")));
  write(shell + QStringLiteral("open\\command"), path + u' ' + document);
  if (bSupportPrint) {
    write(shell + QStringLiteral("print"), orDefault(sPrintMenuText, QStringLiteral("&Print")));
    write(shell + QStringLiteral("print\\command"), path + QStringLiteral(" /p ") + document);
  }
  if (bSupportInstall) {
    write(shell + QStringLiteral("add"),
          orDefault(sInstallMenuText, QStringLiteral("&Install ") + sAssociation));
    write(shell + QStringLiteral("add\\command"), path + QStringLiteral(" /a ") + document);
  }
  if (bSupportNew) {
    write(shell + QStringLiteral("new"), orDefault(sNewMenuText, QStringLiteral("&New")));
    write(shell + QStringLiteral("new\\command"), path + QStringLiteral(" /n ") + document);
  }
  if (lDefaultIconIndex > -1) {
    write(sClassName + QStringLiteral("\\DefaultIcon"),
          path + u',' + QString::number(lDefaultIconIndex));
  }
}

void cRegistry::CreateAdditionalEXEAssociations(const QString& sClassName,
                                                const QVariantList& vItems) {
  if (vItems.size() % 3 != 0) {
    Raise(kRegistryBadAssociationList,
          QStringLiteral("Invalid parameter list passed to CreateAdditionalEXEAssociations - "
                         "expected Name/Text/Command"));
  }
  SetSectionKey(sClassName);
  if (!KeyExists()) {
    Raise(kRegistryNoAssociationClass,
          QStringLiteral("Error - attempt to create additional associations before class "
                         "defined."));
  }
  for (qsizetype i = 0; i < vItems.size(); i += 3) {
    const QString verb = sClassName + QStringLiteral("\\shell\\") + TextOfVariant(vItems[i]);
    SetValueKey(QString());
    SetValueType(platform::kRegSz);
    SetSectionKey(verb);
    SetValue(vItems[i + 1]);
    SetSectionKey(verb + QStringLiteral("\\command"));
    SetValue(vItems[i + 2]);
  }
}

}  // namespace talvair::storage
