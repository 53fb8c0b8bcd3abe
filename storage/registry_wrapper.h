// cRegistry: set the root key, the key path, the value name and (for a write) the type,
// then call one operation. Each operation opens what it needs and is done when it returns;
// failures are thrown as RegistryError with the numbers and texts callers expect.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <exception>

namespace talvair::storage {

// Error numbers raised by the wrapper.
inline constexpr std::int32_t kRegistryError = 26001;
// The object-error base 0x80040000 plus 1048 plus 26001, 26004 and 26005.
inline constexpr std::int32_t kRegistrySetValueError = static_cast<std::int32_t>(0x800469A9u);
inline constexpr std::int32_t kRegistryBadAssociationList = static_cast<std::int32_t>(0x800469ACu);
inline constexpr std::int32_t kRegistryNoAssociationClass = static_cast<std::int32_t>(0x800469ADu);

class RegistryError : public std::exception {
 public:
  RegistryError(std::int32_t number, QString source, QString description, int status = 0);
  std::int32_t Number() const { return number_; }
  // The store's status behind the failure (a platform kReg... code), 0 when none.
  int Status() const { return status_; }
  // The executable's name followed by ".cRegistry".
  const QString& Source() const { return source_; }
  const QString& Description() const { return description_; }
  const char* what() const noexcept override { return what_.constData(); }

 private:
  std::int32_t number_;
  QString source_;
  QString description_;
  int status_;
  QByteArray what_;
};

class cRegistry {
 public:
  // True when ClassKey\SectionKey can be opened. Never throws.
  bool KeyExists();
  // Creates the key, or opens it when present; true, or throws.
  bool CreateKey();
  // Deletes the key SectionKey; true, or throws.
  bool DeleteKey();
  // Deletes the value ValueKey of the key; true, or throws.
  bool DeleteValue();

  // Reads ValueKey converted by its stored type: QString for the text types (expanded for
  // REG_EXPAND_SZ), qint32 for the DWORD types, QByteArray for anything else. Sets ValueType
  // to the stored type. When the value cannot be read: Default, and ValueType unchanged.
  // Never throws.
  QVariant Value();
  // Writes vValue as ValueKey by ValueType, creating the key when missing; throws on failure.
  void SetValue(const QVariant& vValue);

  // Names of the key's values and subkeys (0-based lists; the counts equal their sizes).
  // Always true; an unopenable key gives none.
  bool EnumerateValues(QStringList& sKeyNames, std::int32_t& iKeyCount);
  bool EnumerateSections(QStringList& sSect, std::int32_t& iSectCount);

  // Registers a file type for an executable under HKEY_CLASSES_ROOT.
  void CreateEXEAssociation(const QString& sExePath, const QString& sClassName,
                            const QString& sClassDescription, const QString& sAssociation,
                            const QString& sOpenMenuText = QString(), bool bSupportPrint = false,
                            const QString& sPrintMenuText = QString(), bool bSupportNew = false,
                            const QString& sNewMenuText = QString(), bool bSupportInstall = false,
                            const QString& sInstallMenuText = QString(),
                            std::int32_t lDefaultIconIndex = -1);
  // Adds shell verbs to a registered file type: items in threes (verb, menu text, command).
  void CreateAdditionalEXEAssociations(const QString& sClassName, const QVariantList& vItems);

  std::int32_t ValueType() const { return valueType_; }
  void SetValueType(std::int32_t eValueType) { valueType_ = eValueType; }
  std::int32_t ClassKey() const { return classKey_; }
  void SetClassKey(std::int32_t eKey) { classKey_ = eKey; }
  const QString& SectionKey() const { return sectionKey_; }
  void SetSectionKey(const QString& sSectionKey) { sectionKey_ = sSectionKey; }
  const QString& ValueKey() const { return valueKey_; }
  void SetValueKey(const QString& sValueKey) { valueKey_ = sValueKey; }
  const QVariant& Default() const { return default_; }
  void SetDefault(const QVariant& vDefault) { default_ = vDefault; }

  // Status of the store behind the last operation (a platform kReg... code), so that a
  // caller can tell an unreadable store from a missing key.
  int LastStatus() const { return lastStatus_; }

  // The text with its %NAME% references to environment variables expanded; a reference to
  // an unset variable stays as it is.
  static QString ExpandEnvStr(const QString& text);

  // The source every error carries: the executable's name followed by ".cRegistry".
  static QString ErrorSource();

 private:
  static std::uint32_t SwapEndian(std::uint32_t value);
  [[noreturn]] void Raise(std::int32_t number, const QString& description) const;
  QString SetValueText(const QVariant& vValue) const;

  std::int32_t classKey_ = 0;
  QString sectionKey_;
  QString valueKey_;
  std::int32_t valueType_ = 0;
  QVariant default_;
  int lastStatus_ = 0;
};

}  // namespace talvair::storage
