// Windows stay in sight in the client area: a minimised window's bar at its bottom, over the
// background and the other windows, whatever the player does meanwhile; the notepad whole.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <QTest>
#include <array>
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
    for (const int graph : {101, 102}) window_->MenuItem("mnuGph", graph)->trigger();
    Trigger("mnuRptSummary");
    Trigger("mnuRptFinancialReport");
    window_->MenuItem("mnuTable", 1)->trigger();
    const auto& open = window_->Views();
    other_ = open.GraphWindows().Find(views::FixedGraphKey(101))->window;
    bars_ = {open.GraphWindows().Find(views::FixedGraphKey(102))->window,
             open.OpenViews().Find(views::kReportFinanceKey)->window};
    for (QMdiSubWindow* bar : bars_) bar->showMinimized();
    QApplication::processEvents();
  }
  void Trigger(const char* item) { window_->MenuItem(item)->trigger(); }

  platform::RecordedPauses pauses_;
  platform::ScriptedFileDialogs dialogs_;
  QTemporaryDir folder_;
  QMdiSubWindow* other_ = nullptr;  // a normal window
  std::array<QMdiSubWindow*, 2> bars_{};
};

TEST_F(ClientAreaTest, BarsStayInSightWhateverElseHappens) {
  const struct {
    const char* name;
    std::function<void()> action;
    bool coveredByMaximised = false;
  } cases[] = {
      {"a click in another window", [&] { QTest::mouseClick(other_->widget(), Qt::LeftButton); }},
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
         other_->showMaximized();
         QApplication::processEvents();
         other_->showNormal();
       }},
      {"another over the whole area, activated",
       [&] {
         other_->setGeometry(window_->MdiArea()->viewport()->rect());
         QTest::mouseClick(other_->widget(), Qt::LeftButton);
       }},
      {"another maximised", [&] { other_->showMaximized(); }, true},
  };
  for (const auto& c : cases) {
    SetUp();
    c.action();
    QApplication::processEvents();
    // Each bar lies along the client area's bottom and is what the player sees there, unless
    // a maximised window covers them all.
    const QWidget* viewport = window_->MdiArea()->viewport();
    for (const QMdiSubWindow* bar : bars_) {
      const QRect at = bar->geometry();
      EXPECT_TRUE(bar->isVisible() && bar->isMinimized()) << c.name;
      EXPECT_EQ(at.bottom(), viewport->rect().bottom()) << c.name;
      const QWidget* over = c.coveredByMaximised ? other_ : bar;
      for (const QPoint point :
           {at.topLeft() + QPoint(2, 2), at.center(), at.bottomRight() - QPoint(2, 2)}) {
        const QWidget* seen = viewport->childAt(point);
        EXPECT_TRUE(seen == over || over->isAncestorOf(seen)) << c.name;
      }
    }
  }
}

// Among reports and cascaded tables the area would put the notepad where it overlaps them least:
// below the client area's bottom, its title alone in sight.
TEST_F(ClientAreaTest, TheNotepadOpensInsideTheClientArea) {
  window_->MenuItem("mnuTable", 2)->trigger();
  Trigger("CascadeTables");
  Trigger("mnuViewNotepad");
  const QWidget* notepad = OpenNotepad(*window_)->parentWidget();
  EXPECT_TRUE(window_->MdiArea()->viewport()->rect().contains(notepad->geometry()))
      << notepad->geometry().y();
}

}  // namespace
}  // namespace talvair::shell
