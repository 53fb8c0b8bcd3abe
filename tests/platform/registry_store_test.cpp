#include "platform/registry_store.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <thread>

namespace talvair::platform {
namespace {

constexpr auto kUser = kHkeyCurrentUser;

class RegistryStoreTest : public ::testing::Test {
 protected:
  RegistryStore Store() const { return RegistryStore(dir_.path()); }

  void WriteFile(const QByteArray& content) const {
    QFile file(Store().FilePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  // The value's data, or "<status>" when it cannot be read.
  QByteArray Read(const QString& path, const QString& name) const {
    RegistryValue value;
    const int status = Store().QueryValue(kUser, path, name, &value);
    if (status != kRegSuccess) return '<' + QByteArray::number(status) + '>';
    return value.data;
  }

  QTemporaryDir dir_;
};

TEST_F(RegistryStoreTest, ValuesOfEveryKindSurviveTheFile) {
  static const char kAwkward[] = "back\\slash\ttab\nline\rret\0nul\x7f\x01 ü é";
  const QByteArray awkward(kAwkward, sizeof kAwkward - 1);
  const struct {
    QString name;
    RegistryValue value;
  } cases[] = {
      {"Language", {kRegSz, QByteArray("Spanish", 8)}},
      {"", {kRegSz, QByteArray("default value", 14)}},
      {"Awkward\tname\\with=signs", {kRegSz, awkward}},
      {"Expand", {kRegExpandSz, QByteArray("%HOME%/x", 9)}},
      {"Binary", {kRegBinary, QByteArray::fromHex("00ff0a0d095c")}},
      {"Dword", {kRegDword, QByteArray::fromHex("78563412")}},
      {"Empty", {kRegBinary, QByteArray()}},
      {"Odd type", {42, QByteArray("x")}},
  };
  RegistryStore writer = Store();
  ASSERT_EQ(writer.CreateKey(kUser, "Software\\Corvanta\\21\\Language"), kRegSuccess);
  for (const auto& c : cases) {
    ASSERT_EQ(writer.SetValue(kUser, "Software\\Corvanta\\21\\Language", c.name, c.value),
              kRegSuccess);
  }
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    RegistryValue read;
    ASSERT_EQ(Store().QueryValue(kUser, "Software\\Corvanta\\21\\Language", c.name, &read),
              kRegSuccess);
    EXPECT_EQ(read.type, c.value.type);
    EXPECT_EQ(read.data, c.value.data);
  }
}

TEST_F(RegistryStoreTest, NamesCompareWithoutCaseAndKeepTheirCase) {
  RegistryStore store = Store();
  ASSERT_EQ(store.CreateKey(kUser, "Software\\Corvanta"), kRegSuccess);
  ASSERT_EQ(store.SetValue(kUser, "software\\CORVANTA", "Path", {kRegSz, "a"}), kRegSuccess);
  ASSERT_EQ(store.SetValue(kUser, "Software\\Corvanta", "PATH", {kRegSz, "b"}), kRegSuccess);
  EXPECT_EQ(Read("SOFTWARE\\corvanta", "path"), "b");
  QStringList names;
  ASSERT_EQ(store.EnumValues(kUser, "Software\\Corvanta", &names), kRegSuccess);
  EXPECT_EQ(names, QStringList{"Path"});
  ASSERT_EQ(store.EnumKeys(kUser, "software", &names), kRegSuccess);
  EXPECT_EQ(names, QStringList{"Corvanta"});
}

TEST_F(RegistryStoreTest, KeysFormATree) {
  RegistryStore store = Store();
  ASSERT_EQ(store.CreateKey(kUser, "Software\\Corvanta\\21\\Language"), kRegSuccess);
  ASSERT_EQ(store.CreateKey(kUser, "Software\\Corvanta\\21\\AutoSave"), kRegSuccess);
  ASSERT_EQ(store.CreateKey(kUser, "Software\\Corvanta\\21 b"), kRegSuccess);
  ASSERT_EQ(store.CreateKey(kHkeyClassesRoot, "Software\\Other"), kRegSuccess);
  EXPECT_EQ(store.KeyExists(kUser, "Software\\Corvanta"), kRegSuccess);  // parents made too
  EXPECT_EQ(store.KeyExists(kUser, ""), kRegSuccess);
  EXPECT_EQ(store.KeyExists(kUser, "Software\\Other"), kRegFileNotFound);  // another root

  QStringList names;
  ASSERT_EQ(store.EnumKeys(kUser, "Software\\Corvanta\\21", &names), kRegSuccess);
  EXPECT_EQ(names, (QStringList{"AutoSave", "Language"}));
  ASSERT_EQ(store.EnumKeys(kUser, "Software\\Corvanta", &names), kRegSuccess);
  EXPECT_EQ(names, (QStringList{"21", "21 b"}));
  EXPECT_EQ(store.EnumKeys(kUser, "Software\\Missing", &names), kRegFileNotFound);
  EXPECT_TRUE(names.isEmpty());

  // A key with subkeys stays; a leaf goes, with its values.
  EXPECT_EQ(store.DeleteKey(kUser, "Software\\Corvanta\\21"), kRegAccessDenied);
  ASSERT_EQ(store.SetValue(kUser, "Software\\Corvanta\\21\\Language", "Language", {kRegSz, "Port"}),
            kRegSuccess);
  EXPECT_EQ(store.DeleteKey(kUser, "Software\\Corvanta\\21\\Language"), kRegSuccess);
  EXPECT_EQ(store.KeyExists(kUser, "Software\\Corvanta\\21\\Language"), kRegFileNotFound);
  EXPECT_EQ(store.KeyExists(kUser, "Software\\Corvanta\\21 b"), kRegSuccess);
  EXPECT_EQ(store.DeleteKey(kUser, "Software\\Corvanta\\21\\Language"), kRegFileNotFound);
  EXPECT_EQ(store.DeleteKey(kUser, ""), kRegAccessDenied);
}

TEST_F(RegistryStoreTest, RefusesWhatTheRegistryRefuses) {
  RegistryStore store = Store();
  RegistryValue value;
  EXPECT_EQ(store.CreateKey(0, "Software"), kRegInvalidHandle);
  EXPECT_EQ(store.KeyExists(0x12345, "Software"), kRegInvalidHandle);
  EXPECT_EQ(store.SetValue(kUser, "Software\\Missing", "v", {kRegSz, "x"}), kRegFileNotFound);
  EXPECT_EQ(store.QueryValue(kUser, "Software\\Missing", "v", &value), kRegFileNotFound);
  ASSERT_EQ(store.CreateKey(kUser, "Software"), kRegSuccess);
  EXPECT_EQ(store.QueryValue(kUser, "Software", "v", &value), kRegFileNotFound);
  EXPECT_EQ(store.DeleteValue(kUser, "Software", "v"), kRegFileNotFound);
}

TEST_F(RegistryStoreTest, DamagedFileIsReadAsFarAsItIsSound) {
  static const char kDamaged[] =
      "garbage without tabs\n"
      "K\tHKEY_CURRENT_USER\tSoftware\tA\n"
      "V\tgood\t1\tyes\\0\n"
      "V\tbadType\tx\tzzz\n"
      "V\tbadEscape\t1\tab\\q\n"
      "V\tcutEscape\t1\tab\\x4\n"
      "V\ttooManyFields\t1\ta\tb\n"
      "\x01\x02\xff\xfe binary junk \x00 here\n"
      "V\tafterJunk\t4\t\\x07\\0\\0\\0\r\n"
      "K\tNOT_A_ROOT\tX\n"
      "V\tlost\t1\tv\n"
      "K\tHKEY_CURRENT_USER\tSoftware\t\tEmptyPart\n"
      "V\tlostToo\t1\tv\n"
      "K\tHKEY_CURRENT_USER\tSoftware\tB\n"
      "V\tcut\t1\tpart of a line cut off";
  WriteFile(QByteArray(kDamaged, sizeof kDamaged - 1));
  EXPECT_EQ(Read("Software\\A", "good"), QByteArray("yes", 4));
  EXPECT_EQ(Read("Software\\A", "afterJunk"), QByteArray::fromHex("07000000"));
  for (const char* name : {"badType", "badEscape", "cutEscape", "tooManyFields"}) {
    EXPECT_EQ(Read("Software\\A", name), "<2>") << name;
  }
  EXPECT_EQ(Read("Software\\B", "cut"), "<2>");
  EXPECT_EQ(Store().KeyExists(kUser, "Software\\B"), kRegSuccess);
  EXPECT_EQ(Store().KeyExists(kUser, "Software\\EmptyPart"), kRegFileNotFound);

  // The next write keeps what was sound and drops the rest.
  RegistryStore store = Store();
  ASSERT_EQ(store.SetValue(kUser, "Software\\B", "new", {kRegSz, "n"}), kRegSuccess);
  EXPECT_EQ(Read("Software\\A", "good"), QByteArray("yes", 4));
  EXPECT_EQ(Read("Software\\B", "new"), "n");
}

TEST_F(RegistryStoreTest, AnyBytesAtAllNeverBreakTheStore) {
  QByteArray noise;
  for (int i = 0; i < 4096; ++i) noise += static_cast<char>((i * 7919 + i / 13) % 256);
  for (const QByteArray& content :
       {noise, QByteArray("K"), QByteArray("K\t"), QByteArray("V\t\t\t\n"),
        QByteArray("\\\\\\\n\t\t\n"), QByteArray("K\tHKEY_CURRENT_USER\tS\nV\tv\t1\t\\")}) {
    WriteFile(content);
    RegistryStore store = Store();
    QStringList names;
    store.EnumKeys(kUser, "", &names);
    ASSERT_EQ(store.CreateKey(kUser, "Software\\Fresh"), kRegSuccess);
    ASSERT_EQ(store.SetValue(kUser, "Software\\Fresh", "v", {kRegSz, "ok"}), kRegSuccess);
    EXPECT_EQ(Read("Software\\Fresh", "v"), "ok");
  }
}

TEST_F(RegistryStoreTest, AFileLargerThanTheStoreCanBeIsSetAsideOnce) {
  const QByteArray sound = "K\tHKEY_CURRENT_USER\tSoftware\nV\tv\t1\tkept\n";
  const struct {
    qint64 size;
    bool setAside;
  } cases[] = {
      {RegistryStore::kMaxFileBytes, false},
      {RegistryStore::kMaxFileBytes + 1, true},
      {5 * RegistryStore::kMaxFileBytes, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    const QString damaged = Store().FilePath() + RegistryStore::kDamagedSuffix;
    QFile::remove(damaged);
    QByteArray content = sound;
    content += '#';
    content += QByteArray(c.size - content.size() - 1, 'x');
    content += '\n';
    WriteFile(content);

    EXPECT_EQ(Read("Software", "v"), c.setAside ? "<2>" : "kept");
    EXPECT_EQ(QFile::exists(damaged), c.setAside);
    if (!c.setAside) continue;
    EXPECT_EQ(QFileInfo(damaged).size(), c.size);  // kept whole for a look
    EXPECT_FALSE(QFile::exists(Store().FilePath()));
    RegistryStore store = Store();
    ASSERT_EQ(store.CreateKey(kUser, "Software"), kRegSuccess);
    ASSERT_EQ(store.SetValue(kUser, "Software", "v", {kRegSz, "fresh"}), kRegSuccess);
    EXPECT_EQ(Read("Software", "v"), "fresh");
  }
}

TEST_F(RegistryStoreTest, AKeyWithManyValuesFindsEachByItsName) {
  constexpr int kValues = 40000;
  QByteArray content = "K\tHKEY_CURRENT_USER\tSoftware\n";
  for (int i = 0; i < kValues; ++i)
    content += "V\tv" + QByteArray::number(i) + "\t1\t" + QByteArray::number(i) + '\n';
  // A later line of the same name, in another case, replaces the value in its place.
  content += "V\tV7\t1\tseven\n";
  WriteFile(content);

  const struct {
    const char* name;
    QByteArray data;
  } cases[] = {{"v0", "0"}, {"V39999", "39999"}, {"v7", "seven"}, {"v40000", "<2>"}};
  for (const auto& c : cases) EXPECT_EQ(Read("Software", c.name), c.data) << c.name;

  RegistryStore store = Store();
  ASSERT_EQ(store.DeleteValue(kUser, "Software", "v3"), kRegSuccess);
  EXPECT_EQ(Read("Software", "v3"), "<2>");
  ASSERT_EQ(store.SetValue(kUser, "Software", "v20000", {kRegSz, "changed"}), kRegSuccess);
  EXPECT_EQ(Read("Software", "V20000"), "changed");
  QStringList names;
  ASSERT_EQ(store.EnumValues(kUser, "Software", &names), kRegSuccess);
  ASSERT_EQ(names.size(), kValues - 1);
  EXPECT_EQ(names[3], "v4");
  EXPECT_EQ(names[7], "v8");  // v7 kept its place and its first name
  EXPECT_EQ(names[6], "v7");
}

TEST_F(RegistryStoreTest, StoreThatCannotBeReadOrWrittenIsReported) {
  // A folder where the file should be cannot be read; a file where the folder should be
  // cannot be written. (Tests may run with rights that ignore file permissions.)
  ASSERT_TRUE(QDir().mkpath(Store().FilePath()));
  RegistryStore unreadable = Store();
  RegistryValue value;
  EXPECT_EQ(unreadable.KeyExists(kUser, "Software"), kRegCantRead);
  EXPECT_EQ(unreadable.QueryValue(kUser, "Software", "v", &value), kRegCantRead);
  EXPECT_EQ(unreadable.CreateKey(kUser, "Software"), kRegCantRead);
  // Nor a link to itself, which stays the player's link.
  ASSERT_TRUE(QDir().rmdir(Store().FilePath()));
  ASSERT_TRUE(QFile::link(RegistryStore::kFileName, Store().FilePath()));
  EXPECT_EQ(unreadable.CreateKey(kUser, "Software"), kRegCantResolveFilename);
  EXPECT_TRUE(QFileInfo(Store().FilePath()).isSymLink());

  const QString notAFolder = dir_.filePath("plain-file");
  QFile file(notAFolder);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  RegistryStore unwritable(notAFolder + "/Talvair");
  EXPECT_EQ(unwritable.KeyExists(kUser, "Software"), kRegFileNotFound);
  EXPECT_EQ(unwritable.CreateKey(kUser, "Software"), kRegCantWrite);
}

TEST_F(RegistryStoreTest, WritesReplaceTheFileWholeAndLeaveNothingBehind) {
  RegistryStore store = Store();
  ASSERT_EQ(store.CreateKey(kUser, "Software"), kRegSuccess);
  ASSERT_EQ(store.SetValue(kUser, "Software", "v", {kRegSz, "1"}), kRegSuccess);
  EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::System),
            QStringList{RegistryStore::kFileName});
}

TEST_F(RegistryStoreTest, TwoCopiesWritingAtOnceLoseNothing) {
  ASSERT_EQ(Store().CreateKey(kUser, "Software\\Corvanta"), kRegSuccess);
  constexpr int kWrites = 40;
  auto writer = [this](const QString& prefix) {
    RegistryStore store = Store();
    for (int i = 0; i < kWrites; ++i) {
      store.SetValue(kUser, "Software\\Corvanta", prefix + QString::number(i),
                     {kRegSz, QByteArray::number(i)});
    }
  };
  std::thread first(writer, QStringLiteral("a"));
  std::thread second(writer, QStringLiteral("b"));
  first.join();
  second.join();
  QStringList names;
  ASSERT_EQ(Store().EnumValues(kUser, "Software\\Corvanta", &names), kRegSuccess);
  EXPECT_EQ(names.size(), 2 * kWrites);
}

TEST(RegistryStoreFolderTest, FolderDefaultsToUserConfigAndCanBeSet) {
  const QString standard = RegistryStore::Folder();
  EXPECT_TRUE(standard.endsWith("/Talvair"));
  RegistryStore::SetFolder("/tmp/elsewhere");
  EXPECT_EQ(RegistryStore().FilePath(), "/tmp/elsewhere/registry.txt");
  RegistryStore::SetFolder(QString());
  EXPECT_EQ(RegistryStore::Folder(), standard);
}

}  // namespace
}  // namespace talvair::platform
