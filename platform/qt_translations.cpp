#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace talvair::platform {

namespace {

std::unique_ptr<QTranslator> g_installed;

}  // namespace

bool InstallQtTranslations(const QString& languageCode) {
  if (g_installed != nullptr) {
    QCoreApplication::removeTranslator(g_installed.get());
    g_installed.reset();
  }
  QString locale;
  if (languageCode == QLatin1String("Spanish")) {
    locale = QStringLiteral("es");
  } else if (languageCode == QLatin1String("Port")) {
    // The program's Portuguese is Brazil's.
    locale = QStringLiteral("pt_BR");
  } else {
    return true;
  }
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral("qtbase_") + locale,
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    return false;
  }
  QCoreApplication::installTranslator(translator.get());
  g_installed = std::move(translator);
  return true;
}

}  // namespace talvair::platform
