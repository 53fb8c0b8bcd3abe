#include "shell/table_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

#include "model/game.h"
#include "model/language.h"
#include "platform/grid_control.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/graph_commands.h"
#include "shell/intro_forms.h"
#include "shell/main_window.h"
#include "shell/window_commands.h"
#include "views/report_window.h"
#include "views/simple_reports.h"
#include "views/table_window.h"
#include "views/window_arrangement.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

using platform::PixelsOf;

class TableCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TheGame = &model_;
    AppTitle = QStringLiteral("Talvair");
    GoBackWarnings = false;
    window_ = std::make_unique<frmMDI>(model_);
    window_->Load();
    window_->AttachModel();
    decision_ = CreateDecisionWindow(*window_->MdiArea(), model_, window_->TimeStepCaption());
    window_->show();
    QApplication::setActiveWindow(window_.get());
  }
  void TearDown() override {
    window_.reset();
    TheGame = nullptr;
    GoBackWarnings = true;
    CurrentLanguage = "English";
  }

  views::WindowManager& Views() const { return window_->Views(); }
  QMdiSubWindow* TableFrame(int number) const {
    const auto entry = Views().OpenViews().Find(views::TableKey(number));
    return entry ? entry->window : nullptr;
  }
  views::frmTable* Table(int number) const {
    const auto entry = Views().OpenViews().Find(views::TableKey(number));
    return entry ? static_cast<views::frmTable*>(entry->view) : nullptr;
  }
  QMdiSubWindow* OpenReport() {
    auto* report = new views::frmRptBreakeven(model_);
    QMdiSubWindow* frame = Views().AddOpenView(views::kReportBreakevenKey, report);
    frame->show();
    window_->MdiArea()->setActiveSubWindow(frame);
    return frame;
  }
  QAction& Copy() const { return *window_->mnuEditCopy(); }

  game model_;
  platform::ScopedScriptedMessages messages_;
  std::unique_ptr<frmMDI> window_;
  frmDecision* decision_ = nullptr;
};

TEST_F(TableCommandsTest, TablesMenuOpensEachTableOnceAndBringsItForward) {
  const struct {
    const char* item;
    int index;
    const char* caption;
  } items[] = {
      {"mnuTable", 1, "Summary data"},
      {"mnuTable", 2, "Breakeven analysis"},
      {"mnuTable", 3, "Capacity and load"},
      {"mnuTable", 4, "Employees"},
      {"mnuTable", 5, "Financial report data"},
      {"mnuTable", 6, "Market Research data"},
      {"mnuTable", 7, "Stock Price and Earnings"},
      {"mnuTable", 8, "All public variables - in report order"},
      {"mnuTable", 9, "Users decisions"},
      {"mnutbltstocks", 10, "Stocks"},
      {"mnuTable", 11, "All Vars"},
  };
  for (const auto& i : items) {
    QAction* item = window_->MenuItem(QString::fromLatin1(i.item), i.index);
    ASSERT_NE(item, nullptr) << i.index;
    // The hidden items are disabled: their commands are called as the item would.
    if (item->isEnabled()) {
      item->trigger();
    } else if (i.index == 10) {
      mnutbltstocks_Click(*window_, i.index);
    } else {
      mnuTable_Click(*window_, i.index);
    }
    ASSERT_NE(TableFrame(i.index), nullptr) << i.index;
    EXPECT_EQ(TableFrame(i.index)->windowTitle(), i.caption) << i.index;
    EXPECT_TRUE(TableFrame(i.index)->isVisible()) << i.index;
  }
  window_->cmdRun()->click();
  QMdiSubWindow* summary = TableFrame(1);
  window_->MenuItem(QStringLiteral("mnuTable"), 1)->trigger();
  EXPECT_EQ(TableFrame(1), summary);
  EXPECT_EQ(window_->MdiArea()->activeSubWindow(), summary);
  EXPECT_EQ(Table(1)->NextPeriodRow(), 3) << "the run appended its row; nothing was rebuilt";
  EXPECT_EQ(Views().OpenViews().Count(), 11);
}

TEST_F(TableCommandsTest, CopyPutsTheWindowsPictureAndATablesWholeGridOnTheClipboard) {
  window_->MenuItem(QStringLiteral("mnuTable"), 9)->trigger();
  window_->cmdRun()->click();
  QMdiSubWindow* table = TableFrame(9);
  window_->MdiArea()->setActiveSubWindow(table);
  ASSERT_TRUE(Copy().isEnabled());
  Copy().trigger();
  const QMimeData* copied = QGuiApplication::clipboard()->mimeData();
  ASSERT_TRUE(copied->hasImage());
  EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).size(), table->size());
  const platform::GridControl& grid = *Table(9)->FlxGrid();
  const QStringList rows = copied->text().split('\r');
  // The corner cell's own line break splits the header into two lines.
  ASSERT_EQ(rows.size(), grid.Rows() + 1);
  EXPECT_EQ(rows[0], "Year &");
  EXPECT_EQ(rows[1].split('\t'),
            (QStringList{"\nMonth", "Aircraft Purchases", "Talvair Fare", "Marketing Fraction",
                         "Hiring", "Target Service Scope"}));
  for (int row = 1; row < grid.Rows(); ++row) {
    EXPECT_EQ(rows[row + 1].split('\t').size(), grid.Cols()) << row;
    EXPECT_EQ(rows[row + 1].split('\t')[0], grid.TextMatrix(row, 0)) << row;
  }
  EXPECT_EQ(rows[3].split('\t')[2], grid.TextMatrix(2, 2));

  mnuGph_Click(*window_, 118);
  Copy().trigger();
  copied = QGuiApplication::clipboard()->mimeData();
  EXPECT_TRUE(copied->hasImage());
  EXPECT_FALSE(copied->hasText()) << "a graph is copied as a picture only";
  EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).size(),
            window_->MdiArea()->activeSubWindow()->size());

  QMdiSubWindow* report = OpenReport();
  report->widget()->setFocus();
  Copy().trigger();
  copied = QGuiApplication::clipboard()->mimeData();
  EXPECT_FALSE(copied->hasText());
  EXPECT_EQ(qvariant_cast<QImage>(copied->imageData()).size(), report->size());
}

