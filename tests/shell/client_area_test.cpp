// Windows stay in sight in the client area: a minimised window's bar at its bottom, over the
// background and the other windows, whatever the player does meanwhile; the notepad whole.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "main_window_fixture.h"
#include "platform/file_dialog.h"
#include "platform/pause.h"
#include "shell/notepad_window.h"
#include "storage/saved_game.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

class ClientAreaTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    window_->resize(1024, 768);
    for (const int graph : {101, 102}) Trigger("mnuGph", graph);
    Trigger("mnuRptSummary");
    Trigger("mnuRptFinancialReport");
    Trigger("mnuTable", 1);
    graph_ = Window(window_->Views().GraphWindows(), views::FixedGraphKey(102));
    report_ = Window(window_->Views().OpenViews(), views::kReportFinanceKey);
    graph_->showMinimized();
    report_->showMinimized();
    QApplication::processEvents();
  }

  void Trigger(const char* item, int index = -1) {
    QAction* action = index < 0 ? window_->MenuItem(QString::fromLatin1(item))
                                : window_->MenuItem(QString::fromLatin1(item), index);
    action->trigger();
  }
  template <class Views>
  static QMdiSubWindow* Window(const Views& views, const QString& key) {
    return views.Find(key)->window;
  }
  QMdiSubWindow* Other(const char* title) const {
    for (QMdiSubWindow* w : window_->MdiArea()->subWindowList())
      if (w->windowTitle().startsWith(QString::fromLatin1(title))) return w;
    return nullptr;
  }

  // The bar lies along the bottom of the client area and is what the player sees there.
  void ExpectInSight(const QMdiSubWindow* bar, const char* name) const {
    const QWidget* viewport = window_->MdiArea()->viewport();
    EXPECT_TRUE(bar->isVisible() && bar->isMinimized()) << name;
    EXPECT_EQ(bar->geometry().bottom(), viewport->rect().bottom()) << name;
    for (const QPoint corner : {bar->geometry().topLeft() + QPoint(2, 2), bar->geometry().center(),
                                bar->geometry().bottomRight() - QPoint(2, 2)}) {
      const QWidget* seen = viewport->childAt(corner);
      EXPECT_TRUE(seen == bar || bar->isAncestorOf(seen)) << name;
    }
  }

  platform::RecordedPauses pauses_;
  platform::ScriptedFileDialogs dialogs_;
  QTemporaryDir folder_;
  QMdiSubWindow* graph_ = nullptr;
  QMdiSubWindow* report_ = nullptr;
};

TEST_F(ClientAreaTest, BarsStayInSightWhateverElseHappens) {
  const struct {
    const char* name;
    std::function<void()> action;
  } cases[] = {
      {"a click in another window",
       [&] { QTest::mouseClick(Other("Balance")->widget(), Qt::LeftButton); }},
      {"View > Decision Window", [&] { Trigger("mdwa"); }},
      {"Cascade Graphs", [&] { Trigger("CascadeGraph"); }},
      {"Tile Graphs", [&] { Trigger("TileGraph"); }},
      {"Cascade Reports", [&] { Trigger("CascadeReport"); }},
      {"Cascade Tables", [&] { Trigger("CascadeTables"); }},
      {"a report opened", [&] { Trigger("mnuRptEmployees"); }},
      {"Open Game",
       [&] {
         const QString path = folder_.filePath("g.dat");
         ASSERT_EQ(storage::SaveGame(model_, path.toStdString(), true, ""), 0);
         dialogs_.Choose(path);
         Trigger("mnuFileOpen");
       }},
      {"another maximised and restored",
       [&] {
         QMdiSubWindow* other = Other("Balance");
         other->showMaximized();
         QApplication::processEvents();
         other->showNormal();
       }},
  };
  for (const auto& c : cases) {
    SetUp();
    c.action();
    QApplication::processEvents();
    ExpectInSight(graph_, c.name);
    ExpectInSight(report_, c.name);
  }
}

// Among reports and cascaded tables the area would put the notepad where it overlaps them least:
// below the client area's bottom, its title alone in sight.
TEST_F(ClientAreaTest, TheNotepadOpensInsideTheClientArea) {
  Trigger("mnuTable", 2);
  Trigger("CascadeTables");
  Trigger("mnuViewNotepad");
  const QWidget* notepad = OpenNotepad(*window_)->parentWidget();
  EXPECT_TRUE(window_->MdiArea()->viewport()->rect().contains(notepad->geometry()))
      << notepad->geometry().y();
}

}  // namespace
}  // namespace talvair::shell
