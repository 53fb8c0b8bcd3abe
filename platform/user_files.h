// Where the program writes files the player does not choose, and how it opens web
// addresses: both replaceable, so tests neither write into the user's folders nor start a
// browser.
#pragma once

#include <QString>
#include <QUrl>
#include <vector>

namespace talvair::platform {

// The user's data folder followed by "/Talvair", unless another folder was set; an empty
// folder restores the default.
QString UserDataFolder();
void SetUserDataFolder(const QString& folder);

class UrlOpener {
 public:
  virtual ~UrlOpener() = default;
  // False when the desktop could not open the address.
  virtual bool Open(const QUrl& url) = 0;
};

// Installs an opener (not owned); nullptr restores the desktop's browser.
void SetUrlOpener(UrlOpener* opener);

// Opens an http or https address in the browser; any other text opens nothing. False when
// nothing was opened.
bool OpenWebAddress(const QString& address);

// For tests: records what would be opened.
class ScopedRecordedUrls : public UrlOpener {
 public:
  ScopedRecordedUrls() { SetUrlOpener(this); }
  ~ScopedRecordedUrls() override { SetUrlOpener(nullptr); }
  bool Open(const QUrl& url) override {
    opened.push_back(url.toString());
    return true;
  }
  std::vector<QString> opened;
};

}  // namespace talvair::platform
