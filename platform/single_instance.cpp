#include "platform/single_instance.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QWidget>

namespace talvair::platform {

namespace {

constexpr char kActivateRequest[] = "activate\n";
constexpr int kConnectTimeoutMs = 500;
constexpr int kWriteTimeoutMs = 1000;
// A first copy that has just taken the lock may not listen yet; ask a few times before
// taking its lock as left over.
constexpr int kConnectAttempts = 4;
constexpr unsigned long kConnectRetryPauseMs = 150;

// A folder this user owns and nobody else may enter. `make` creates a missing one and
// closes one of the user's own that others could enter.
bool IsPrivateFolder(const QString& path, bool make) {
  if (path.isEmpty()) return false;
  const QByteArray native = QFile::encodeName(path);
  struct stat info {};
  if (::lstat(native.constData(), &info) != 0) {
    if (!make || ::mkdir(native.constData(), 0700) != 0) return false;
    if (::lstat(native.constData(), &info) != 0) return false;
  }
  // A link could lead anywhere; a folder of another user is not ours to close.
  if (!S_ISDIR(info.st_mode) || info.st_uid != ::geteuid()) return false;
  if ((info.st_mode & 077) != 0) return make && ::chmod(native.constData(), 0700) == 0;
  return true;
}

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(key) {}

SingleInstance::~SingleInstance() {
  if (server_ != nullptr) server_->close();
  if (lock_ != nullptr) lock_->unlock();
}

QString SingleInstance::DefaultKey() {
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
  const QByteArray hash =
      QCryptographicHash::hash((user + u'|' + QDir::homePath()).toUtf8(), QCryptographicHash::Sha1);
  return QStringLiteral("talvair-") + QString::fromLatin1(hash.toHex().left(16));
}

QString SingleInstance::PrivateFolder() {
  const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
  if (IsPrivateFolder(runtime, false)) return runtime;
  const QString own = QDir::temp().filePath(QStringLiteral("talvair-%1").arg(::geteuid()));
  return IsPrivateFolder(own, true) ? own : QString();
}

QString SingleInstance::LockFilePath(const QString& key) {
  const QString folder = PrivateFolder();
  return folder.isEmpty() ? QString() : folder + u'/' + key + QStringLiteral(".lock");
}

QString SingleInstance::SocketPath(const QString& key) {
  const QString folder = PrivateFolder();
  return folder.isEmpty() ? QString() : folder + u'/' + key;
}

bool SingleInstance::PeerIsThisUser(qintptr socketDescriptor) const {
  struct ucred peer {};
  socklen_t size = sizeof peer;
  if (::getsockopt(static_cast<int>(socketDescriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) !=
      0) {
    return false;
  }
  return peer.uid == ::geteuid();
}

SingleInstance::Role SingleInstance::Claim() {
  if (claimed_) return role_;
  claimed_ = true;
  role_ = Role::First;

  const QString lockPath = LockFilePath(key_);
  socketPath_ = SocketPath(key_);
  if (lockPath.isEmpty() || socketPath_.isEmpty()) return role_;
  lock_ = std::make_unique<QLockFile>(lockPath);
  // Only a dead owner makes the lock stale, never its age: the first copy may run for days.
  lock_->setStaleLockTime(0);
  if (lock_->tryLock(0)) {
    // A copy that started while an unresponsive one held the lock listens without it:
    // ask once before taking its socket away.
    if (AskFirstCopyToActivate(1)) {
      role_ = Role::Duplicate;
      lock_.reset();
      return role_;
    }
    Listen(true);
    return role_;
  }
  if (lock_->error() != QLockFile::LockFailedError) {
    Listen(false);
    return role_;
  }
  if (AskFirstCopyToActivate(kConnectAttempts)) {
    role_ = Role::Duplicate;
    lock_.reset();
    return role_;
  }
  // The lock's owner is alive but answers nobody (a reused process id, a hung copy): start
  // anyway. Nobody answers on the socket, so its file is a leftover and may go.
  Listen(true);
  return role_;
}

bool SingleInstance::Listen(bool holdsLock) {
  // The folder keeps others out, so the socket needs no access options of its own.
  server_ = new QLocalServer(this);
  // A socket file left by a crashed copy would block listening; the lock says it is ours.
  if (holdsLock) QLocalServer::removeServer(socketPath_);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
  return server_->listen(socketPath_);
}

bool SingleInstance::AskFirstCopyToActivate(int attempts) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (attempt > 0) QThread::msleep(kConnectRetryPauseMs);
    QLocalSocket socket;
    socket.connectToServer(socketPath_);
    if (!socket.waitForConnected(kConnectTimeoutMs)) continue;
    // Only a copy of this user's is a running copy; another's is nobody to wake.
    if (!PeerIsThisUser(socket.socketDescriptor())) return false;
    socket.write(kActivateRequest);
    // The first copy may be busy in a long run; the request waits in the socket for it.
    socket.waitForBytesWritten(kWriteTimeoutMs);
    socket.disconnectFromServer();
    return true;
  }
  return false;
}

void SingleInstance::OnNewConnection() {
  while (QLocalSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    auto readRequest = [this, socket] {
      if (!socket->canReadLine()) return;
      const QByteArray line = socket->readLine();
      if (line == kActivateRequest) emit ActivationRequested();
      socket->disconnectFromServer();
    };
    connect(socket, &QLocalSocket::readyRead, socket, readRequest);
    // The request may have arrived before the connection was taken.
    readRequest();
  }
}

void BringWindowToFront(QWidget* window) {
  if (window == nullptr) return;
  window->setWindowState((window->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace talvair::platform
