#include "storage/settings_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "model/language.h"
#include "platform/registry_store.h"

namespace talvair::storage {
namespace {

using platform::kHkeyCurrentUser;
using platform::RegistryStore;
using platform::RegistryValue;

const QString kLanguageKey = "Software\\Corvanta\\21\\Language";
const QString kCurrencyKey = "Software\\Corvanta\\21\\Currency";
const QString kAutoSaveKey = "Software\\Corvanta\\21\\AutoSave";
const QString kOptionsKey = "Software\\Corvanta\\21\\Options";

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    RegistryStore::SetFolder(dir_.path());
    CurrentLanguage = "Port";
    LanguageSaved = true;
  }
  void TearDown() override {
    RegistryStore::SetFolder(QString());
    SetSettingsClock(nullptr);
  }

  static void StoreText(const QString& key, const QString& name, const QByteArray& data) {
    RegistryStore store;
    ASSERT_EQ(store.CreateKey(kHkeyCurrentUser, key), platform::kRegSuccess);
    ASSERT_EQ(store.SetValue(kHkeyCurrentUser, key, name, {platform::kRegSz, data}),
              platform::kRegSuccess);
  }
  static RegistryValue Stored(const QString& key, const QString& name) {
    RegistryValue value;
    RegistryStore().QueryValue(kHkeyCurrentUser, key, name, &value);
    return value;
  }
  static bool Exists(const QString& key) {
    return RegistryStore().KeyExists(kHkeyCurrentUser, key) == platform::kRegSuccess;
  }

  QTemporaryDir dir_;
};

TEST_F(SettingsStoreTest, NoStoredLanguageMeansEnglishNotSaved) {
  LanguageCheck();
  EXPECT_EQ(CurrentLanguage, "English");
  EXPECT_FALSE(LanguageSaved);
}

TEST_F(SettingsStoreTest, WrittenLanguageIsStoredAsTextAndReadBack) {
  CurrentLanguage = "Spanish";
  EXPECT_FALSE(LanguageWrite());
  const RegistryValue stored = Stored(kLanguageKey, "Language");
  EXPECT_EQ(stored.type, platform::kRegSz);
  EXPECT_EQ(stored.data, QByteArray("Spanish", 8));

  CurrentLanguage = "English";
  LanguageSaved = false;
  LanguageCheck();
  EXPECT_EQ(CurrentLanguage, "Spanish");
  EXPECT_TRUE(LanguageSaved);
}

TEST_F(SettingsStoreTest, OnlyTheThreeExactCodesCountAsStored) {
  const struct {
    QByteArray stored;
    std::string language;
    bool saved;
  } cases[] = {
      {QByteArray("English", 8), "English", true},
      {QByteArray("Port", 5), "Port", true},
      {QByteArray("", 1), "English", false},
      {QByteArray(), "English", false},
      {QByteArray("spanish", 8), "English", false},
      {QByteArray("Port ", 6), "English", false},
      {QByteArray("Portuguese", 11), "English", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored.toStdString());
    StoreText(kLanguageKey, "Language", c.stored);
    CurrentLanguage = "Port";
    LanguageCheck();
    EXPECT_EQ(CurrentLanguage, c.language);
    EXPECT_EQ(LanguageSaved, c.saved);
  }
}

TEST_F(SettingsStoreTest, LanguageSectionWithoutValueCountsAsNotStored) {
  RegistryStore().CreateKey(kHkeyCurrentUser, kLanguageKey);
  LanguageCheck();
  EXPECT_EQ(CurrentLanguage, "English");
  EXPECT_FALSE(LanguageSaved);
}

TEST_F(SettingsStoreTest, LanguageDeleteRemovesWhateverExists) {
  EXPECT_FALSE(LanguageDelete());  // nothing there: nothing happens

  StoreText(kCurrencyKey, "Currency", QByteArray("$", 2));
  EXPECT_FALSE(LanguageDelete());
  EXPECT_FALSE(Exists(kCurrencyKey));

  CurrentLanguage = "Port";
  ASSERT_FALSE(LanguageWrite());
  StoreText(kCurrencyKey, "Currency", QByteArray("R$", 3));
  EXPECT_FALSE(LanguageDelete());
  EXPECT_FALSE(Exists(kLanguageKey));
  EXPECT_FALSE(Exists(kCurrencyKey));
  EXPECT_TRUE(Exists("Software\\Corvanta\\21"));
  LanguageCheck();
  EXPECT_FALSE(LanguageSaved);
}

TEST_F(SettingsStoreTest, AutoSaveOptions) {
  EXPECT_EQ(AdvancedOptionsReadPath(), std::nullopt);
  EXPECT_EQ(AdvancedOptionsReadRunNumber(), std::nullopt);

  EXPECT_FALSE(AdvancedOptionsWrite("", ""));
  EXPECT_EQ(AdvancedOptionsReadPath(), QString(""));  // an empty text, not nothing
  EXPECT_EQ(AdvancedOptionsReadBaseName(), QString(""));
  EXPECT_EQ(AdvancedOptionsReadRunNumber(), QString("0"));

  AutoSaveRunNumber = 7;
  EXPECT_FALSE(AdvancedOptionsUpdateRunNumber());
  EXPECT_EQ(Stored(kAutoSaveKey, "RunNumber").data, QByteArray("7", 2));

  EXPECT_FALSE(AdvancedOptionsWrite("/data/runs", "trial"));
  EXPECT_EQ(AdvancedOptionsReadPath(), QString("/data/runs"));
  EXPECT_EQ(AdvancedOptionsReadBaseName(), QString("trial"));
  EXPECT_EQ(AdvancedOptionsReadRunNumber(), QString("0"));
}

