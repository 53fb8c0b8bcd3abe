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

// What the screen shows of the area, as left by the repaints so far.
QImage Shown(QMdiArea& area) {
  QCoreApplication::sendPostedEvents();
  QApplication::processEvents();
  return area.screen()->grabWindow(area.winId()).toImage().convertToFormat(QImage::Format_RGB32);
}

QImage Fresh(QMdiArea& area) { return area.grab().toImage().convertToFormat(QImage::Format_RGB32); }

// After a change of active window the frames on screen are those a fresh draw gives: the old
// active window's title bar does not keep its look, nor does a window restacked on the way.
TEST(ScreenTest, ActivatingASubWindowLeavesEveryFrameAsAFreshDrawShowsIt) {
  enum class Active { Plain, UnderTwoOnTop };
  for (const Active before : {Active::Plain, Active::UnderTwoOnTop}) {
    QMdiArea area;
    area.resize(640, 420);
    std::vector<QMdiSubWindow*> windows;
    for (int i = 0; i < 4; ++i) {
      QMdiSubWindow* window = area.addSubWindow(new QLabel(QStringLiteral("Window %1").arg(i)));
      window->setWindowTitle(QStringLiteral("Window %1").arg(i));
      window->setGeometry(40 * i, 30 * i, 260, 160);
      windows.push_back(window);
    }
    if (before == Active::UnderTwoOnTop) {
      windows[0]->setWindowFlag(Qt::WindowStaysOnTopHint);
      windows[2]->setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    area.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&area));
    area.setActiveSubWindow(windows[1]);
    Shown(area);

    ActivateSubWindow(area, *windows[3]);
    EXPECT_EQ(area.activeSubWindow(), windows[3]);
    EXPECT_EQ(Shown(area), Fresh(area)) << static_cast<int>(before);
    // Held windows take their own repaints again.
    windows[0]->setWindowTitle(QStringLiteral("Renamed"));
    EXPECT_EQ(Shown(area), Fresh(area)) << static_cast<int>(before);
  }
}

}  // namespace
}  // namespace talvair::platform
