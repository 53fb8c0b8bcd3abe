#include "storage/registry_wrapper.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <functional>

#include "platform/registry_store.h"

namespace talvair::storage {
namespace {

using platform::kHkeyClassesRoot;
using platform::kHkeyCurrentUser;
using platform::RegistryStore;
using platform::RegistryValue;

constexpr char kSection[] = "Software\\Corvanta\\21\\Test";

class RegistryWrapperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    RegistryStore::SetFolder(dir_.path());
    registry_.SetClassKey(kHkeyCurrentUser);
    registry_.SetSectionKey(kSection);
    registry_.SetValueKey("Value");
  }
  void TearDown() override { RegistryStore::SetFolder(QString()); }

  void Write(std::int32_t type, const QVariant& value) {
    registry_.SetValueType(type);
    registry_.SetValue(value);
  }

  RegistryValue Stored(const QString& section = kSection, const QString& name = "Value",
                       std::int32_t root = kHkeyCurrentUser) const {
    RegistryValue value;
    RegistryStore().QueryValue(root, section, name, &value);
    return value;
  }

  // Runs the call and returns the error it raised.
  static RegistryError Raised(const std::function<void()>& call) {
    try {
      call();
    } catch (const RegistryError& error) {
      return error;
    }
    ADD_FAILURE() << "no error raised";
    return RegistryError(0, QString(), QString());
  }

  QTemporaryDir dir_;
  cRegistry registry_;
};

TEST_F(RegistryWrapperTest, ReadOfMissingValueGivesDefaultAndKeepsType) {
  registry_.SetValueType(4);
  EXPECT_FALSE(registry_.Value().isValid());
  EXPECT_EQ(registry_.ValueType(), 4);
  registry_.SetDefault("fallback");
  EXPECT_EQ(registry_.Value(), QVariant("fallback"));
  registry_.CreateKey();  // key present, value still missing
  EXPECT_EQ(registry_.Value(), QVariant("fallback"));
  EXPECT_EQ(registry_.ValueType(), 4);
}

