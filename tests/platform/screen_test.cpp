#include "platform/screen.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <vector>

#include "platform/help_viewer.h"
#include "platform/message_box.h"

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

// The help window, frame and title bar included, keeps inside the room the screen leaves:
// as designed where it fits, else smaller, and moved back in when shown again.
TEST(ScreenTest, TheHelpWindowStaysWhollyInsideTheScreensRoom) {
  QTemporaryDir folder;
  QFile file(folder.filePath("help.html"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("<title>Help</title>") > 0);
  file.close();
  const ScopedScriptedMessages messages;  // should the file not open
  QWidget owner;
  owner.setGeometry(0, 0, 800, 600);
  owner.show();
  const struct {
    QRect room;
    QPoint movedTo;  // by the player before Help is chosen again
  } cases[] = {
      {QRect(0, 0, 1280, 1024), {}},
      {QRect(0, 40, 800, 500), {}},  // a panel above, the bottom taken
      {QRect(0, 40, 800, 500), QPoint(-200, -100)},
  };
  for (const auto& c : cases) {
    SetAvailableScreenArea(c.room);
    if (!c.movedTo.isNull()) owner.findChild<QDialog*>("HelpViewer")->move(c.movedTo);
    const QWidget* viewer = ShowHelpFile(&owner, file.fileName())->window();
    EXPECT_TRUE(c.room.contains(viewer->frameGeometry())) << viewer->frameGeometry().y();
    if (c.room.height() > 600) {
      EXPECT_EQ(viewer->size(), QSize(640, 560)) << "as designed";
    }
  }
  SetAvailableScreenArea(std::nullopt);
  // Closed, it hands the keyboard back to its owner.
  auto* viewer = owner.findChild<QDialog*>("HelpViewer");
  ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
  viewer->close();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&owner));
}

}  // namespace
}  // namespace talvair::platform
