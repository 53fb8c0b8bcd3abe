// One running copy of the program per user: the first copy holds a lock file and listens on
// a local socket; a later copy finds the lock held, asks the first copy to come to the
// front and learns that it must end. Both live in a folder only the user can enter, and a
// copy that answers on the socket counts only when it runs as the same user, so another
// user can never keep the program from starting.
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
  // The folder of the lock and the socket: the user's runtime folder when it is the user's
  // own and closed to others, else "talvair-<uid>" in the temp folder, made with mode 0700
  // (or closed to others when it is already the user's). Empty when neither can be had.
  static QString PrivateFolder();
  // Where the lock file and the socket of a key live (empty without a private folder).
  static QString LockFilePath(const QString& key);
  static QString SocketPath(const QString& key);

 protected:
  // Whether the process at the other end of a connected local socket runs as this user.
  virtual bool PeerIsThisUser(qintptr socketDescriptor) const;

 signals:
  // A later copy asked this one to come to the front.
  void ActivationRequested();

 private:
  void OnNewConnection();
  bool Listen(bool holdsLock);
  bool AskFirstCopyToActivate(int attempts);

  QString key_;
  QString socketPath_;
  std::unique_ptr<QLockFile> lock_;
  QLocalServer* server_ = nullptr;
  bool claimed_ = false;
  Role role_ = Role::First;
};

// Restores the window from minimised, raises and activates it.
void BringWindowToFront(QWidget* window);

}  // namespace talvair::platform
