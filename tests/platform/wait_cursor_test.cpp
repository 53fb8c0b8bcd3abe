#include "platform/wait_cursor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCursor>
#include <stdexcept>

namespace talvair::platform {
namespace {

Qt::CursorShape Shown() {
  const QCursor* cursor = QApplication::overrideCursor();
  return cursor == nullptr ? Qt::ArrowCursor : cursor->shape();
}

class WaitCursorTest : public ::testing::Test {
 protected:
  void TearDown() override { ResetMousePointer(); }
};

TEST_F(WaitCursorTest, RestoresThePointerShownBefore) {
  QApplication::setOverrideCursor(Qt::PointingHandCursor);
  {
    WaitCursor wait;
    EXPECT_EQ(Shown(), Qt::WaitCursor);
  }
  EXPECT_EQ(Shown(), Qt::PointingHandCursor);
  QApplication::restoreOverrideCursor();
}

TEST_F(WaitCursorTest, RestoresWhenAnExceptionPassesThrough) {
  try {
    WaitCursor wait;
    throw std::runtime_error("fault");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WaitCursorTest, ResetTakesBackTheUnguardedHourglassesOnly) {
  ShowHourglass();
  ShowHourglass();
  {
    WaitCursor wait;
    ResetMousePointer();
    EXPECT_EQ(Shown(), Qt::WaitCursor);  // the guard's own is still up
  }
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  ResetMousePointer();  // nothing left to take back
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace talvair::platform
