#include "platform/qt_translations.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

namespace talvair::platform {
namespace {

TEST(QtTranslationsTest, QtsOwnTextsFollowTheLanguageAndSwitchBack) {
  const struct {
    const char* language;
    const char* yes;
    const char* copy;  // the text boxes' context menu
  } cases[] = {
      {"Spanish", "&Sí", "&Copiar"},
      {"Port", "&Sim", "&Copiar"},
      {"English", "&Yes", "&Copy"},
      {"", "&Yes", "&Copy"},
  };
  // Each language replaces the one before, and English takes Qt's own texts back.
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    EXPECT_TRUE(InstallQtTranslations(QString::fromLatin1(c.language)));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), c.yes);
    EXPECT_EQ(QCoreApplication::translate("QLineEdit", "&Copy").toStdString(), c.copy);
  }
}

}  // namespace
}  // namespace talvair::platform
