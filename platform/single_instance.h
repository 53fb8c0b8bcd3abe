// One running copy of the program per user: the first copy holds a lock file and listens on
// a local socket; a later copy finds the lock held, asks the first copy to come to the
// front and learns that it must end.
#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;
class QWidget;

namespace talvair::platform {

class SingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Role {
    First,      // this copy runs; later copies will reach it
    Duplicate,  // another copy runs and has been asked to come to the front
  };

  // key names the lock file and the socket; tests pass one of their own.
  explicit SingleInstance(const QString& key = DefaultKey(), QObject* parent = nullptr);
  ~SingleInstance() override;

  // Decides this copy's role once; later calls return the same answer. A lock left by a
  // copy that crashed is taken over. When the lock or the socket cannot be set up at all,
  // the copy counts as the first so that a broken temp folder never stops the program.
  Role Claim();

  // Per-user key used by the program.
  static QString DefaultKey();
  // Where the lock file of a key lives.
  static QString LockFilePath(const QString& key);

 signals:
  // A later copy asked this one to come to the front.
  void ActivationRequested();

 private:
  void OnNewConnection();
  bool Listen(bool holdsLock);
  bool AskFirstCopyToActivate(int attempts);

  QString key_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
  bool claimed_ = false;
  Role role_ = Role::First;
};

// Restores the window from minimised, raises and activates it.
void BringWindowToFront(QWidget* window);

}  // namespace talvair::platform