TEST_F(SettingsStoreTest, FolderWithEnvironmentReferenceIsReadExpanded) {
  qputenv("TALVAIR_TEST_DOCS", "/home/player/docs");
  EXPECT_FALSE(SurveyLinksPathWrite("%TALVAIR_TEST_DOCS%/links/"));
  EXPECT_EQ(Stored("Software\\Corvanta\\21\\SurveyLinks", "Path").type, platform::kRegExpandSz);
  EXPECT_EQ(SurveyLinksPathRead(), QString("/home/player/docs/links/"));
  qunsetenv("TALVAIR_TEST_DOCS");
}

TEST_F(SettingsStoreTest, CurrencyKeptOnlyWhenStored) {
  CurrencyName = "$";
  CurrencyCheck();
  EXPECT_EQ(CurrencyName, "$");
  CurrencyName = "R$";
  EXPECT_FALSE(CurrencyWrite());
  CurrencyName.clear();
  CurrencyCheck();
  EXPECT_EQ(CurrencyName, "R$");
}

TEST_F(SettingsStoreTest, RunOptionsAreForgottenAfterTwelveClockHours) {
  const QDateTime written(QDate(2024, 3, 1), QTime(10, 59, 30));
  const struct {
    QDateTime now;
    bool kept;
  } cases[] = {
      {written.addSecs(60), true},                          // 11:00:30, one boundary
      {QDateTime(QDate(2024, 3, 1), QTime(22, 59)), true},  // 12 boundaries
      {QDateTime(QDate(2024, 3, 1), QTime(23, 0)), false},  // 13 boundaries
      {QDateTime(QDate(2024, 3, 5), QTime(9, 0)), false},
      {written.addDays(-1), true},  // clock put back
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.now.toString().toStdString());
    SetSettingsClock([&] { return written; });
    RunOptions = "Fast";
    ASSERT_FALSE(RunOptionsWrite());
    SetSettingsClock([&] { return c.now; });
    RunOptions.clear();
    RunOptionsSaved = !c.kept;
    EXPECT_FALSE(RunOptionsRead());
    EXPECT_EQ(RunOptions, c.kept ? "Fast" : "ShowRes");
    EXPECT_EQ(RunOptionsSaved, c.kept);
    EXPECT_EQ(Exists(kOptionsKey), c.kept);
  }
}

TEST_F(SettingsStoreTest, RunOptionsUntouchedWithoutSectionAndGoneAfterDelete) {
  RunOptions = "Mine";
  RunOptionsSaved = true;
  EXPECT_FALSE(RunOptionsRead());
  EXPECT_EQ(RunOptions, "Mine");
  EXPECT_TRUE(RunOptionsSaved);

  StoreText(kOptionsKey, "LastUsed", QByteArray("not a time", 11));
  StoreText(kOptionsKey, "Options", QByteArray("Old", 4));
  EXPECT_FALSE(RunOptionsRead());  // an unreadable time counts as long ago
  EXPECT_EQ(RunOptions, "ShowRes");
  EXPECT_FALSE(RunOptionsSaved);

  StoreText(kOptionsKey, "Options", QByteArray("Old", 4));
  EXPECT_FALSE(RunOptionsDelete());
  EXPECT_FALSE(Exists(kOptionsKey));
}

TEST_F(SettingsStoreTest, UnwritableStoreIsReportedNotFatal) {
  const QString file = dir_.filePath("not-a-folder");
  QFile(file).open(QIODevice::WriteOnly);
  RegistryStore::SetFolder(file);

  CurrentLanguage = "Spanish";
  const SettingsError error = LanguageWrite();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), kRegistryError);
  EXPECT_EQ(error->Description().toStdString(),
            "Failed to create registry Key: 'Software\\Corvanta\\21\\Language");
  EXPECT_EQ(CurrentLanguage, "Spanish");
  EXPECT_TRUE(AdvancedOptionsWrite("a", "b"));
  LanguageCheck();  // nothing stored there: simply not stored
  EXPECT_FALSE(LanguageSaved);
}

TEST_F(SettingsStoreTest, UnreadableStoreReadsAsMissingAndOnlyWritesFail) {
  ASSERT_TRUE(QDir().mkpath(RegistryStore().FilePath()));

  LanguageCheck();
  EXPECT_EQ(CurrentLanguage, "English");
  EXPECT_FALSE(LanguageSaved);
  EXPECT_EQ(SurveyLinksPathRead(), std::nullopt);
  CurrencyName = "EUR";
  CurrencyCheck();
  EXPECT_EQ(CurrencyName, "EUR");
  EXPECT_FALSE(LanguageDelete());  // nothing readable, so nothing to delete

  CurrentLanguage = "Port";
  const SettingsError error = LanguageWrite();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->Number(), kRegistryError);
}

TEST(MidWTest, TakesTwoByteCharactersOfTheByteString) {
  const struct {
    QString text;
    int start;
    int length;
    QString expected;
  } cases[] = {
      {"abcdef", 1, 1, "ab"}, {"abcdef", 2, 2, "cdef"}, {"abcdef", 3, 5, "ef"}, {"abc", 2, 1, "c"},
      {"abc", 9, 1, ""},      {"abc", 0, 1, ""},        {"abc", 1, 0, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MidW(c.text, c.start, c.length), c.expected)
        << c.text.toStdString() << ' ' << c.start << ' ' << c.length;
  }
}

}  // namespace
}  // namespace talvair::storage
