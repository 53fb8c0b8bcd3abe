#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLockFile>
#include <QProcess>
#include <QSignalSpy>
#include <QUuid>

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
  const bool root = ::geteuid() == 0;
  struct Case {
    const char* name;
    std::function<void(const QString& base)> prepare;  // may set XDG_RUNTIME_DIR
    const char* folder;  // relative to the base; empty: none to be had
    bool needsRoot = false;
  };
  const auto makeFolder = [](const QString& path, QFile::Permissions permissions) {
    ASSERT_TRUE(QDir().mkpath(path));
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
  };
  const QFile::Permissions closed = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
  const QFile::Permissions open = closed | QFile::ReadOther | QFile::ExeOther;
  const QString own = QStringLiteral("tmp/talvair-%1").arg(::geteuid());
  const Case cases[] = {
      {"a sound runtime folder",
       [&](const QString& base) {
         makeFolder(base + "/run", closed);
         qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base + "/run"));
       },
       "run"},
      {"a runtime folder others can enter",
       [&](const QString& base) {
         makeFolder(base + "/run", open);
         qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base + "/run"));
       },
       "own"},
      {"no runtime folder", [](const QString&) {}, "own"},
      {"an own folder others can enter is closed",
       [&](const QString& base) { makeFolder(base + '/' + own, open); }, "own"},
      {"a link in place of the own folder",
       [&](const QString& base) {
         makeFolder(base + "/elsewhere", closed);
         ASSERT_TRUE(QFile::link(base + "/elsewhere", base + '/' + own));
       },
       ""},
      {"another user's folder in place of the own one",
       [&](const QString& base) {
         makeFolder(base + '/' + own, closed);
         ASSERT_EQ(::chown(QFile::encodeName(base + '/' + own).constData(), 65534, 65534), 0);
       },
       "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.needsRoot && !root) continue;
    QTemporaryDir base;
    ASSERT_TRUE(QDir().mkpath(base.path() + "/tmp"));
    qputenv("TMPDIR", QFile::encodeName(base.path() + "/tmp"));
    qunsetenv("XDG_RUNTIME_DIR");
    c.prepare(base.path());

    const QString folder = SingleInstance::PrivateFolder();
    const QString expected = *c.folder == '\0'          ? QString()
                             : QString(c.folder) == "own" ? base.path() + '/' + own
                                                          : base.path() + '/' + c.folder;
    EXPECT_EQ(folder, expected);
    if (!folder.isEmpty()) {
      const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                                        QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
      EXPECT_EQ(QFileInfo(folder).permissions() & others, QFile::Permissions());
      EXPECT_EQ(SingleInstance::LockFilePath("k"), folder + "/k.lock");
      EXPECT_EQ(SingleInstance::SocketPath("k"), folder + "/k");
    }
    // Without a private folder the copy runs, unguarded.
    SingleInstance copy(QStringLiteral("talvair-folder-test"));
    EXPECT_EQ(copy.Claim(), Role::First);
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
