#include "shell/table_commands.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <functional>
#include <memory>

#include "main_window_fixture.h"
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

class TableCommandsTest : public MainWindowTest {
 protected:
  void Open(int number) { window_->MenuItem(QStringLiteral("mnuTable"), number)->trigger(); }
  QMdiSubWindow* TableFrame(int number) const {
    const auto entry = window_->Views().OpenViews().Find(views::TableKey(number));
    return entry ? entry->window : nullptr;
  }
  views::frmTable& Table(int number) const {
    return *static_cast<views::frmTable*>(
        window_->Views().OpenViews().Find(views::TableKey(number))->view);
  }
  QAction& Copy() const { return *window_->mnuEditCopy(); }
};

TEST_F(TableCommandsTest, TablesMenuOpensEachTableOnceAndTheWindowMenuArrangesThem) {
  for (int index = 1; index <= 11; ++index) {
    // The hidden items, 10 and 11, are disabled: their commands are called as the items would.
    if (index <= 9) {
      Open(index);
    } else {
      index == 10 ? mnutbltstocks_Click(*window_, index) : mnuTable_Click(*window_, index);
    }
    ASSERT_NE(TableFrame(index), nullptr) << index;
    EXPECT_EQ(TableFrame(index)->windowTitle(), views::TableCaption(*views::FindTable(index)));
  }
  window_->cmdRun()->click();
  QMdiSubWindow* summary = TableFrame(1);
  Open(1);
  EXPECT_EQ(TableFrame(1), summary);
  EXPECT_EQ(window_->MdiArea()->activeSubWindow(), summary);
  EXPECT_EQ(Table(1).NextPeriodRow(), 3) << "the run appended its row; nothing was rebuilt";

  // Windows cascaded past the client area's edges can be scrolled to.
  window_->MenuItem(QStringLiteral("CascadeTables"))->trigger();
  EXPECT_EQ(TableFrame(11)->x(),
            PixelsOf(platform::WindowLeft(*decision_->SubWindow()) + 4500 + 11 * 350));
  EXPECT_TRUE(window_->MdiArea()->verticalScrollBar()->isVisible());
}

TEST_F(TableCommandsTest, CopyPutsTheWindowsPictureAndATablesWholeGridOnTheClipboard) {
  // A fresh table is pictured as it stands, not with the whole grid selected for its text.
  Open(2);
  const QImage fresh = platform::WindowImage(*TableFrame(2));
  Copy().trigger();
  EXPECT_EQ(qvariant_cast<QImage>(QGuiApplication::clipboard()->mimeData()->imageData()), fresh);

  Open(9);
  window_->cmdRun()->click();
  mnuGph_Click(*window_, 118);
  QMdiSubWindow* graph = window_->MdiArea()->activeSubWindow();
  QMdiSubWindow* report =
      window_->Views().AddOpenView(views::kReportBreakevenKey, new views::frmRptBreakeven(model_));
  report->show();
  for (QMdiSubWindow* copied : {graph, report, TableFrame(9)}) {
    window_->MdiArea()->setActiveSubWindow(copied);
    ASSERT_TRUE(Copy().isEnabled());
    Copy().trigger();
    const QMimeData& data = *QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data.hasImage());
    EXPECT_EQ(qvariant_cast<QImage>(data.imageData()).size(), copied->size());
    EXPECT_EQ(data.hasText(), copied == TableFrame(9));
  }
  // Every cell, fixed row and column too: tabs between cells, a carriage return between rows.
  const platform::GridControl& grid = *Table(9).FlxGrid();
  QStringList rows;
  for (int row = 0; row < grid.Rows(); ++row) {
    QStringList cells;
    for (int col = 0; col < grid.Cols(); ++col) cells.append(grid.TextMatrix(row, col));
    rows.append(cells.join('\t'));
  }
  const QString text = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(text.startsWith("Year &\r\nMonth\tAircraft Purchases\tTalvair Fare\t"))
      << text.left(60).toStdString();
  EXPECT_EQ(text, rows.join('\r'));
}

TEST_F(TableCommandsTest, TheDecisionWindowNeverEnablesCopyAndItsLossOfFocusResetsIt) {
  QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
  Open(2);
  const auto toDecision = [&] { decision_->BringToFront(); };
  const struct {
    const char* step;
    std::function<void()> act;
    const char* caption;  // nullptr: disabled
  } steps[] = {
      {"a click into the table's grid",
       [&] {
         QWidget* cells = Table(2).FlxGrid()->View()->viewport();
         QTest::mouseClick(cells, Qt::LeftButton, {}, QPoint(cells->width() / 2, 40));
       },
       "Copy Table Data to Spreadsheet"},
      {"decision window after the table", toDecision, nullptr},
      {"a graph", [&] { mnuGph_Click(*window_, 101); }, "Copy graph to clipboard"},
      {"decision window after the graph", toDecision, nullptr},
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
    const QPoint centre = form->geometry().center();
    EXPECT_NEAR(centre.x(), PixelsOf(6000), 1) << form->objectName().toStdString();
    EXPECT_NEAR(centre.y(), PixelsOf(4500), 1) << form->objectName().toStdString();
  }
  intro.show();
  intro.cmdContinue()->click();
  EXPECT_FALSE(intro.isVisible());
}

}  // namespace
}  // namespace talvair::shell
