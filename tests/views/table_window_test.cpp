#include "views/table_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "model/game.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "platform/grid_control.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "views/copy_menu.h"
#include "views/decision_window_link.h"
#include "views/graph_registry.h"
#include "views/graph_window.h"
#include "views/report_window.h"
#include "views/simple_reports.h"
#include "views/table_catalogue.h"
#include "views/window_arrangement.h"
#include "views/window_manager.h"

namespace talvair::views {
namespace {

using platform::PixelsOf;

// Calls `act` on each event of `type` at `window`, and logs where the window goes.
class Watch : public QObject {
 public:
  Watch(QWidget* window, QEvent::Type type, std::function<void()> act = {})
      : type_(type), act_(std::move(act)) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != type_) return false;
    places.push_back(static_cast<QWidget*>(watched)->pos());
    if (act_) std::exchange(act_, {})();
    return false;
  }
  std::vector<QPoint> places;

 private:
  QEvent::Type type_;
  std::function<void()> act_;
};

QPoint Twips(int left, int top) { return {PixelsOf(left), PixelsOf(top)}; }

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
    CloseAll();
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
  void CloseAll() {
    views_.CloseViews("");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  void Close(int number) {
    Frame(number).close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::vector<QPointer<QMdiSubWindow>> Graphs() {
    std::vector<QPointer<QMdiSubWindow>> graphs;
    for (int number : {101, 105, 118}) {
      ShowFixedGraph(views_, graphs_, number);
      graphs.emplace_back(views_.GraphWindows().Find(FixedGraphKey(number))->window);
      graphs.back()->move(Twips(3000, 6000));
    }
    return graphs;
  }
  int DecisionHeight() const { return platform::WindowHeight(*decision_); }
  void Run(int quarters) {
    model_.RunPeriod(static_cast<int16_t>(quarters));
    model_.GoForward();
  }

  platform::ScopedScreenTwips screen_{19200, 14400};
  game model_;
  QMdiArea area_;
  WindowManager views_{&area_};
  GraphRegistry graphs_{&model_};
  QAction copy_;
  QMdiSubWindow* decision_ = nullptr;
  platform::ScopedScriptedMessages messages_;
};

TEST_F(TableWindowTest, RowsFollowEveryRunAndAreRebuiltAfterGoingBack) {
  frmTable& table = Table(9);
  const auto expectRows = [&](int period, const char* step) {
    const platform::GridControl& grid = *table.FlxGrid();
    ASSERT_EQ(grid.Rows(), period + 3) << step << ": one empty row last";
    EXPECT_EQ(table.NextPeriodRow(), period + 2) << step;
    for (int16_t p = 0; p <= period; ++p) {
      EXPECT_EQ(grid.TextMatrix(p + 1, 0).toStdString(), model_.PeriodDescription(p, true));
      EXPECT_EQ(grid.TextMatrix(p + 1, 2), TableCellText(model_, 204, p)) << step;
    }
  };
  expectRows(0, "opened");
  Run(4);
  table.Update();
  expectRows(4, "run 4");
  table.Update();
  expectRows(4, "update without a run");
  model_.RunPeriod(2);
  model_.GoBack();
  table.Reset();
  expectRows(2, "back 2, reset");
}

TEST_F(TableWindowTest, CellTextsFollowTheVariablesPatternGroup) {
  // Employees per plane (109) is figured from employees (`value`) and planes (`aircraft`).
  const struct {
    int32_t var;
    double value, aircraft;
    const char* text;
  } cases[] = {
      {19, 12345.678949, 0, "12,345.6789  "},
      {320, -1.23456, 0, "-1.2346  "},
      {204, 0.12349, 0, "0.123  "},
      {9, 1234.4, 0, "1,234  "},
      {315, 7.6, 0, "8  "},
      {188, 1e6, 0, "1,000,000.00  "},
      {kBlankColumn, 0, 0, "  "},
      {109, 130.5, 3.4, "43  "},  // 130 / 3
      {109, 131.5, 2.5, "66  "},  // 132 / 2, halves to the even neighbour
      {109, 500, 0.4, "n/a  "},   // not one whole plane
  };
  for (const auto& c : cases) {
    if (c.var == 109) {
      model_.SetVarValue(286, 1, 0, c.value);
      model_.SetVarValue(9, 1, 0, c.aircraft);
    } else if (c.var != kBlankColumn) {
      model_.SetVarValue(c.var, 1, 0, c.value);
    }
    EXPECT_EQ(TableCellText(model_, c.var, 2).toStdString(), c.text) << c.var << " " << c.value;
  }
}

TEST_F(TableWindowTest, ColumnsCaptionAndHeadersFollowTheCatalogueAndTheLanguage) {
  frmTable& all = Table(8);
  ASSERT_EQ(all.TableVarCount(), 73);
  for (int col = 1; col <= 73; ++col) {
    const bool blank = col == 18 || col == 25 || col == 32 || col == 43 || col == 57;
    EXPECT_EQ(all.FlxGrid()->TextMatrix(0, col).isEmpty(), blank) << col;
    EXPECT_EQ(all.FlxGrid()->TextMatrix(1, col) == "  ", blank) << col;
    EXPECT_EQ(all.TableVarNumbers()[col] == 21, col == 8 || col == 59 || col == 65) << col;
  }
  frmTable& every = Table(11);
  EXPECT_EQ(every.FlxGrid()->Cols(), 340);
  EXPECT_EQ(every.TableVarNumbers()[302], 338);
  EXPECT_EQ(every.TableVarNumbers()[338], 302);

  const struct {
    const char *language, *caption, *corner;
  } languages[] = {
      {"English", "Employees", "Year &\r\nMonth"},
      {"Spanish", "Personal", "Año &\r\nMes"},
      {"Port", "Funcionários", "Ano \r\nMês"},
  };
  frmTable& employees = Table(4);
  for (const auto& l : languages) {
    CurrentLanguage = l.language;
    employees.Reset();
    EXPECT_EQ(Frame(4).windowTitle(), QString::fromUtf8(l.caption));
    EXPECT_EQ(employees.FlxGrid()->TextMatrix(0, 0), QString::fromUtf8(l.corner));
    EXPECT_EQ(employees.FlxGrid()->TextMatrix(0, 1).toStdString(), model_.GetVarName(286, 0));
  }
}

TEST_F(TableWindowTest, WidthStaysBetweenTheDecisionWindowsAndWhatTheScreenAllows) {
  const struct {
    int screenWidth, table, contentWidth;
  } cases[] = {
      {12000, 2, 8830},  {12000, 6, 11500}, {15360, 9, 7650},  {15360, 4, 14860}, {19200, 4, 13550},
      {19200, 1, 18450}, {15000, 6, 12370}, {19000, 6, 12370}, {14999, 6, 14499}, {19001, 1, 18251},
  };
  for (const auto& c : cases) {
    const platform::ScopedScreenTwips screen(c.screenWidth, 14400);
    EXPECT_EQ(Table(c.table).ContentWidth(), c.contentWidth) << c.screenWidth << " " << c.table;
    EXPECT_EQ(Frame(c.table).width(), PixelsOf(c.contentWidth)) << c.screenWidth;
    Close(c.table);
  }

  platform::SetScreenTwips(QSize(19200, 14400));
  frmTable& table = Table(1);
  QMdiSubWindow& frame = Frame(1);
  for (const auto& [dragTo, width] : {std::pair{40000, 18450}, {2000, 4500 + 720}, {9000, 9000}}) {
    frame.resize(PixelsOf(dragTo), frame.height());
    EXPECT_EQ(frame.width(), PixelsOf(width)) << dragTo;
  }
  table.Reset();
  EXPECT_EQ(frame.width(), PixelsOf(18450)) << "a reset gives the width back";

  // Narrower than its columns, the table scrolls to its last one.
  frame.resize(PixelsOf(6000), frame.height());
  const QTableView& cells = *table.FlxGrid()->View();
  QScrollBar& bar = *cells.horizontalScrollBar();
  ASSERT_TRUE(bar.isVisible());
  bar.setValue(bar.maximum());
  const int last = table.FlxGrid()->Cols() - 1;
  EXPECT_LE(cells.columnViewportPosition(last) + cells.columnWidth(last),
            cells.viewport()->width());
}

TEST_F(TableWindowTest, HeightGrowsWithTheRowsToHalfTheScreenAndTheNewestRowStaysInView) {
  const platform::ScopedScreenTwips screen(19200, 9000);
  frmTable& table = Table(2);
  const int rowHeight = table.FlxGrid()->RowHeight(1);
  EXPECT_EQ(table.BaseHeight(), 1000 + 2 * rowHeight + 760);
  for (int quarter = 1; quarter <= 40; ++quarter) {
    Run(1);
    table.Update();
    const int rows = table.FlxGrid()->Rows();
    ASSERT_EQ(Frame(2).height(),
              PixelsOf(std::min((rows - 2) * rowHeight + table.BaseHeight(), 4500)));
    ASSERT_TRUE(table.FlxGrid()->RowIsVisible(rows - 2)) << quarter;
  }
}

TEST_F(TableWindowTest, DoubleClickOpensOrBringsForwardTheGraphOfAColumnsVariableOnly) {
  frmTable& summary = Table(1);
  Table(8).FlxGrid_DblClick(18);    // a blank column
  Table(11).FlxGrid_DblClick(338);  // VarNumber 302, which names no variable
  EXPECT_EQ(views_.GraphWindows().Count(), 0);
  Table(8).FlxGrid_DblClick(33);
  area_.setActiveSubWindow(decision_);
  summary.FlxGrid_DblClick(9);
  ASSERT_EQ(views_.GraphWindows().Count(), 1);
  EXPECT_EQ(area_.activeSubWindow(), views_.GraphWindows().Find(CustomGraphKey(286))->window);

  // With the mouse: the period column double-clicked while another column is current.
  platform::GridControl& grid = *summary.FlxGrid();
  area_.setActiveSubWindow(&Frame(1));
  const QTableView& cells = *grid.View();
  const auto click = [&](int col, bool twice) {
    const QPoint at = cells.viewport()->mapTo(
        &grid, QPoint(cells.columnViewportPosition(col) + 5, cells.rowViewportPosition(1) + 5));
    QWidget* target = grid.childAt(at);
    const QPoint local = target->mapFrom(&grid, at);
    twice ? QTest::mouseDClick(target, Qt::LeftButton, {}, local)
          : QTest::mouseClick(target, Qt::LeftButton, {}, local);
  };
  click(4, false);
  ASSERT_EQ(grid.Col(), 4);
  click(0, true);
  EXPECT_EQ(views_.GraphWindows().Count(), 1);
  click(4, true);
  EXPECT_TRUE(views_.GraphWindows().Contains(CustomGraphKey(68)));

  // The copy item's captions: on activation, and once the grid has the focus.
  QApplication::setActiveWindow(nullptr);  // activated in the background, without focus
  area_.setActiveSubWindow(&Frame(8));
  EXPECT_EQ(copy_.text(), "Copy table data to Spreadsheet");
  QApplication::setActiveWindow(&area_);
  Table(8).FlxGrid()->setFocus();
  EXPECT_EQ(copy_.text(), "Copy Table Data to Spreadsheet");
  area_.setActiveSubWindow(decision_);
  EXPECT_FALSE(copy_.isEnabled());
  EXPECT_EQ(copy_.text(), "Copy to Clipboard");
}

TEST_F(TableWindowTest, GraphsGoBesideTheDecisionWindowAsFarAsTheScreenAllows) {
  const QPoint unmoved = Twips(3000, 6000);
  const struct {
    void (*command)(WindowManager&);
    int screenWidth, screenHeight;
    std::vector<QPoint> places;
    const char* message;  // the count and what follows it
  } cases[] = {
      {TileGraphs, 12000, 9000, {Twips(4700, 75), Twips(8201, 75), Twips(4700, 1975)}, nullptr},
      {TileGraphs,
       12000,
       4800,
       {Twips(4700, 75), Twips(8201, 75), unmoved},
       "tile all of them.\r\n\r\nOnly the first 2 will be tiled.  Any not tiled will be left at "
       "their current position and size"},
      // The second would end on the screen, but not a window's height above its bottom.
      {CascadeGraphs,
       12000,
       5600,
       {Twips(4700, 200), unmoved, unmoved},
       "cascade all of them.\r\n\r\nOnly the first 1 will be cascaded.  Any not cascaded will be "
       "left at their current position"},
  };
  for (const auto& c : cases) {
    const platform::ScopedScreenTwips screen(c.screenWidth, c.screenHeight);
    const auto graphs = Graphs();
    const QSize size = graphs[2]->size();
    messages_.Clear();
    c.command(views_);
    for (std::size_t i = 0; i < graphs.size(); ++i) EXPECT_EQ(graphs[i]->pos(), c.places[i]) << i;
    const bool tiled = c.command == TileGraphs && c.places[2] != unmoved;
    EXPECT_EQ(graphs[2]->size(), tiled ? QSize(PixelsOf(3500), PixelsOf(1900)) : size);
    if (c.message == nullptr) {
      EXPECT_TRUE(messages_.ShownMessages().empty());
      EXPECT_EQ(area_.activeSubWindow(), graphs[2]) << "the last one placed ends in front";
    } else {
      ASSERT_EQ(messages_.ShownMessages().size(), 1u);
      EXPECT_EQ(messages_.ShownMessages()[0].text,
                QStringLiteral("Too many graphs to ") + c.message);
      EXPECT_EQ(messages_.ShownMessages()[0].title, "Too many graphs...");
      EXPECT_EQ(messages_.ShownMessages()[0].style, 64);
    }
    CloseAll();
  }
}

TEST_F(TableWindowTest, TablesAndReportsCascadeBelowTheDecisionWindow) {
  const platform::ScopedScreenTwips screen(19200, 14400);
  decision_->move(PixelsOf(300), 0);
  for (int number : {2, 9, 3}) views_.ShowTable(number);
  CascadeTables(views_);
  QMdiSubWindow* third = views_.OpenViews().Find(TableKey(3))->window;
  EXPECT_EQ(third->pos(), Twips(300 + 5550, DecisionHeight() + 3280));
  EXPECT_EQ(area_.activeSubWindow(), third);

  // A report goes home when activated, then travels in steps of at most 700.
  QMdiSubWindow* report = views_.AddOpenView(kReportBreakevenKey, new frmRptBreakeven(model_));
  report->show();
  const QPoint home = report->pos();
  report->move(Twips(9000, 7000));
  const Watch moves(report, QEvent::Move);
  {
    const CascadingReportsScope cascading;
    CascadeReports(views_);
  }
  EXPECT_FALSE(CascadingReports);
  ASSERT_GE(moves.places.size(), 3u);
  EXPECT_EQ(moves.places.front(), home);
  EXPECT_EQ(moves.places.back(), Twips(0, DecisionHeight() - 50));
  for (std::size_t i = 1; i < moves.places.size(); ++i) {
    const QPoint step = moves.places[i] - moves.places[i - 1];
    EXPECT_LE(std::max(std::abs(step.x()), std::abs(step.y())), PixelsOf(700) + 1) << i;
  }
}

TEST_F(TableWindowTest, WindowsClosedMeanwhileAreSkippedAndASecondCommandIsIgnored) {
  const platform::ScopedScreenTwips screen(19200, 14400);
  const auto graphs = Graphs();
  const QSize size = graphs[0]->size();
  bool arrangingMeanwhile = false;
  const Watch closeTheSecond(graphs[0], QEvent::Show, [&] {
    arrangingMeanwhile = Arranging();
    graphs[1]->close();
    TileGraphs(views_);
  });
  CascadeGraphs(views_);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(arrangingMeanwhile);
  EXPECT_FALSE(Arranging());
  EXPECT_TRUE(graphs[1].isNull());
  EXPECT_EQ(graphs[0]->size(), size) << "cascaded, not tiled";
  EXPECT_EQ(graphs[2]->pos(), Twips(5400, 900));

  for (int number : {1, 2, 3}) views_.ShowTable(number);
  const QPointer<QMdiSubWindow> second = views_.OpenViews().Find(TableKey(2))->window;
  const Watch closeWhileMoving(views_.OpenViews().Find(TableKey(1))->window, QEvent::Move,
                               [&] { second->close(); });
  CascadeTables(views_);
  EXPECT_FALSE(views_.OpenViews().Contains(TableKey(2)));
  EXPECT_EQ(views_.OpenViews().Find(TableKey(3))->window->y(), PixelsOf(DecisionHeight() + 2920));
}

}  // namespace
}  // namespace talvair::views
