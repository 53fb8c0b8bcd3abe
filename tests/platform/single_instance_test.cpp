#include "platform/single_instance.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUuid>
#include <cstring>
#include <memory>
#include <string>

namespace talvair::platform {
namespace {

using Role = SingleInstance::Role;

class SingleInstanceTest : public ::testing::Test {
 protected:
  void TearDown() override {
    QFile::remove(SingleInstance::LockFilePath(key_));
    QFile::remove(SingleInstance::SocketPath(key_));
  }

  // The content of a lock file whose owner has ended, as a crashed copy leaves it.
  void LeaveLockOfEndedProcess() {
    QByteArray content;
    {
      QLockFile probe(SingleInstance::LockFilePath(key_));
      ASSERT_TRUE(probe.tryLock(0));
      QFile file(SingleInstance::LockFilePath(key_));
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      content = file.readAll();
    }
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 pid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    content = QByteArray::number(pid) + content.mid(content.indexOf('\n'));
    QFile file(SingleInstance::LockFilePath(key_));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  // A socket file whose listener has gone, as a crashed copy leaves it.
  void LeaveSocketOfEndedProcess() {
    const QByteArray path = QFile::encodeName(SingleInstance::SocketPath(key_));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(fd, 1), 0);
    ::close(fd);
  }

  const QString key_ = QStringLiteral("talvair-test-") + QUuid::createUuid().toString(QUuid::Id128);
};

TEST_F(SingleInstanceTest, SecondCopyIsDuplicateAndBringsFirstToFront) {
  SingleInstance first(key_);
  ASSERT_EQ(first.Claim(), Role::First);
  QSignalSpy activated(&first, &SingleInstance::ActivationRequested);

  SingleInstance second(key_);
  EXPECT_EQ(second.Claim(), Role::Duplicate);
  EXPECT_TRUE(activated.wait(5000));
  EXPECT_EQ(activated.count(), 1);

  // The answer holds; asking again does not disturb the first copy.
  EXPECT_EQ(second.Claim(), Role::Duplicate);
  EXPECT_FALSE(activated.wait(200));
  EXPECT_EQ(first.Claim(), Role::First);
}

TEST_F(SingleInstanceTest, NewCopyRunsOnceTheFirstHasEnded) {
  {
    SingleInstance first(key_);
    ASSERT_EQ(first.Claim(), Role::First);
  }
  SingleInstance next(key_);
  EXPECT_EQ(next.Claim(), Role::First);
}

TEST_F(SingleInstanceTest, LockAndSocketLeftByCrashedCopyAreTakenOver) {
  LeaveLockOfEndedProcess();
  LeaveSocketOfEndedProcess();
  ASSERT_EQ(QFileInfo(SingleInstance::SocketPath(key_)).isFile(), false);

  SingleInstance next(key_);
  ASSERT_EQ(next.Claim(), Role::First);
  QSignalSpy activated(&next, &SingleInstance::ActivationRequested);
  SingleInstance later(key_);
  EXPECT_EQ(later.Claim(), Role::Duplicate);
  EXPECT_TRUE(activated.wait(5000));
}

TEST_F(SingleInstanceTest, ACopyStartsBesideALiveOwnerThatNobodyAnswers) {
  auto held = std::make_unique<QLockFile>(SingleInstance::LockFilePath(key_));
  ASSERT_TRUE(held->tryLock(0));  // alive (this process) but not listening

  SingleInstance next(key_);
  EXPECT_EQ(next.Claim(), Role::First);
  SingleInstance later(key_);
  EXPECT_EQ(later.Claim(), Role::Duplicate);

  // Once the silent owner is gone, a new copy gets the lock but still finds the running one.
  held.reset();
  QSignalSpy activated(&next, &SingleInstance::ActivationRequested);
  SingleInstance afterwards(key_);
  EXPECT_EQ(afterwards.Claim(), Role::Duplicate);
  EXPECT_TRUE(activated.wait(5000));
}

// Stands for a copy that finds the answering copy running as another user.
class CopyAmongOtherUsers : public SingleInstance {
 public:
  using SingleInstance::SingleInstance;

