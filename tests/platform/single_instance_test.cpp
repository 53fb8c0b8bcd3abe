#include "platform/single_instance.h"

#include <gtest/gtest.h>

#include <memory>

#include <QDir>
#include <QFile>
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
    QFile::remove(QDir::temp().filePath(key_));
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
  QFile leftSocket(QDir::temp().filePath(key_));
  ASSERT_TRUE(leftSocket.open(QIODevice::WriteOnly));
  leftSocket.close();

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
