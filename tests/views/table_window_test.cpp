#include "views/table_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "model/game.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "platform/grid_control.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "views/copy_menu.h"
#include "views/decision_window_link.h"
#include "views/graph_registry.h"
#include "views/table_catalogue.h"
#include "views/window_manager.h"

namespace talvair::views {
namespace {

using platform::PixelsOf;

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class TableWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    numtext::SetCurrentNumberLocale({".", ","});
    area_.resize(1500, 950);
    area_.show();
    QApplication::setActiveWindow(&area_);
    InstallCopyMenuItem(&copy_);
    decision_ = area_.addSubWindow(new QWidget);
    decision_->setGeometry(0, 0, PixelsOf(4500), PixelsOf(3000));
    decision_->show();
    InstallDecisionWindow(decision_);
    views_.SetTableWindowFactory([this] { return new frmTable(model_, views_, graphs_); });
  }
  void TearDown() override {
    views_.CloseViews("");
    RunDeferredDeletes();
    InstallCopyMenuItem(nullptr);
    InstallDecisionWindow(nullptr);
    CurrentLanguage = "English";
    numtext::SetCurrentNumberLocale({});
  }

  frmTable& Table(int number) {
    views_.ShowTable(number);
    return *static_cast<frmTable*>(views_.OpenViews().Find(TableKey(number))->view);
  }
  QMdiSubWindow& Frame(int number) { return *views_.OpenViews().Find(TableKey(number))->window; }
  void Run(int quarters) {
    model_.RunPeriod(static_cast<int16_t>(quarters));
    model_.GoForward();
  }
  // The first column of each filled row.
  static std::vector<std::string> PeriodColumn(frmTable& table) {
    std::vector<std::string> labels;
    for (int row = 1; row < table.FlxGrid()->Rows() - 1; ++row) {
      labels.push_back(table.FlxGrid()->TextMatrix(row, 0).toStdString());
    }
    return labels;
  }
  std::vector<std::string> Labels(int last) {
    std::vector<std::string> labels;
    for (int p = 0; p <= last; ++p) labels.push_back(model_.PeriodDescription(p, true));
    return labels;
  }

  platform::ScopedScreenTwips screen_{19200, 14400};
  game model_;
  QMdiArea area_;
  WindowManager views_{&area_};
  GraphRegistry graphs_{&model_};
  QAction copy_;
  QMdiSubWindow* decision_ = nullptr;
};

TEST_F(TableWindowTest, RowsFollowEveryRunAndAreRebuiltAfterGoingBack) {
  frmTable& table = Table(9);
  const struct {
    const char* step;
    std::function<void()> act;
    int period;
  } steps[] = {
      {"opened at period 0", [] {}, 0},
      {"run 4 from 0",
       [&] {
         Run(4);
         table.Update();
       },
       4},
      {"update without a run", [&] { table.Update(); }, 4},
      {"run 3",
       [&] {
         Run(3);
         table.Update();
       },
       7},
      {"back 2, reset, update",
       [&] {
         model_.RunPeriod(2);
         model_.GoBack();
         table.Reset();
         table.Update();
       },
       5},
      {"restart, reset",
       [&] {
         model_.Restart();
         table.Reset();
       },
       0},
  };
  for (const auto& s : steps) {
    s.act();
    EXPECT_EQ(PeriodColumn(table), Labels(s.period)) << s.step;
    EXPECT_EQ(table.FlxGrid()->Rows(), s.period + 3) << s.step << ": one empty row last";
    EXPECT_EQ(table.NextPeriodRow(), s.period + 2) << s.step;
    EXPECT_EQ(table.FlxGrid()->TextMatrix(s.period + 1, 2),
              TableCellText(model_, 204, static_cast<int16_t>(s.period)))
        << s.step;
  }
}

TEST_F(TableWindowTest, CellTextsFollowTheVariablesPatternGroup) {
  const struct {
    int32_t var;
    double value;
    const char* text;
  } cases[] = {
      {19, 12345.678949, "12,345.6789  "},
      {320, -1.23456, "-1.2346  "},
      {336, 2.5, "2.5000  "},
      {204, 0.12349, "0.123  "},
      {337, 1234.5, "1,234.500  "},
      {9, 1234.4, "1,234  "},
      {315, 7.6, "8  "},
      {253, 0.126, "0.13  "},
      {188, 1e6, "1,000,000.00  "},
      {kBlankColumn, 5.0, "  "},
  };
  for (const auto& c : cases) {
    if (c.var != kBlankColumn) model_.SetVarValue(c.var, 1, 0, c.value);
    EXPECT_EQ(TableCellText(model_, c.var, 2).toStdString(), c.text) << c.var;
  }
}