 protected:
  bool PeerIsThisUser(qintptr /*socketDescriptor*/) const override { return false; }
};

TEST_F(SingleInstanceTest, ACopyOfAnotherUserIsNotTakenForARunningCopy) {
  SingleInstance other(key_);
  ASSERT_EQ(other.Claim(), Role::First);
  QSignalSpy activated(&other, &SingleInstance::ActivationRequested);

  CopyAmongOtherUsers mine(key_);
  EXPECT_EQ(mine.Claim(), Role::First);
  EXPECT_FALSE(activated.wait(300));
  // Copies of the same user still find the one that runs now.
  SingleInstance later(key_);
  EXPECT_EQ(later.Claim(), Role::Duplicate);
}

TEST(SingleInstanceFolderTest, LockAndSocketLiveInAFolderOnlyTheUserCanEnter) {
  const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
  const QByteArray savedTemp = qgetenv("TMPDIR");
  enum Setup { kNone, kClosed, kOpen, kLink, kOtherUsers };
  const struct {
    Setup runtime, own;  // the runtime folder and "talvair-<uid>" in the temp folder
    const char* folder;  // the one taken; empty: none to be had
  } cases[] = {
      {kClosed, kNone, "run"}, {kOpen, kNone, "own"},
      {kNone, kNone, "own"},   {kNone, kOpen, "own"},  // closed to others first
      {kNone, kLink, ""},      {kNone, kOtherUsers, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.runtime) + " " + std::to_string(c.own));
    // Only root can give a folder to another user.
    if (c.own == kOtherUsers && ::geteuid() != 0) continue;
    QTemporaryDir base;
    const QString run = base.filePath("run");
    const QString own = base.filePath(QStringLiteral("tmp/talvair-%1").arg(::geteuid()));
    ASSERT_TRUE(QDir().mkpath(base.filePath("tmp")));
    qputenv("TMPDIR", QFile::encodeName(base.filePath("tmp")));
    qunsetenv("XDG_RUNTIME_DIR");
    const auto make = [](const QString& path, Setup setup) {
      if (setup == kNone) return;
      QDir().mkpath(setup == kLink ? path + "-target" : path);
      if (setup == kLink) QFile::link(path + "-target", path);
      ::chmod(QFile::encodeName(path).constData(), setup == kOpen ? 0755 : 0700);
      if (setup == kOtherUsers) ::chown(QFile::encodeName(path).constData(), 65534, 65534);
    };
    make(run, c.runtime);
    if (c.runtime != kNone) qputenv("XDG_RUNTIME_DIR", QFile::encodeName(run));
    make(own, c.own);

    const QString folder = SingleInstance::PrivateFolder();
    const QString expected = QString(c.folder) == "run"   ? run
                             : QString(c.folder) == "own" ? own
                                                          : QString();
    EXPECT_EQ(folder, expected);
    if (!folder.isEmpty()) {
      EXPECT_EQ(QFileInfo(folder).permissions() & 0x0FF, QFile::Permissions());  // others
      EXPECT_EQ(SingleInstance::SocketPath("k"), folder + "/k");
    }
    // Without a private folder the copy runs, unguarded.
    EXPECT_EQ(SingleInstance(QStringLiteral("talvair-folder-test")).Claim(), Role::First);
  }
  qputenv("XDG_RUNTIME_DIR", savedRuntime);
  if (savedRuntime.isNull()) qunsetenv("XDG_RUNTIME_DIR");
  qputenv("TMPDIR", savedTemp);
  if (savedTemp.isNull()) qunsetenv("TMPDIR");
}

TEST_F(SingleInstanceTest, CopiesWithOtherKeysDoNotMeet) {
  SingleInstance first(key_);
  SingleInstance other(key_ + QStringLiteral("-other"));
  EXPECT_EQ(first.Claim(), Role::First);
  EXPECT_EQ(other.Claim(), Role::First);
}

TEST(SingleInstanceKeyTest, DefaultKeyIsStableAndUsableAsSocketName) {
  const QString key = SingleInstance::DefaultKey();
  EXPECT_EQ(key, SingleInstance::DefaultKey());
  EXPECT_TRUE(key.startsWith(QStringLiteral("talvair-")));
  EXPECT_FALSE(key.contains(u'/'));
}

}  // namespace
}  // namespace talvair::platform
