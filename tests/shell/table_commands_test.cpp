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
#include "platform/clipboard.h"
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
#include "views/simple_reports.h"
#include "views/table_catalogue.h"
#include "views/table_window.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

using platform::PixelsOf;

class TableCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
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
  QAction& Copy() const { return *window_->mnuEditCopy(); }

  game model_;
  platform::ScopedScriptedMessages messages_;
  std::unique_ptr<frmMDI> window_;
  frmDecision* decision_ = nullptr;
};

TEST_F(TableCommandsTest, TablesMenuOpensEachTableOnceAndTheWindowMenuArrangesThem) {
  for (int index = 1; index <= 11; ++index) {
    QAction* item = window_->MenuItem(index == 10 ? "mnutbltstocks" : "mnuTable", index);
    ASSERT_NE(item, nullptr) << index;
    // The hidden items are disabled: their commands are called as the items would.
    if (index <= 9) {
      item->trigger();
    } else {
      index == 10 ? mnutbltstocks_Click(*window_, index) : mnuTable_Click(*window_, index);
    }
    ASSERT_NE(TableFrame(index), nullptr) << index;
    EXPECT_EQ(TableFrame(index)->windowTitle(), views::TableCaption(*views::FindTable(index)));
  }
  window_->cmdRun()->click();
  QMdiSubWindow* summary = TableFrame(1);
  window_->MenuItem(QStringLiteral("mnuTable"), 1)->trigger();
  EXPECT_EQ(TableFrame(1), summary);
  EXPECT_EQ(window_->MdiArea()->activeSubWindow(), summary);
  EXPECT_EQ(Table(1)->NextPeriodRow(), 3) << "the run appended its row; nothing was rebuilt";

  // Windows cascaded past the client area's edges can be scrolled to.
  window_->MenuItem(QStringLiteral("CascadeTables"))->trigger();
  EXPECT_EQ(TableFrame(11)->x(),
            PixelsOf(platform::WindowLeft(*decision_->SubWindow()) + 4500 + 11 * 350));
  EXPECT_EQ(window_->MdiArea()->horizontalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  EXPECT_TRUE(window_->MdiArea()->verticalScrollBar()->isVisible());
}

TEST_F(TableCommandsTest, CopyPutsTheWindowsPictureAndATablesWholeGridOnTheClipboard) {
  window_->MenuItem(QStringLiteral("mnuTable"), 9)->trigger();
  window_->cmdRun()->click();
  mnuGph_Click(*window_, 118);
  QMdiSubWindow* graph = window_->MdiArea()->activeSubWindow();
  QMdiSubWindow* report =
      Views().AddOpenView(views::kReportBreakevenKey, new views::frmRptBreakeven(model_));
  report->show();
  for (QMdiSubWindow* copied : {TableFrame(9), graph, report}) {
    window_->MdiArea()->setActiveSubWindow(copied);
    ASSERT_TRUE(Copy().isEnabled());
    Copy().trigger();
    const QMimeData& data = *QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data.hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data.imageData()).size(), copied->size());
    EXPECT_EQ(data.hasText(), copied == TableFrame(9));
  }

  // A fresh table, pictured as it stands, not with the whole grid selected for its text.
  window_->MenuItem(QStringLiteral("mnuTable"), 2)->trigger();
  const QImage before = platform::WindowImage(*TableFrame(2));
  Copy().trigger();
  EXPECT_EQ(qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData()), before);

  window_->MdiArea()->setActiveSubWindow(TableFrame(9));
  Copy().trigger();
  const platform::GridControl& grid = *Table(9)->FlxGrid();
  // Rows end in a carriage return; the corner cell's own line break splits the header.
  const QStringList rows = QGuiApplication::clipboard()->text().split('\r');
  ASSERT_EQ(rows.size(), grid.Rows() + 1);
  EXPECT_EQ(rows[0], "Year &");
  EXPECT_EQ(rows[1].split('\t'),
            (QStringList{"\nMonth", "Aircraft Purchases", "Talvair Fare", "Marketing Fraction",
                         "Hiring", "Target Service Scope"}));
  for (int row = 1; row < grid.Rows(); ++row) {
    const QStringList cells = rows[row + 1].split('\t');
    ASSERT_EQ(cells.size(), grid.Cols()) << row;
    EXPECT_EQ(cells[0], grid.TextMatrix(row, 0)) << row;
    EXPECT_EQ(cells[5], grid.TextMatrix(row, 5)) << row;
  }
}

TEST_F(TableCommandsTest, TheDecisionWindowNeverEnablesCopyAndItsLossOfFocusResetsIt) {
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  window_->MenuItem(QStringLiteral("mnuTable"), 2)->trigger();
  const struct {
    const char* step;
    std::function<void()> act;
    const char* caption;  // nullptr: disabled
  } steps[] = {
      {"decision window", [&] { decision_->BringToFront(); }, nullptr},
      {"a click into the table's grid",
       [&] {
         QWidget* cells = Table(2)->FlxGrid()->View()->viewport();
         QTest::mouseClick(cells, Qt::LeftButton, {}, QPoint(cells->width() / 2, 40));
       },
       "Copy Table Data to Spreadsheet"},
      {"decision window again", [&] { decision_->BringToFront(); }, nullptr},
      {"a graph", [&] { mnuGph_Click(*window_, 101); }, "Copy graph to clipboard"},
      {"decision window at last", [&] { decision_->BringToFront(); }, nullptr},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(Copy().isEnabled(), s.caption != nullptr) << s.step;
    EXPECT_EQ(Copy().text(), s.caption ? s.caption : "Copy to Clipboard") << s.step;
  }
  mnuEditCopy_Click(*window_);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
}

TEST_F(TableCommandsTest, IntroductionAndWaitingFormsCentreThemselvesOnTheScreen) {
  const platform::ScopedScreenTwips screen(12000, 9000);
  writemes waiting;
  frmIntro intro;
  for (const QWidget* form : std::initializer_list<const QWidget*>{&waiting, &intro}) {
    EXPECT_NEAR(form->x() + form->width() / 2.0, PixelsOf(6000), 1)
        << form->objectName().toStdString();
    EXPECT_NEAR(form->y() + form->height() / 2.0, PixelsOf(4500), 1)
        << form->objectName().toStdString();
  }
  intro.show();
  intro.cmdContinue()->click();
  EXPECT_FALSE(intro.isVisible());
}

}  // namespace
}  // namespace talvair::shell