TEST_F(TableWindowTest, EmployeesPerPlaneComesFromWholeEmployeesAndPlanes) {
  const struct {
    double employees;
    double aircraft;
    const char* text;
  } cases[] = {
      {130.5, 3.4, "43  "},   // 130 / 3
      {131.5, 2.5, "66  "},   // 132 / 2, halves to the even neighbour
      {500.0, 0.0, "n/a  "},  // no plane
      {500.0, 0.4, "n/a  "},  // no whole plane
      {500.0, -2.0, "n/a  "},
  };
  for (const auto& c : cases) {
    model_.SetVarValue(286, 1, 0, c.employees);
    model_.SetVarValue(9, 1, 0, c.aircraft);
    EXPECT_EQ(TableCellText(model_, 109, 2).toStdString(), c.text)
        << c.employees << " / " << c.aircraft;
  }
}

TEST_F(TableWindowTest, ColumnsCaptionAndHeadersComeFromTheCatalogueInTheCurrentLanguage) {
  const int columns[] = {17, 6, 6, 10, 13, 9, 6, 73, 5, 39, 339};
  for (int number = 1; number <= 11; ++number) {
    EXPECT_EQ(static_cast<int>(FindTable(number)->columns.size()), columns[number - 1]) << number;
  }
  EXPECT_EQ(FindTable(0), nullptr);
  EXPECT_EQ(FindTable(12), nullptr);

  frmTable& all = Table(8);
  for (int col = 1; col <= all.TableVarCount(); ++col) {
    const bool blank = col == 18 || col == 25 || col == 32 || col == 43 || col == 57;
    EXPECT_EQ(all.TableVarNumbers()[col] == kBlankColumn, blank) << col;
    EXPECT_EQ(all.FlxGrid()->TextMatrix(0, col).isEmpty(), blank) << col;
    if (blank) {
      EXPECT_EQ(all.FlxGrid()->TextMatrix(1, col), "  ") << col;
    }
    EXPECT_EQ(all.TableVarNumbers()[col] == 21, col == 8 || col == 59 || col == 65) << col;
  }
  EXPECT_EQ(all.TableVarNumbers()[39], 32);
  EXPECT_EQ(all.TableVarNumbers()[68], 269);

  frmTable& every = Table(11);
  EXPECT_EQ(every.FlxGrid()->Cols(), 340);
  EXPECT_EQ(every.TableVarNumbers()[302], 338);
  EXPECT_EQ(every.TableVarNumbers()[338], 302);
  EXPECT_EQ(every.TableVarNumbers()[301], 301);

  const struct {
    const char* language;
    const char* caption;
    const char* corner;
  } languages[] = {
      {"English", "Employees", "Year &\r\nMonth"},
      {"Spanish", "Personal", "Año &\r\nMes"},
      {"Port", "Funcionários", "Ano \r\nMês"},
  };
  frmTable& employees = Table(4);
  for (const auto& l : languages) {
    CurrentLanguage = l.language;
    employees.Reset();
    EXPECT_EQ(Frame(4).windowTitle(), QString::fromUtf8(l.caption)) << l.language;
    EXPECT_EQ(employees.FlxGrid()->TextMatrix(0, 0), QString::fromUtf8(l.corner)) << l.language;
    EXPECT_EQ(employees.FlxGrid()->TextMatrix(0, 1).toStdString(), model_.GetVarName(286, 0))
        << l.language;
  }
}

TEST_F(TableWindowTest, ContentWidthFollowsTheScreenAndTheColumnCount) {
  const struct {
    int screenWidth;
    int table;
    int contentWidth;
  } cases[] = {
      {12000, 2, 8830},  {12000, 6, 11500}, {15360, 9, 7650},  {15360, 4, 14860}, {19200, 4, 13550},
      {19200, 1, 18450}, {15000, 6, 12370}, {19000, 6, 12370}, {14999, 6, 14499}, {19001, 1, 18251},
  };
  for (const auto& c : cases) {
    const platform::ScopedScreenTwips screen(c.screenWidth, 14400);
    const std::string name = std::to_string(c.screenWidth) + " table " + std::to_string(c.table);
    EXPECT_EQ(Table(c.table).ContentWidth(), c.contentWidth) << name;
    EXPECT_EQ(Frame(c.table).width(), PixelsOf(c.contentWidth)) << name;
    Frame(c.table).close();
    RunDeferredDeletes();
  }
}

TEST_F(TableWindowTest, WidthStaysWithinItsBoundsAndAWideTableScrollsToItsLastColumn) {
  frmTable& table = Table(1);
  QMdiSubWindow& frame = Frame(1);
  EXPECT_EQ(table.MinWidth(), 4500 + 720);
  const struct {
    int dragTo;
    int width;
  } drags[] = {{40000, 18450}, {2000, 5220}, {9000, 9000}};
  for (const auto& d : drags) {
    frame.resize(PixelsOf(d.dragTo), frame.height());
    EXPECT_EQ(frame.width(), PixelsOf(d.width)) << d.dragTo;
  }
  table.Reset();
  EXPECT_EQ(frame.width(), PixelsOf(18450)) << "a reset gives the width back";

  frame.resize(PixelsOf(6000), frame.height());
  QScrollBar* bar = table.FlxGrid()->View()->horizontalScrollBar();
  EXPECT_TRUE(bar->isVisible());
  bar->setValue(bar->maximum());
  const QTableView* cells = table.FlxGrid()->View();
  const int last = table.FlxGrid()->Cols() - 1;
  EXPECT_LE(cells->columnViewportPosition(last) + cells->columnWidth(last),
            cells->viewport()->width());
}

