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
#include <QThread>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "game_test_access.h"
#include "model/game.h"
#include "model/language.h"
#include "model/var_number.h"
#include "numtext/number_text.h"
#include "platform/grid_control.h"
#include "platform/message_box.h"
#include "platform/pause.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "platform/work_crew.h"
#include "support/drawn_texts.h"
#include "views/copy_menu.h"
#include "views/decision_window_link.h"
#include "views/financial_report.h"
#include "views/graph_registry.h"
#include "views/graph_window.h"
#include "views/market_research_report.h"
#include "views/report_opening.h"
#include "views/report_window.h"
#include "views/simple_reports.h"
#include "views/summary_report.h"
#include "views/table_catalogue.h"
#include "views/window_arrangement.h"
#include "views/window_manager.h"

namespace talvair::views {
namespace {

using platform::PixelsOf;

// Calls `act` on the first event of `type` at `window`, and logs where the window goes.
struct Watch : QObject {
  Watch(QWidget* window, QEvent::Type type, std::function<void()> act = {})
      : type(type), act(std::move(act)) {
    window->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != type) return false;
    places.push_back(static_cast<QWidget*>(watched)->pos());
    if (act) std::exchange(act, {})();
    return false;
  }
  QEvent::Type type;
  std::function<void()> act;
  std::vector<QPoint> places;
};

QPoint Twips(int left, int top) { return {PixelsOf(left), PixelsOf(top)}; }
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

TEST_F(TableWindowTest, RowsFollowEveryRunUpToHalfTheScreenAndAreRebuiltAfterGoingBack) {
  const platform::ScopedScreenTwips screen(19200, 9000);
  frmTable& table = Table(2);
  const platform::GridControl& grid = *table.FlxGrid();
  const int rowHeight = grid.RowHeight(1);
  EXPECT_EQ(table.BaseHeight(), 1000 + 2 * rowHeight + 760);
  const auto expectRows = [&](int period) {
    ASSERT_EQ(grid.Rows(), period + 3) << period << ": one empty row last";
    EXPECT_EQ(table.NextPeriodRow(), period + 2);
    for (int16_t p = 0; p <= period; ++p) {
      EXPECT_EQ(grid.TextMatrix(p + 1, 0).toStdString(), model_.PeriodDescription(p, true));
      EXPECT_EQ(grid.TextMatrix(p + 1, 2), TableCellText(model_, table.TableVarNumbers()[2], p));
    }
    EXPECT_EQ(Frame(2).height(),
              PixelsOf(std::min((period + 1) * rowHeight + table.BaseHeight(), 4500)));
    EXPECT_TRUE(grid.RowIsVisible(period + 1)) << period << ": the newest row in view";
  };
  expectRows(0);
  for (int quarter = 1; quarter <= 40; ++quarter) {
    Run(1);
    table.Update();
    table.Update();  // without a run: no second row
    expectRows(quarter);
  }
  model_.RunPeriod(38);  // back from 40 to 2
  model_.GoBack();
  table.Reset();
  expectRows(2);

  // Runs made while it is minimised: restored, it shows what a table that stayed open shows.
  frmTable& open = Table(3);
  Frame(2).showMinimized();
  for (int quarter = 0; quarter < 20; ++quarter) {
    Run(1);
    views_.UpdateViews("");
  }
  Frame(2).showNormal();
  EXPECT_EQ(grid.Row(), open.FlxGrid()->Row());
  EXPECT_EQ(grid.TopRow(), open.FlxGrid()->TopRow());
}

// A table rebuilt in place keeps its rows and refills them: it must show what a table
// opened on the same game shows, with fewer, more or as many rows as before.
TEST_F(TableWindowTest, ARebuiltTableShowsWhatAFreshOneShows) {
  struct Case {
    const char* name;
    int before;  // quarters run when the table is filled
    int after;   // quarters run when it is rebuilt
  };
  const Case cases[] = {{"fewer rows", 40, 5}, {"more rows", 5, 40}, {"as many rows", 20, 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model_.Restart();
    Run(c.before);
    frmTable& table = Table(8);
    table.Reset();
    model_.Restart();
    // Another game: the values differ even where the number of rows does not.
    model_.SetVarValue(varnum::decidemarketingfraction, -1, 0, 0.12);
    Run(c.after);
    table.Reset();

    frmTable fresh(model_, views_, graphs_);
    fresh.Create(8);
    const platform::GridControl& rebuilt = *table.FlxGrid();
    const platform::GridControl& expected = *fresh.FlxGrid();
    ASSERT_EQ(rebuilt.Rows(), expected.Rows());
    ASSERT_EQ(rebuilt.Cols(), expected.Cols());
    for (int row = 0; row < expected.Rows(); ++row) {
      for (int col = 0; col < expected.Cols(); ++col) {
        ASSERT_EQ(rebuilt.TextMatrix(row, col), expected.TextMatrix(row, col))
            << row << ", " << col;
      }
    }
    EXPECT_EQ(rebuilt.Row(), expected.Row());
    EXPECT_TRUE(rebuilt.RowIsVisible(rebuilt.Row())) << "the newest row in view";
    views_.CloseViews("");
    RunDeferredDeletes();
  }
}

TEST_F(TableWindowTest, CellTextsFollowTheVariablesPatternGroup) {
  // Employees per plane (109) is figured from employees (`value`) and planes (`aircraft`):
  // 130 / 3, then 132 / 2 (halves go to the even neighbour), then not one whole plane.
  const struct {
    int32_t var;
    double value, aircraft;
    const char* text;
  } cases[] = {{19, 12345.678949, 0, "12,345.6789  "},
               {320, -1.23456, 0, "-1.2346  "},
               {204, 0.12349, 0, "0.123  "},
               {9, 1234.4, 0, "1,234  "},
               {315, 7.6, 0, "8  "},
               {188, 1e6, 0, "1,000,000.00  "},
               {kBlankColumn, 0, 0, "  "},
               {109, 130.5, 3.4, "43  "},
               {109, 131.5, 2.5, "66  "},
               {109, 500, 0.4, "n/a  "}};
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

// However wide a figure grows (with no employees left the ratios are huge), every table's and
// report's cell shows it whole, drawn smaller if need be, or marked: never cut to other digits.
TEST_F(TableWindowTest, EveryFigureOfEveryTableAndReportIsDrawnWholeOrMarked) {
  platform::RecordedPauses pauses;
  const std::pair<QString, ReportFactory> reports[] = {
      {kReportBreakevenKey, [this] { return new frmRptBreakeven(model_); }},
      {kReportCapacityKey, [this] { return new frmRptCapacity(model_); }},
      {kReportEmployeesKey, [this] { return new frmRptEmployees(model_); }},
      {kReportStockKey, [this] { return new frmRptStock(model_); }},
      {kReportSummaryKey, [this] { return new frmRptSummary(model_); }},
      {kReportFinanceKey, [this] { return new frmRptFinancialReport(model_); }},
      {kReportMktResearchKey, [this] { return new frmRptMarketResearch(model_); }}};
  testing::TextRecorder recorder;
  Run(3);
  for (const char* language : {"English", "Spanish", "Port"}) {
    CurrentLanguage = language;
    for (const double value : {-9.87654321e5, -9.87654321e11, -6.2906832024065e19}) {
      for (int32_t var = 1; var <= 339; ++var) model_.SetVarValue(var, 1, 0, value);
      std::vector<platform::GridControl*> grids;
      for (int number = 1; number <= 9; ++number) grids.push_back(Table(number).FlxGrid());
      for (const auto& [key, make] : reports) {
        OpenReport(views_, key, make);
        for (platform::GridControl* grid :
             dynamic_cast<ReportWindow&>(*views_.OpenViews().Find(key)->view).Grids())
          grids.push_back(grid);
      }
      int marked = 0;
      for (const platform::GridControl* grid : grids) {
        const QTableView& view = *grid->View();
        for (int row = 0; row < grid->Rows(); ++row) {
          for (int col = 0; col < grid->Cols(); ++col) {
            const QString text = grid->TextMatrix(row, col).trimmed();
            const QModelIndex index = view.model()->index(row, col);
            const QRect area = view.visualRect(index).adjusted(2, 0, -2, -1);
            if (!platform::IsNumericText(text) || area.isEmpty()) continue;
            QString drawn;
            for (const testing::DrawnText& piece : recorder.Cell(view, index)) {
              drawn += piece.text;
              EXPECT_TRUE(piece.left > area.left() - 0.5 &&
                          piece.right < area.left() + area.width() + 0.5)
                  << language << " " << text.toStdString() << " drawn from " << piece.left << " to "
                  << piece.right;
            }
            if (drawn != text) {
              // A cell that draws nothing is no mark.
              EXPECT_EQ(drawn, QString(std::max<qsizetype>(drawn.size(), 1), QLatin1Char('#')))
                  << language << " " << text.toStdString();
              ++marked;
            }
          }
        }
      }
      EXPECT_TRUE(value > -1e19 || marked > 0) << language;
      views_.CloseViews("");
      RunDeferredDeletes();
    }
  }
}

// Figures are formatted on helper threads; a read that fails there reaches the model's
// subscribers (windows, in the program) on this thread, once per cell.
TEST_F(TableWindowTest, ReadsThatFailOnHelpersAreRaisedOnTheGuiThread) {
  struct Errors : GameEvents {
    void Error(int32_t /*code*/, int32_t /*area*/) override {
      const std::lock_guard hold(lock);
      threads.push_back(QThread::currentThread());
    }
    std::mutex lock;
    std::vector<QThread*> threads;
  } errors;
  if (QThread::idealThreadCount() < 2) GTEST_SKIP() << "one processor: the crew has no helpers";
  frmTable& decisions = Table(9);
  // Rows past the last cannot be read; so many that the helpers take their share.
  constexpr int kPeriod = 400;
  GameTestAccess::Period(model_) = kPeriod;
  model_.Subscribe(&errors);
  // Woken for the batch, the helpers can come too late to take a row on a busy machine: the
  // table is built afresh until they take part, a few times at most.
  bool shared = false;
  for (int attempt = 0; attempt < 20 && !shared; ++attempt) {
    errors.threads.clear();
    const std::size_t helped = platform::SharedCrew().HelpedJobs();
    decisions.Reset();
    shared = platform::SharedCrew().HelpedJobs() > helped;
  }
  model_.Unsubscribe(&errors);
  GameTestAccess::Period(model_) = 0;
  EXPECT_TRUE(shared) << "no row was read on a helper";
  EXPECT_EQ(errors.threads.size(), std::size_t{(kPeriod - kMaxRow) * 5});
  EXPECT_EQ(std::count(errors.threads.begin(), errors.threads.end(), qApp->thread()),
            std::ssize(errors.threads));
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

  // A reset words caption and headers anew; the Portuguese corner has no ampersand.
  frmTable& employees = Table(4);
  CurrentLanguage = "Port";
  employees.Reset();
  EXPECT_EQ(Frame(4).windowTitle(), QString::fromUtf8("Funcionários"));
  EXPECT_EQ(employees.FlxGrid()->TextMatrix(0, 0), QString::fromUtf8("Ano \r\nMês"));
  EXPECT_EQ(employees.FlxGrid()->TextMatrix(0, 1).toStdString(), model_.GetVarName(286, 0));
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
    Frame(c.table).close();
    RunDeferredDeletes();
  }

  platform::SetScreenTwips(QSize(19200, 14400));
  frmTable& table = Table(1);
  QMdiSubWindow& frame = Frame(1);
  for (const bool maximisedFirst : {false, true}) {
    if (maximisedFirst) {
      frame.showMaximized();
      frame.showNormal();
    }
    for (const auto& [dragTo, width] :
         {std::pair{40000, 18450}, {2000, 4500 + 720}, {9000, 9000}}) {
      frame.resize(PixelsOf(dragTo), frame.height());
      EXPECT_EQ(frame.width(), PixelsOf(width)) << dragTo << " " << maximisedFirst;
    }
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

TEST_F(TableWindowTest, DoubleClickOpensOrBringsForwardTheGraphOfAColumnsVariableOnly) {
  const auto opened = [] { QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall); };
  frmTable& summary = Table(1);
  Table(8).FlxGrid_DblClick(18);    // a blank column
  Table(11).FlxGrid_DblClick(338);  // VarNumber 302, which names no variable
  opened();
  EXPECT_EQ(views_.GraphWindows().Count(), 0);
  Table(8).FlxGrid_DblClick(33);
  opened();
  area_.setActiveSubWindow(decision_);
  summary.FlxGrid_DblClick(9);
  opened();
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
  opened();
  EXPECT_EQ(views_.GraphWindows().Count(), 1);
  // Active and focused as from the Graphs menu, the table's frame no longer drawn active.
  click(4, true);
  opened();
  ASSERT_TRUE(views_.GraphWindows().Contains(CustomGraphKey(68)));
  QMdiSubWindow* graph = views_.GraphWindows().Find(CustomGraphKey(68))->window;
  EXPECT_EQ(area_.activeSubWindow(), graph);
  EXPECT_TRUE(graph->isAncestorOf(QApplication::focusWidget()));
  EXPECT_FALSE(Frame(1).windowState().testFlag(Qt::WindowActive));

  // Activated in the background, without the focus, a table words its copy item otherwise.
  QApplication::setActiveWindow(nullptr);
  area_.setActiveSubWindow(&Frame(8));
  EXPECT_EQ(copy_.text(), "Copy table data to Spreadsheet");
}

TEST_F(TableWindowTest, GraphsGoBesideTheDecisionWindowAsFarAsTheScreenAllows) {
  const QPoint unmoved = Twips(3000, 6000);
  const struct {
    void (*command)(WindowManager&);
    int screenHeight;
    std::vector<QPoint> places;
    const char* message;  // the count and what follows it
  } cases[] = {
      {TileGraphs, 9000, {Twips(4700, 75), Twips(8201, 75), Twips(4700, 1975)}, nullptr},
      {TileGraphs,
       4800,
       {Twips(4700, 75), Twips(8201, 75), unmoved},
       "tile all of them.\r\n\r\nOnly the first 2 will be tiled.  Any not tiled will be left at "
       "their current position and size"},
      // The second would end on the screen, but not a window's height above its bottom.
      {CascadeGraphs,
       5600,
       {Twips(4700, 200), unmoved, unmoved},
       "cascade all of them.\r\n\r\nOnly the first 1 will be cascaded.  Any not cascaded will be "
       "left at their current position"},
  };
  for (const auto& c : cases) {
    const platform::ScopedScreenTwips screen(12000, c.screenHeight);
    const auto graphs = Graphs();
    const QSize size = graphs[2]->size();
    messages_.Clear();
    c.command(views_);
    for (std::size_t i = 0; i < graphs.size(); ++i) EXPECT_EQ(graphs[i]->pos(), c.places[i]) << i;
    // All placed: tiles take their size and the last one ends in front; the rest are untouched.
    EXPECT_EQ(graphs[2]->size(), c.message ? size : QSize(PixelsOf(3500), PixelsOf(1900)));
    ASSERT_EQ(messages_.ShownMessages().size(), c.message ? 1u : 0u);
    if (c.message == nullptr) {
      EXPECT_EQ(area_.activeSubWindow(), graphs[2]);
    } else {
      const auto& shown = messages_.ShownMessages()[0];
      EXPECT_EQ(shown.text, QStringLiteral("Too many graphs to ") + c.message);
      EXPECT_EQ(std::pair(shown.title, shown.style), std::pair(QString("Too many graphs..."), 64));
    }
    views_.CloseViews("");
    RunDeferredDeletes();
  }
}

TEST_F(TableWindowTest, TablesAndReportsCascadeBelowTheDecisionWindow) {
  // The window closed while the first one moves is skipped: the fourth opened goes third.
  decision_->move(PixelsOf(300), 0);
  for (int number : {2, 9, 3, 1}) views_.ShowTable(number);
  const QPointer<QMdiSubWindow> closed = &Frame(9);
  const Watch closeWhileMoving(&Frame(2), QEvent::Move, [&] { closed->close(); });
  CascadeTables(views_);
  EXPECT_TRUE(closed.isNull());
  EXPECT_EQ(Frame(1).pos(), Twips(300 + 5550, DecisionHeight() + 3280));
  EXPECT_EQ(area_.activeSubWindow(), &Frame(1));

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

// A minimised window takes no place and is not counted; the others take the places in order.
// Two places fit on each screen (restore places: the test below).
TEST_F(TableWindowTest, ArrangementsPassOverMinimisedWindows) {
  using Windows = std::vector<QPointer<QMdiSubWindow>>;
  const auto graphs = [&] { return Graphs(); };
  const auto tables = [&] {
    Windows windows;
    for (int number : {2, 9, 3}) {
      Table(number);
      windows.emplace_back(&Frame(number));
    }
    return windows;
  };
  const auto reports = [&] {
    Windows windows;
    for (const QString& key : {kReportBreakevenKey, kReportCapacityKey, kReportStockKey}) {
      windows.emplace_back(views_.AddOpenView(key, new frmRptStock(model_)));
      windows.back()->show();
    }
    return windows;
  };
  const int below = DecisionHeight();
  const struct {
    void (*command)(WindowManager&);
    std::function<Windows()> open;
    int screenHeight;
    std::pair<QPoint, QPoint> places;
  } cases[] = {
      {CascadeGraphs, graphs, 5950, {Twips(4700, 200), Twips(5050, 550)}},
      {TileGraphs, graphs, 4800, {Twips(4700, 75), Twips(8201, 75)}},
      {CascadeTables, tables, 9000, {Twips(4850, below + 2560), Twips(5200, below + 2920)}},
      {CascadeReports, reports, 9000, {Twips(0, below - 50), Twips(350, below + 300)}},
  };
  for (const auto& c : cases) {
    const platform::ScopedScreenTwips screen(12000, c.screenHeight);
    const Windows windows = c.open();
    windows[0]->showMinimized();
    messages_.Clear();
    {
      const CascadingReportsScope cascading;  // as the menu runs Cascade Reports
      c.command(views_);
    }
    EXPECT_TRUE(messages_.ShownMessages().empty()) << &c - cases;
    EXPECT_EQ(std::pair(windows[1]->pos(), windows[2]->pos()), c.places) << &c - cases;
    views_.CloseViews("");
    RunDeferredDeletes();
  }
}

// Every command that sizes or places a window puts what it computes into the geometry a
// minimised or maximised window shows when restored, and leaves the state as it was; the
// arrangements pass over a minimised one, which keeps its own.
TEST_F(TableWindowTest, MinimisedAndMaximisedWindowsKeepTheirStateAndGetTheGeometryComputed) {
  const QRect start(PixelsOf(6000), PixelsOf(7000), PixelsOf(9000), PixelsOf(2600));
  const auto table = [&] {
    Table(2);
    Frame(2).setGeometry(start);
    return &Frame(2);
  };
  const auto graph = [&] {
    ShowFixedGraph(views_, graphs_, 105);
    QMdiSubWindow* window = views_.GraphWindows().Find(FixedGraphKey(105))->window;
    window->setGeometry(start);
    return window;
  };
  const auto report = [&] {
    QMdiSubWindow* window = views_.AddOpenView(kReportBreakevenKey, new frmRptBreakeven(model_));
    window->show();
    window->setGeometry(start);
    return window;
  };
  const struct {
    const char* name;
    std::function<QMdiSubWindow*()> open;
    std::function<void(QMdiSubWindow&)> command;
    bool arrangement = true;
  } cases[] = {
      {"table Update", table,
       [&](QMdiSubWindow&) {
         for (int run = 0; run < 3; ++run) {
           Run(1);
           views_.UpdateViews("");
         }
       },
       false},
      {"table Create", table, [&](QMdiSubWindow&) { views_.ResetViews(""); }, false},
      {"Tile Graphs", graph, [&](QMdiSubWindow&) { TileGraphs(views_); }},
      {"Cascade Graphs", graph, [&](QMdiSubWindow&) { CascadeGraphs(views_); }},
      {"Cascade Tables", table, [&](QMdiSubWindow&) { CascadeTables(views_); }},
      {"Cascade Reports", report,
       [&](QMdiSubWindow&) {
         const CascadingReportsScope cascading;
         CascadeReports(views_);
       }},
      {"KeepInsideArea",
       [&] {
         QMdiSubWindow* window = graph();
         window->move(1400, 900);
         return window;
       },
       [&](QMdiSubWindow& window) { KeepInsideArea(window); }, false},
  };
  for (const auto& c : cases) {
    std::optional<QRect> computed;  // by the command on the window in its normal state
    // Each state reached from the normal one; minimised also by way of maximised.
    for (const auto& [state, maximisedFirst] :
         {std::pair(Qt::WindowNoState, false), std::pair(Qt::WindowMinimized, false),
          std::pair(Qt::WindowMaximized, false), std::pair(Qt::WindowMinimized, true)}) {
      model_.Restart();
      QMdiSubWindow& window = *c.open();
      if (state == Qt::WindowMaximized || maximisedFirst) window.showMaximized();
      if (state == Qt::WindowMinimized) window.showMinimized();
      const QRect shown = window.geometry();
      const QRect own = platform::NormalGeometry(window);
      c.command(window);
      EXPECT_EQ(window.windowState() & ~Qt::WindowActive, state) << c.name;
      if (state != Qt::WindowNoState) {
        EXPECT_EQ(window.geometry(), shown) << c.name << " " << state;
      }
      window.showNormal();
      if (!computed) computed = window.geometry();
      const bool passedOver = c.arrangement && state == Qt::WindowMinimized;
      EXPECT_EQ(window.geometry(), passedOver ? own : *computed) << c.name << " " << state;
      views_.CloseViews("");
      RunDeferredDeletes();
    }
  }
}

// As the platform does, closing the active window activates the next one down, and the copy
// item follows it.
TEST_F(TableWindowTest, ClosingTheActiveWindowActivatesTheNextOne) {
  Table(2);
  ShowFixedGraph(views_, graphs_, 105);
  Table(9);
  area_.setActiveSubWindow(&Frame(9));
  Frame(9).close();
  EXPECT_EQ(area_.activeSubWindow(), views_.GraphWindows().Find(FixedGraphKey(105))->window);
  EXPECT_EQ(std::pair(copy_.isEnabled(), copy_.text()), std::pair(true, kCopyGraphCaption));
  area_.setActiveSubWindow(&Frame(2));
  views_.GraphWindows().Find(FixedGraphKey(105))->window->close();
  EXPECT_EQ(area_.activeSubWindow(), &Frame(2)) << "closing another leaves it";
}

TEST_F(TableWindowTest, WindowsClosedMeanwhileAreSkippedAndASecondCommandIsIgnored) {
  const auto graphs = Graphs();
  const QSize size = graphs[0]->size();
  bool arrangingMeanwhile = false;
  const Watch closeTheSecond(graphs[0], QEvent::Show, [&] {
    arrangingMeanwhile = Arranging();
    graphs[1]->close();
    TileGraphs(views_);
  });
  CascadeGraphs(views_);
  RunDeferredDeletes();
  EXPECT_TRUE(arrangingMeanwhile);
  EXPECT_FALSE(Arranging());
  EXPECT_TRUE(graphs[1].isNull());
  EXPECT_EQ(graphs[0]->size(), size) << "cascaded, not tiled";
  EXPECT_EQ(graphs[2]->pos(), Twips(5400, 900));
}

}  // namespace
}  // namespace talvair::views
