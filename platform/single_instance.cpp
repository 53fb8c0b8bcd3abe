#include "platform/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
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

}  // namespace

SingleInstance::SingleInstance(const QString& key, QObject* parent)
    : QObject(parent), key_(key) {}

SingleInstance::~SingleInstance() {
  if (server_ != nullptr) server_->close();
  if (lock_ != nullptr) lock_->unlock();
}

QString SingleInstance::DefaultKey() {
  // The socket and the lock live in the shared temp folder, so the key carries the user.
  QString user = qEnvironmentVariable("USER");
  if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
  const QByteArray hash = QCryptographicHash::hash((user + u'|' + QDir::homePath()).toUtf8(),
                                                   QCryptographicHash::Sha1);
  return QStringLiteral("talvair-") + QString::fromLatin1(hash.toHex().left(16));
}

QString SingleInstance::LockFilePath(const QString& key) {
  return QDir::temp().filePath(key + QStringLiteral(".lock"));
}

SingleInstance::Role SingleInstance::Claim() {
  if (claimed_) return role_;
  claimed_ = true;
  role_ = Role::First;

  lock_ = std::make_unique<QLockFile>(LockFilePath(key_));
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
  server_ = new QLocalServer(this);
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  // A socket file left by a crashed copy would block listening; the lock says it is ours.
  if (holdsLock) QLocalServer::removeServer(key_);
  connect(server_, &QLocalServer::newConnection, this, &SingleInstance::OnNewConnection);
  return server_->listen(key_);
}

bool SingleInstance::AskFirstCopyToActivate(int attempts) {
  for (int attempt = 0; attempt < attempts; ++attempt) {
    if (attempt > 0) QThread::msleep(kConnectRetryPauseMs);
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(kConnectTimeoutMs)) continue;
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