TEST_F(TableWindowTest, HeightGrowsWithTheRowsUpToHalfTheScreenThenTheNewestRowStaysInView) {
  const platform::ScopedScreenTwips screen(19200, 9000);
  frmTable& table = Table(2);
  const int rowHeight = table.FlxGrid()->RowHeight(1);
  EXPECT_EQ(table.BaseHeight(), 1000 + 2 * rowHeight + 760);
  for (int quarters = 1; quarters <= 40; ++quarters) {
    Run(1);
    table.Update();
    const int wanted =
        std::min((table.FlxGrid()->Rows() - 2) * rowHeight + table.BaseHeight(), 4500);
    ASSERT_EQ(Frame(2).height(), PixelsOf(wanted)) << quarters;
    ASSERT_TRUE(table.FlxGrid()->RowIsVisible(table.FlxGrid()->Rows() - 2)) << quarters;
  }
}

TEST_F(TableWindowTest, DoubleClickOpensTheGraphOfAColumnsVariableOnly) {
  frmTable& summary = Table(1);
  frmTable& every = Table(11);
  frmTable& all = Table(8);
  const struct {
    frmTable* table;
    int col;
    const char* graph;  // nullptr: nothing opens
  } cases[] = {
      {&summary, 9, "customgraph_286"}, {&summary, 0, nullptr},
      {&summary, 18, nullptr},          {&all, 18, nullptr},
      {&every, 338, nullptr},           {&every, 302, "customgraph_338"},
      {&all, 33, "customgraph_286"},
  };
  for (const auto& c : cases) {
    const int before = views_.GraphWindows().Count();
    c.table->FlxGrid_DblClick(c.col);
    if (c.graph == nullptr) {
      EXPECT_EQ(views_.GraphWindows().Count(), before) << c.col;
    } else {
      ASSERT_TRUE(views_.GraphWindows().Contains(c.graph)) << c.graph;
      EXPECT_EQ(area_.activeSubWindow(), views_.GraphWindows().Find(c.graph)->window) << c.graph;
    }
  }
  EXPECT_EQ(views_.GraphWindows().Count(), 2) << "the second double-click on 286 brought it on";

  // With the mouse: a column made current, then the period column double-clicked.
  platform::GridControl& grid = *summary.FlxGrid();
  area_.setActiveSubWindow(&Frame(1));
  const QTableView* cells = grid.View();
  const auto click = [&](int col, bool twice) {
    const QPoint at = cells->viewport()->mapTo(
        &grid, QPoint(cells->columnViewportPosition(col) + 5, cells->rowViewportPosition(1) + 5));
    QWidget* target = grid.childAt(at);
    const QPoint local = target->mapFrom(&grid, at);
    twice ? QTest::mouseDClick(target, Qt::LeftButton, {}, local)
          : QTest::mouseClick(target, Qt::LeftButton, {}, local);
  };
  click(4, false);
  EXPECT_EQ(grid.Col(), 4);
  click(0, true);
  EXPECT_EQ(views_.GraphWindows().Count(), 2);
  click(4, true);
  EXPECT_TRUE(views_.GraphWindows().Contains(CustomGraphKey(68)));
}

TEST_F(TableWindowTest, ATableOwnsTheCopyItemWhileActiveInEveryLanguage) {
  for (const char* language : {"English", "Spanish", "Port"}) {
    CurrentLanguage = language;
    ResetCopyMenu();
    frmTable& table = Table(3);
    area_.setActiveSubWindow(decision_);
    EXPECT_FALSE(copy_.isEnabled()) << language;
    EXPECT_EQ(copy_.text(), "Copy to Clipboard") << language;

    // Activated while the program is in the background: no focus comes with it.
    QApplication::setActiveWindow(nullptr);
    area_.setActiveSubWindow(&Frame(3));
    EXPECT_TRUE(copy_.isEnabled()) << language;
    EXPECT_EQ(copy_.text(), "Copy table data to Spreadsheet") << language;
    QApplication::setActiveWindow(&area_);
    table.FlxGrid()->setFocus();
    EXPECT_EQ(copy_.text(), "Copy Table Data to Spreadsheet") << language;

    Frame(3).close();
    RunDeferredDeletes();
    EXPECT_FALSE(copy_.isEnabled()) << language;
    EXPECT_EQ(copy_.text(), "Copy to Clipboard") << language;
  }
}

}  // namespace
}  // namespace talvair::views
