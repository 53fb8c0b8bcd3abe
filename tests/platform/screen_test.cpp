#include "platform/screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTest>
#include <vector>

namespace talvair::platform {
namespace {

// The area as the screen shows it, left by the repaints so far, and as a fresh draw gives it.
QImage Image(QMdiArea& area, bool shown) {
  QApplication::processEvents();
  const QPixmap pixmap = shown ? area.screen()->grabWindow(area.winId()) : area.grab();
  return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

// After a change of active window the frames on screen are those a fresh draw gives: the old
// active window's title bar does not keep its look, nor does a window restacked on the way,
// and the windows held back from the repaint take their own repaints again.
TEST(ScreenTest, ActivatingASubWindowLeavesEveryFrameAsAFreshDrawShowsIt) {
  for (const bool twoOnTop : {false, true}) {
    QMdiArea area;
    area.resize(640, 420);
    std::vector<QMdiSubWindow*> windows;
    for (int i = 0; i < 4; ++i) {
      windows.push_back(area.addSubWindow(new QLabel(QStringLiteral("Window %1").arg(i))));
      windows.back()->setWindowTitle(QStringLiteral("Window %1").arg(i));
      windows.back()->setGeometry(40 * i, 30 * i, 260, 160);
    }
    windows[0]->setWindowFlag(Qt::WindowStaysOnTopHint, twoOnTop);
    windows[2]->setWindowFlag(Qt::WindowStaysOnTopHint, twoOnTop);
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    area.setActiveSubWindow(windows[1]);
    Image(area, true);

    ActivateSubWindow(area, *windows[3]);
    EXPECT_EQ(area.activeSubWindow(), windows[3]);
    EXPECT_EQ(Image(area, true), Image(area, false)) << twoOnTop;
  }
}

}  // namespace
}  // namespace talvair::platform