TEST_F(RegistryWrapperTest, TextTypeFollowsPercentSigns) {
  const struct {
    QString text;
    std::int32_t property;
    std::int32_t stored;
  } cases[] = {
      {"plain", 1, 1}, {"100%", 1, 1}, {"%%", 1, 1}, {"%%%", 1, 2},         {"%TEMP%\\x", 1, 2},
      {"a%b%", 1, 2},  {"%a", 2, 1},   {"", 2, 1},   {"50% of 100%", 1, 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    Write(c.property, c.text);
    const RegistryValue stored = Stored();
    EXPECT_EQ(stored.type, c.stored);
    EXPECT_EQ(stored.data, c.text.toUtf8() + '\0');
  }
}

TEST_F(RegistryWrapperTest, NumbersAndOtherValuesAsTextOrDword) {
  Write(4, 123456);
  EXPECT_EQ(Stored().type, platform::kRegDword);
  EXPECT_EQ(registry_.Value(), QVariant(qint32{123456}));
  EXPECT_EQ(registry_.Value().typeId(), QMetaType::Int);

  Write(1, 123456);  // the settings store's way: the same number as text
  EXPECT_EQ(registry_.Value(), QVariant(QString("123456")));
  EXPECT_EQ(registry_.ValueType(), 1);

  Write(1, true);
  EXPECT_EQ(registry_.Value(), QVariant(QString("True")));

  Write(5, 0x12345678);  // written little-endian whatever the property says
  EXPECT_EQ(Stored().type, platform::kRegDword);
  EXPECT_EQ(Stored().data, QByteArray::fromHex("78563412"));

  Write(4, QVariant::fromValue<short>(-2));
  EXPECT_EQ(registry_.Value(), QVariant(qint32{-2}));
}

TEST_F(RegistryWrapperTest, BigEndianDwordOfAnotherProgramReadsRight) {
  registry_.CreateKey();
  RegistryStore().SetValue(kHkeyCurrentUser, kSection, "Value",
                           {platform::kRegDwordBigEndian, QByteArray::fromHex("12345678")});
  EXPECT_EQ(registry_.Value(), QVariant(qint32{0x12345678}));
  EXPECT_EQ(registry_.ValueType(), platform::kRegDwordBigEndian);
}

TEST_F(RegistryWrapperTest, StoredTypesReadBackByType) {
  registry_.CreateKey();
  const struct {
    std::int32_t type;
    QByteArray data;
    QVariant expected;
  } cases[] = {
      {platform::kRegSz, QByteArray("text", 5), QString("text")},
      {platform::kRegSz, QByteArray(), QString("")},
      {platform::kRegMultiSz, QByteArray("a\0b\0\0", 5), QString::fromUtf8("a\0b\0", 4)},
      {platform::kRegDword, QByteArray::fromHex("07"), qint32{7}},  // short data: no crash
      {platform::kRegBinary, QByteArray::fromHex("00ff"), QByteArray::fromHex("00ff")},
      {0, QByteArray("raw"), QByteArray("raw")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    RegistryStore().SetValue(kHkeyCurrentUser, kSection, "Value", {c.type, c.data});
    EXPECT_EQ(registry_.Value(), c.expected);
    EXPECT_EQ(registry_.ValueType(), c.type);
  }
}

TEST_F(RegistryWrapperTest, EnvironmentReferenceIsStoredAsExpandAndReadExpanded) {
  qputenv("TALVAIR_TEST_PROFILE", "/home/player");
  Write(1, "%TALVAIR_TEST_PROFILE%/Research");
  EXPECT_EQ(Stored().type, platform::kRegExpandSz);
  EXPECT_EQ(registry_.Value(), QVariant(QString("/home/player/Research")));
  EXPECT_EQ(registry_.ValueType(), 2);
  qunsetenv("TALVAIR_TEST_PROFILE");
}

TEST_F(RegistryWrapperTest, ExpandsOnlyReferencesToSetVariables) {
  qputenv("TALVAIR_A", "x");
  qputenv("TALVAIR_EMPTY", "");
  const struct {
    QString text;
    QString expanded;
  } cases[] = {
      {"%TALVAIR_A%", "x"},
      {"a%TALVAIR_A%b%TALVAIR_A%", "axbx"},
      {"%TALVAIR_UNSET%", "%TALVAIR_UNSET%"},
      {"%TALVAIR_UNSET%TALVAIR_A%", "%TALVAIR_UNSETx"},
      {"100%", "100%"},
      {"%%", "%%"},
      {"[%TALVAIR_EMPTY%]", "[]"},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(cRegistry::ExpandEnvStr(c.text), c.expanded) << c.text.toStdString();
  qunsetenv("TALVAIR_A");
  qunsetenv("TALVAIR_EMPTY");
}

TEST_F(RegistryWrapperTest, WritesThatDoNothing) {
  Write(4, 2.5);  // not a whole number of 16 or 32 bits
  EXPECT_TRUE(registry_.KeyExists());
  EXPECT_EQ(RegistryStore().QueryValue(kHkeyCurrentUser, kSection, "Value", nullptr),
            platform::kRegFileNotFound);
  Write(3, QByteArray::fromHex("0102"));
  EXPECT_EQ(registry_.Value(), QVariant(QByteArray::fromHex("0102")));
}

TEST_F(RegistryWrapperTest, FailuresRaiseNumbersAndTexts) {
  const struct {
    const char* what;
    std::function<void(cRegistry&)> call;
    std::int32_t number;
    QString description;
  } cases[] = {
      {"type 0",
       [](cRegistry& r) {
         r.SetValueType(0);
         r.SetValue("abc");
       },
       kRegistrySetValueError,
       "Failed to set registry value Key: '-2147483647',Section: 'Software\\Corvanta\\21\\Test"
       "',Key: 'Value' to value: 'abc'"},
      {"binary without bytes",
       [](cRegistry& r) {
         r.SetValueType(3);
         r.SetValue("abc");
       },
       kRegistryError, "Application-defined or object-defined error"},
      {"delete missing key",
       [](cRegistry& r) {
         r.SetSectionKey("Software\\Nope");
         r.DeleteKey();
       },
       kRegistryError, "Failed to delete registry Key: '-2147483647',Section: 'Software\\Nope"},
      {"delete value of missing key",
       [](cRegistry& r) {
         r.SetSectionKey("Software\\Nope");
         r.DeleteValue();
       },
       kRegistryError,
       "Failed to open key '-2147483647',Section: 'Software\\Nope' for delete access"},
      {"delete missing value",
       [](cRegistry& r) {
         r.CreateKey();
         r.DeleteValue();
       },
       kRegistryError,
       "Failed to delete registry Key: '-2147483647',Section: 'Software\\Corvanta\\21\\Test"
       "',Key: 'Value"},
      {"no root key",
       [](cRegistry& r) {
         r.SetClassKey(0);
         r.CreateKey();
       },
       kRegistryError, "Failed to create registry Key: 'Software\\Corvanta\\21\\Test"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    cRegistry registry;
    registry.SetClassKey(kHkeyCurrentUser);
    registry.SetSectionKey(kSection);
    registry.SetValueKey("Value");
    const RegistryError error = Raised([&] { c.call(registry); });
    EXPECT_EQ(error.Number(), c.number);
    EXPECT_EQ(error.Description(), c.description);
    EXPECT_TRUE(error.Source().endsWith(".cRegistry"));
  }
  // The failed write of type 0 still created its key.
  EXPECT_TRUE(registry_.KeyExists());
}

TEST_F(RegistryWrapperTest, UnwritableStoreRaisesOnWriteAndReadsAsMissing) {
  const QString file = dir_.filePath("not-a-folder");
  QFile(file).open(QIODevice::WriteOnly);
  RegistryStore::SetFolder(file);
  const RegistryError error = Raised([&] { Write(1, "Spanish"); });
  EXPECT_EQ(error.Number(), kRegistryError);
  EXPECT_EQ(error.Description(),
            "Failed to set registry value Key: '-2147483647',Section: "
            "'Software\\Corvanta\\21\\Test',Key: 'Value' to value: 'Spanish'");
  EXPECT_FALSE(registry_.KeyExists());
  EXPECT_FALSE(registry_.Value().isValid());
}

TEST_F(RegistryWrapperTest, DeleteValueAndKey) {
  Write(1, "x");
  EXPECT_TRUE(registry_.DeleteValue());
  EXPECT_FALSE(registry_.Value().isValid());
  EXPECT_TRUE(registry_.DeleteKey());
  EXPECT_FALSE(registry_.KeyExists());
}

TEST_F(RegistryWrapperTest, EnumeratesNamesAndCounts) {
  for (const char* name : {"Path", "BaseName", "RunNumber"}) {
    registry_.SetValueKey(name);
    Write(1, "v");
  }
  for (const char* section :
       {"Software\\Corvanta\\21\\Test\\Zed", "Software\\Corvanta\\21\\Test\\Abc"}) {
    registry_.SetSectionKey(section);
    registry_.CreateKey();
  }
  registry_.SetSectionKey(kSection);
  QStringList names{"stale"};
  std::int32_t count = -1;
  EXPECT_TRUE(registry_.EnumerateValues(names, count));
  EXPECT_EQ(names, (QStringList{"Path", "BaseName", "RunNumber"}));
  EXPECT_EQ(count, 3);
  EXPECT_TRUE(registry_.EnumerateSections(names, count));
  EXPECT_EQ(names, (QStringList{"Abc", "Zed"}));
  EXPECT_EQ(count, 2);

  registry_.SetSectionKey("Software\\Missing");
  EXPECT_TRUE(registry_.EnumerateValues(names, count));
  EXPECT_EQ(count, 0);
  EXPECT_TRUE(names.isEmpty());
}

TEST_F(RegistryWrapperTest, FileTypeAssociation) {
  registry_.CreateEXEAssociation("  /opt/talvair/talvair ", "Talvair.Game", "Saved game", "dat", "",
                                 true, "", false, "", true, "", 2);
  const struct {
    QString section;
    QString text;
  } expected[] = {
      {".dat", "Talvair.Game"},
      {"Talvair.Game", "Saved game"},
      {"Talvair.Game\\shell\\open", "&Open"},
      {"Talvair.Game\\shell\\open\\command", "\"/opt/talvair/talvair\" \"%1\""},
      {"Talvair.Game\\shell\\print", "&Print"},
      {"Talvair.Game\\shell\\print\\command", "\"/opt/talvair/talvair\" /p \"%1\""},
      {"Talvair.Game\\shell\\add", "&Install dat"},
      {"Talvair.Game\\shell\\add\\command", "\"/opt/talvair/talvair\" /a \"%1\""},
      {"Talvair.Game\\DefaultIcon", "\"/opt/talvair/talvair\",2"},
  };
  for (const auto& e : expected) {
    const RegistryValue value = Stored(e.section, "", kHkeyClassesRoot);
    EXPECT_EQ(value.type, platform::kRegSz) << e.section.toStdString();
    EXPECT_EQ(value.data, e.text.toUtf8() + '\0') << e.section.toStdString();
  }
  EXPECT_EQ(RegistryStore().KeyExists(kHkeyClassesRoot, "Talvair.Game\\shell\\new"),
            platform::kRegFileNotFound);

  registry_.CreateAdditionalEXEAssociations("Talvair.Game",
                                            {"replay", "&Replay", "talvair -r \"%1\""});
  EXPECT_EQ(Stored("Talvair.Game\\shell\\replay", "", kHkeyClassesRoot).data,
            QByteArray("&Replay", 8));
  EXPECT_EQ(Stored("Talvair.Game\\shell\\replay\\command", "", kHkeyClassesRoot).data,
            QByteArray("talvair -r \"%1\"", 16));

  EXPECT_EQ(Raised([&] {
              registry_.CreateAdditionalEXEAssociations("Talvair.Game", {"a", "b"});
            }).Number(),
            kRegistryBadAssociationList);
  const RegistryError noClass = Raised([&] {
    registry_.CreateAdditionalEXEAssociations("Unknown.Class", {"a", "b", "c"});
  });
  EXPECT_EQ(noClass.Number(), kRegistryNoAssociationClass);
  EXPECT_EQ(noClass.Description(),
            "Error - attempt to create additional associations before class defined.");
}

}  // namespace
}  // namespace talvair::storage