TEST_F(TableCommandsTest, TheDecisionWindowNeverEnablesCopyAndItsLossOfFocusResetsIt) {
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  window_->MenuItem(QStringLiteral("mnuTable"), 2)->trigger();
  QMdiSubWindow* table = TableFrame(2);
  const struct {
    const char* step;
    std::function<void()> act;
    bool enabled;
    const char* caption;
  } steps[] = {
      {"table active", [&] { window_->MdiArea()->setActiveSubWindow(table); }, true,
       "Copy Table Data to Spreadsheet"},
      {"decision window", [&] { decision_->BringToFront(); }, false, "Copy to Clipboard"},
      {"a click into the table's grid",
       [&] {
         QWidget* cells = Table(2)->FlxGrid()->View()->viewport();
         QTest::mouseClick(cells, Qt::LeftButton, {}, QPoint(cells->width() / 2, 40));
       },
       true, "Copy Table Data to Spreadsheet"},
      {"a graph from the decision window",
       [&] {
         decision_->BringToFront();
         mnuGph_Click(*window_, 101);
       },
       true, "Copy graph to clipboard"},
      {"decision window again", [&] { decision_->BringToFront(); }, false, "Copy to Clipboard"},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(Copy().isEnabled(), s.enabled) << s.step;
    EXPECT_EQ(Copy().text(), s.caption) << s.step;
  }
  mnuEditCopy_Click(*window_);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

TEST_F(TableCommandsTest, ArrangementCommandsAreOnTheWindowMenuAndTheAreaScrollsToWhatTheyPlace) {
  const platform::ScopedScreenTwips screen(60000, 40000);
  QMdiArea& area = *window_->MdiArea();
  EXPECT_EQ(area.horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_EQ(area.verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  for (int number : {1, 2, 3, 4, 5, 6, 7, 8, 9}) {
    window_->MenuItem(QStringLiteral("mnuTable"), number)->trigger();
  }
  window_->MenuItem(QStringLiteral("CascadeTables"))->trigger();
  EXPECT_EQ(TableFrame(9)->x(),
            PixelsOf(platform::WindowLeft(*decision_->SubWindow()) + 4500 + 9 * 350));
  EXPECT_TRUE(area.verticalScrollBar()->isVisible() || area.horizontalScrollBar()->isVisible());

  for (int number : {101, 102, 103}) mnuGph_Click(*window_, number);
  window_->MenuItem(QStringLiteral("TileGraph"))->trigger();
  const auto graph = Views().GraphWindows().Find(views::FixedGraphKey(103));
  EXPECT_EQ(graph->window->size(), QSize(PixelsOf(3500), PixelsOf(1900)));

  QMdiSubWindow* report = OpenReport();
  window_->MenuItem(QStringLiteral("CascadeReport"))->trigger();
  EXPECT_FALSE(views::CascadingReports);
  EXPECT_EQ(report->pos(),
            QPoint(0, PixelsOf(platform::WindowHeight(*decision_->SubWindow()) - 50)));
}

TEST_F(TableCommandsTest, IntroductionAndWaitingFormsCentreThemselvesOnTheScreen) {
  const platform::ScopedScreenTwips screen(12000, 9000);
  writemes waiting;
  EXPECT_EQ(waiting.windowTitle(), "Writemes");
  EXPECT_EQ(waiting.Label1()->text(), "Working.... please wait");
  EXPECT_EQ(waiting.pos(), QPoint(PixelsOf((12000 - platform::WindowWidth(waiting)) / 2.0),
                                  PixelsOf((9000 - platform::WindowHeight(waiting)) / 2.0)));

  frmIntro intro;
  EXPECT_EQ(intro.pos(), QPoint(PixelsOf((12000 - platform::WindowWidth(intro)) / 2.0),
                                PixelsOf((9000 - platform::WindowHeight(intro)) / 2.0)));
  EXPECT_TRUE(intro.Label(1)->text().contains("10 restaurants"));
  EXPECT_EQ(intro.Label(6)->text(),
            "Remember to use the tutorial in the User Guide, which will take you through all the "
            "menu options. Good luck!");
  EXPECT_EQ(intro.Label(7), nullptr);
  intro.show();
  intro.cmdContinue()->click();
  EXPECT_FALSE(intro.isVisible());
}

}  // namespace
}  // namespace talvair::shell
