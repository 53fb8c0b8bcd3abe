#include "storage/settings_store.h"

#include <QLocale>
#include <QTimeZone>

#include "model/language.h"
#include "platform/registry_store.h"

namespace talvair::storage {

namespace {

// The same number heads every saved-game file.
constexpr int kSettingsVersion = 21;
// Run options are forgotten after this many clock hours.
constexpr qint64 kRunOptionsLifeHours = 12;

constexpr char kLanguageSection[] = "\\Language";
constexpr char kCurrencySection[] = "\\Currency";
constexpr char kAutoSaveSection[] = "\\AutoSave";
constexpr char kSurveyLinksSection[] = "\\SurveyLinks";
constexpr char kOptionsSection[] = "\\Options";

std::function<QDateTime()> g_clock;

QDateTime Now() { return g_clock ? g_clock() : QDateTime::currentDateTime(); }

// One wrapper for the whole process, set afresh by every procedure.
cRegistry& Registry() {
  static cRegistry registry;
  return registry;
}

cRegistry& PointAt(const char* section, const char* valueName) {
  cRegistry& registry = Registry();
  registry.SetClassKey(platform::kHkeyCurrentUser);
  registry.SetSectionKey(SettingsRootKey() + QLatin1String(section));
  registry.SetValueKey(QLatin1String(valueName));
  return registry;
}

void WriteText(cRegistry& registry, const char* valueName, const QString& text) {
  registry.SetValueKey(QLatin1String(valueName));
  registry.CreateKey();
  registry.SetValueType(platform::kRegSz);
  registry.SetValue(text);
}

void DeleteSectionIfPresent(const char* section, const char* valueName) {
  cRegistry& registry = PointAt(section, valueName);
  if (registry.KeyExists()) registry.DeleteKey();
}

template <typename Body>
SettingsError Trapped(Body body) {
  try {
    body();
  } catch (const RegistryError& error) {
    return error;
  }
  return std::nullopt;
}

// The stored text; nothing when the section is missing or the store cannot be read.
std::optional<QString> ReadText(const char* section, const char* valueName) {
  cRegistry& registry = PointAt(section, valueName);
  if (!registry.KeyExists()) return std::nullopt;
  const QVariant value = registry.Value();
  if (!value.isValid()) return std::nullopt;
  return value.toString();
}

bool IsLanguageCode(const std::string& code) {
  return code == "English" || code == "Spanish" || code == "Port";
}

// The locale's short date and time, with the full year so that it reads back unambiguously.
QString LastUsedFormat() {
  QString format = QLocale::system().dateTimeFormat(QLocale::ShortFormat);
  if (!format.contains(QStringLiteral("yyyy"))) {
    format.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
  }
  return format;
}

QDateTime ParseLastUsed(const QString& text) {
  QDateTime time = QLocale::system().toDateTime(text, LastUsedFormat());
  if (!time.isValid()) time = QDateTime::fromString(text, Qt::ISODate);
  return time;
}

// Clock hours crossed from one time to the other: 10:59 to 11:00 counts one.
qint64 HourBoundaries(const QDateTime& from, const QDateTime& to) {
  auto hourNumber = [](const QDateTime& time) {
    const QDateTime onTheHour(time.date(), QTime(time.time().hour(), 0), QTimeZone::utc());
    return onTheHour.toSecsSinceEpoch() / 3600;
  };
  return hourNumber(to) - hourNumber(from);
}

}  // namespace

QString SettingsRootKey() {
  return QStringLiteral("Software\\Corvanta\\") + QString::number(kSettingsVersion);
}

void LanguageCheck() {
  const std::optional<QString> stored = ReadText(kLanguageSection, "Language");
  const std::string code = stored ? stored->toStdString() : std::string();
  // An empty or unknown code would leave the player with no choice offered; ask again.
  LanguageSaved = IsLanguageCode(code);
  CurrentLanguage = LanguageSaved ? code : std::string("English");
}

SettingsError LanguageWrite() {
  return Trapped([] {
    WriteText(PointAt(kLanguageSection, "Language"), "Language",
              QString::fromStdString(CurrentLanguage));
  });
}

SettingsError LanguageDelete() {
  return Trapped([] {
    DeleteSectionIfPresent(kLanguageSection, "Language");
    DeleteSectionIfPresent(kCurrencySection, "Currency");
  });
}

SettingsError AdvancedOptionsWrite(const QString& sPath, const QString& sBaseName) {
  return Trapped([&] {
    cRegistry& registry = PointAt(kAutoSaveSection, "Path");
    WriteText(registry, "Path", sPath);
    WriteText(registry, "BaseName", sBaseName);
    WriteText(registry, "RunNumber", QStringLiteral("0"));
  });
}

SettingsError AdvancedOptionsUpdateRunNumber() {
  return Trapped([] {
    WriteText(PointAt(kAutoSaveSection, "RunNumber"), "RunNumber",
              QString::number(AutoSaveRunNumber));
  });
}

std::optional<QString> AdvancedOptionsReadPath() { return ReadText(kAutoSaveSection, "Path"); }

std::optional<QString> AdvancedOptionsReadBaseName() {
  return ReadText(kAutoSaveSection, "BaseName");
}

std::optional<QString> AdvancedOptionsReadRunNumber() {
  return ReadText(kAutoSaveSection, "RunNumber");
}

SettingsError SurveyLinksPathWrite(const QString& sPath) {
  return Trapped([&] { WriteText(PointAt(kSurveyLinksSection, "Path"), "Path", sPath); });
}

std::optional<QString> SurveyLinksPathRead() { return ReadText(kSurveyLinksSection, "Path"); }

SettingsError CurrencyWrite() {
  return Trapped(
      [] { WriteText(PointAt(kCurrencySection, "Currency"), "Currency", CurrencyName); });
}

void CurrencyCheck() {
  cRegistry& registry = PointAt(kCurrencySection, "Currency");
  if (registry.KeyExists()) CurrencyName = registry.Value().toString();
}

SettingsError RunOptionsDelete() {
  return Trapped([] { DeleteSectionIfPresent(kOptionsSection, "Options"); });
}

SettingsError RunOptionsRead() {
  return Trapped([] {
    cRegistry& registry = PointAt(kOptionsSection, "LastUsed");
    if (!registry.KeyExists()) return;
    const QDateTime lastUsed = ParseLastUsed(registry.Value().toString());
    // A time that cannot be read back counts as long ago.
    if (!lastUsed.isValid() || HourBoundaries(lastUsed, Now()) > kRunOptionsLifeHours) {
      DeleteSectionIfPresent(kOptionsSection, "Options");
    }
    cRegistry& options = PointAt(kOptionsSection, "Options");
    if (options.KeyExists()) {
      RunOptions = options.Value().toString();
      RunOptionsSaved = true;
    } else {
      RunOptionsSaved = false;
      RunOptions = QStringLiteral("ShowRes");
    }
  });
}

SettingsError RunOptionsWrite() {
  return Trapped([] {
    cRegistry& registry = PointAt(kOptionsSection, "Options");
    WriteText(registry, "Options", RunOptions);
    WriteText(registry, "LastUsed", QLocale::system().toString(Now(), LastUsedFormat()));
  });
}

void SetSettingsClock(std::function<QDateTime()> clock) { g_clock = std::move(clock); }

QString MidW(const QString& text, int start, int length) {
  if (start < 1 || length < 0) return QString();
  const QByteArray bytes = text.toLocal8Bit();
  return QString::fromLocal8Bit(
      bytes.mid(2 * static_cast<qsizetype>(start - 1), 2 * static_cast<qsizetype>(length)));
}

}  // namespace talvair::storage
