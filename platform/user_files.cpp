#include "platform/user_files.h"

#include <QDesktopServices>
#include <QStandardPaths>

namespace talvair::platform {

namespace {

QString g_dataFolder;
UrlOpener* g_opener = nullptr;

}  // namespace

QString UserDataFolder() {
  if (!g_dataFolder.isEmpty()) return g_dataFolder;
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/Talvair");
}

void SetUserDataFolder(const QString& folder) { g_dataFolder = folder; }

void SetUrlOpener(UrlOpener* opener) { g_opener = opener; }

bool OpenWebAddress(const QString& address) {
  // Read as a browser would: a blank in the address is encoded, not a reason to refuse it.
  // Other schemes (file:, a program's own) could run or reveal anything on the machine.
  const QUrl url(address.trimmed(), QUrl::TolerantMode);
  const QString scheme = url.scheme().toLower();
  if (!url.isValid() || url.host().isEmpty() ||
      (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
    return false;
  }
  return g_opener != nullptr ? g_opener->Open(url) : QDesktopServices::openUrl(url);
}

}  // namespace talvair::platform
