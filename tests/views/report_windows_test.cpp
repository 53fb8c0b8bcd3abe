#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/game.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "platform/colour_dialog.h"
#include "platform/grid_control.h"
#include "platform/pause.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "views/copy_menu.h"
#include "views/financial_report.h"
#include "views/market_research_report.h"
#include "views/report_opening.h"
#include "views/simple_reports.h"
#include "views/summary_report.h"
#include "views/window_manager.h"

namespace talvair::views {
namespace {

using Runs = std::vector<std::pair<int, int>>;

// Each report with its home top and height in twips (height 0: the financial report's, from
// its rows), and whether it refuses to close while it builds.
struct Kind {
  const char* name;
  QString key;
  std::function<ReportWindow*(game&)> make;
  int top, height;
  bool refusesWhileBuilding;
};

template <class R>
Kind KindOf(const char* name, const QString& key, int top, int height, bool refuses) {
  return {name, key,    [](game& model) -> ReportWindow* { return new R(model); },
          top,  height, refuses};
}

const Kind kBreakeven = KindOf<frmRptBreakeven>("breakeven", kReportBreakevenKey, 0, 4280, true);
const Kind kCapacity = KindOf<frmRptCapacity>("capacity", kReportCapacityKey, 300, 4310, false);
const Kind kEmployees = KindOf<frmRptEmployees>("employees", kReportEmployeesKey, 0, 5270, true);
const Kind kStock = KindOf<frmRptStock>("stock", kReportStockKey, 900, 4310, false);
const Kind kSummary = KindOf<frmRptSummary>("summary", kReportSummaryKey, 0, 5080, false);
const Kind kFinance = KindOf<frmRptFinancialReport>("finance", kReportFinanceKey, 900, 0, false);
const Kind kMarket = KindOf<frmRptMarketResearch>("market", kReportMktResearchKey, 0, 5060, true);
const Kind* const kAll[] = {&kBreakeven, &kCapacity, &kEmployees, &kStock,
                            &kSummary,   &kFinance,  &kMarket};

constexpr int kLiquidationSwitch = 162;

void RunDeferredDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CurrentLanguage = "English";
    numtext::SetCurrentNumberLocale({".", ","});
    area_.resize(1500, 950);
    area_.show();
    QApplication::setActiveWindow(&area_);
    InstallCopyMenuItem(&copy_);
  }
  void TearDown() override {
    CloseAll();
    InstallCopyMenuItem(nullptr);
    CascadingReports = false;
    CurrentLanguage = "English";
    numtext::SetCurrentNumberLocale({});
  }

  ReportWindow* Open(const Kind& kind) {
    OpenReport(views_, kind.key, [&] { return kind.make(model_); });
    const auto entry = views_.OpenViews().Find(kind.key);
    return entry ? dynamic_cast<ReportWindow*>(entry->view) : nullptr;
  }
  void CloseAll() {
    views_.CloseViews("");
    RunDeferredDeletes();
  }
  void Set(int var, double value) { model_.SetVarValue(var, -1, 0, value); }
  static QString Cell(const ReportWindow* report, int grid, int row, int col) {
    return report->Grids().at(static_cast<std::size_t>(grid - 1))->TextMatrix(row, col);
  }

  game model_;
  QMdiArea area_;
  WindowManager views_{&area_};
  platform::RecordedPauses pauses_;
  QAction copy_;
};

TEST_F(ReportTest, WindowsTakeTheirSizeAndHomeAtEachScreenWidth) {
  // The family's left edge at 31 % of the screen; the summary's right edge 150 twips short of
  // the screen's.
  const std::pair<int, double> screens[] = {{12000, 3720}, {15360, 4761.6}, {19200, 5952}};
  for (const auto& [screenWidth, familyLeft] : screens) {
    const platform::ScopedScreenTwips screen(screenWidth, 11000);
    for (const Kind* kind : kAll) {
      ReportWindow* report = Open(*kind);
      ASSERT_NE(report, nullptr) << kind->name;
      const double left = kind == &kSummary ? screenWidth - report->Width() - 150 : familyLeft;
      const int row = report->Grids().front()->DefaultRowHeight();
      const int height = kind->height != 0 ? kind->height : 16 * row + 440 + 440 + 550;
      EXPECT_EQ(report->SubWindow()->geometry().topLeft(),
                QPoint(platform::PixelsOf(left), platform::PixelsOf(kind->top)))
          << kind->name << " " << screenWidth;
      EXPECT_EQ(report->SubWindow()->height(), platform::PixelsOf(height)) << kind->name;
    }
    EXPECT_EQ(Open(kFinance)->SubWindow()->width(), platform::PixelsOf(4800));
    CloseAll();
  }
}

TEST_F(ReportTest, FiguresShowInTheirPatterns) {
  struct Case {
    const Kind& kind;
    std::vector<std::pair<int, double>> values;
    int grid, row, col;
    const char* text;
  };
  const Case cases[] = {
      {kSummary, {{300, -0.04}}, 1, 0, 1, "0.0"},
      {kSummary, {{286, 1234.56}}, 4, 0, 1, "1,235"},
      {kMarket, {{204, 0.09}}, 1, 2, 1, "$0.090"},
      {kMarket, {{337, 0.25}}, 1, 7, 1, "        0.250"},
      // Equity is the shown assets less the shown debt, not the model's own figure.
      {kFinance, {{317, 120.04}, {318, 150.0}, {319, 999.0}}, 1, 3, 4, "-30.0"},
      {kCapacity, {{320, -5.55}}, 1, 6, 1, "-$5.6"},
  };
  for (const Case& c : cases) {
    for (const auto& [var, value] : c.values) Set(var, value);
    ReportWindow* report = Open(c.kind);
    report->Update();
    EXPECT_EQ(Cell(report, c.grid, c.row, c.col), QString::fromLatin1(c.text))
        << c.kind.name << " " << c.values.front().first;
  }
  // The airline-only figures span both value columns.
  EXPECT_EQ(static_cast<frmRptMarketResearch*>(Open(kMarket))->FlxGrid()->MergedRuns(7),
            (Runs{{1, 2}}));
}

TEST_F(ReportTest, EmployeesPerPlaneComeFromTheShownFiguresOrAreNotAvailable) {
  struct Case {
    int period;
    double aircraft, employees, liquidatedBefore;
    numtext::NumberLocale locale;
    QString shown;
  };
  const numtext::NumberLocale point{".", ","};
  const Case cases[] = {
      {2, 10, 1234, 0, point, "123"},
      {2, 3.4, 130.5, 0, point, "44"},  // 131 shown employees over 3 shown aircraft
      // Read back in the locale that wrote them: "1.235" is a thousand and more, not a fraction.
      {2, 10, 1234.56, 0, {",", "."}, "124"},
      {2, 0, 1234, 0, point, frmRptSummary::kNotAvailable},
      {2, 0.4, 1234, 0, point, frmRptSummary::kNotAvailable},  // shown as 0 aircraft
      {2, 10, 1234, 1, point, frmRptSummary::kNotAvailable},
      {1, 10, 1234, 1, point, "123"},  // no earlier quarter to have liquidated in
  };
  for (const Case& c : cases) {
    numtext::SetCurrentNumberLocale(c.locale);
    model_.Restart();
    for (int t = 0; t < c.period; ++t) model_.GoForward();
    Set(9, c.aircraft);
    Set(286, c.employees);
    model_.SetVarValue(kLiquidationSwitch, static_cast<int16_t>(c.period - 1), 0,
                       c.liquidatedBefore);
    ReportWindow* summary = Open(kSummary);
    summary->Update();
    EXPECT_EQ(Cell(summary, 4, 1, 1), c.shown) << c.aircraft << " " << c.employees;
  }
}

TEST_F(ReportTest, HeadersMergeAndLabelsFollowTheLanguage) {
  int labelWidth = 0;
  for (const char* language : {"English", "Spanish", "Port", "Other"}) {
    CurrentLanguage = language;
    const bool english = std::string(language) == "English" || std::string(language) == "Other";
    auto* breakeven = static_cast<frmRptBreakeven*>(Open(kBreakeven));
    auto* finance = static_cast<frmRptFinancialReport*>(Open(kFinance));
    auto* market = static_cast<frmRptMarketResearch*>(Open(kMarket));
    EXPECT_EQ(breakeven->FlxGrid()->TextMatrix(0, 0),
              QString::fromStdString(model_.PeriodDescription(-1, false)));
    // The label column is measured on one text, whatever the language.
    if (labelWidth == 0) labelWidth = breakeven->FlxGrid()->ColWidth(0);
    EXPECT_EQ(breakeven->FlxGrid()->ColWidth(0), labelWidth) << language;
    const std::tuple<platform::GridControl*, int, int> merged[] = {
        {breakeven->FlxGrid(), 0, 2},      {finance->flxBalance(), 0, 5},
        {finance->flxBalance(), 1, 5},     {finance->flxProfitLoss(), 0, 3},
        {finance->flxProfitLoss(), 10, 3}, {market->FlxGrid(), 0, 3}};
    for (const auto& [grid, row, count] : merged)
      EXPECT_EQ(grid->MergedRuns(row), (Runs{{0, count}})) << language << " " << row;
    // The last label takes two lines in Spanish and Portuguese, in a taller row.
    EXPECT_EQ(finance->flxProfitLoss()->TextMatrix(12, 0).contains("\r\n"), !english) << language;
    EXPECT_EQ(finance->flxProfitLoss()->RowHeight(12),
              english ? finance->flxProfitLoss()->DefaultRowHeight() : 440);
    CloseAll();
  }
}

TEST_F(ReportTest, FirstQuarterAndLiquidatedGame) {
  Set(207, 0.35);
  auto* employees = static_cast<frmRptEmployees*>(Open(kEmployees));
  EXPECT_EQ(employees->FlxGrid()->TextMatrix(10, 1), QStringLiteral("1.00"));
  EXPECT_EQ(employees->FlxGrid()->TextMatrix(3, 1), QString());
  model_.GoForward();
  Set(207, 0.35);
  employees->Update();
  EXPECT_EQ(employees->FlxGrid()->TextMatrix(10, 1), QStringLiteral("0.35"));

  // A fare that sinks the airline: play until the model stops the game.
  model_.Restart();
  Set(204, 0.01);
  for (int t = 0; t < 40 && !model_.GameOver(); ++t) model_.GoForward();
  ASSERT_TRUE(model_.GameOver() && model_.TValue() < 40);
  ReportWindow* summary = Open(kSummary);
  summary->Update();
  EXPECT_EQ(Cell(summary, 4, 1, 1), frmRptSummary::kNotAvailable);
}

TEST_F(ReportTest, OpeningWipesInTwelveBlindsThenShowsTheGridsWithTheFocus) {
  ReportWindow* report = Open(kStock);
  EXPECT_EQ(pauses_.Pauses(), (std::vector<int>{1000, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
  EXPECT_FALSE(report->HasBackgroundPicture());
  EXPECT_TRUE(report->Grids().front()->isVisible());
  EXPECT_TRUE(report->isAncestorOf(QApplication::focusWidget()));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  // Of several grids, the first has the focus.
  for (const Kind* kind : {&kSummary, &kFinance}) {
    const platform::GridControl* first = Open(*kind)->Grids().front();
    const QWidget* focus = QApplication::focusWidget();
    EXPECT_TRUE(focus == first || first->isAncestorOf(focus)) << kind->name;
  }

  // Each pass whitens one more row of every blind.
  QPixmap black(report->size());
  black.fill(Qt::black);
  report->SetBackgroundPicture(black);
  const auto white = [&](int y) { return report->Canvas().pixelColor(0, y) == Qt::white; };
  int pass = 0;
  pauses_.onPause = [&](int) {
    EXPECT_TRUE(white(pass) && white(12 + pass)) << pass;
    EXPECT_TRUE(pass == 11 || !white(pass + 1)) << pass;
    ++pass;
  };
  WipeBlinds(12, 1, *report);
  pauses_.onPause = nullptr;
  EXPECT_EQ(pass, 12);
  const int rowsPerBlind = static_cast<int>(report->height() / 12.0 + 0.5);
  for (int y = 0; y < std::min(report->height(), rowsPerBlind * 12); ++y)
    ASSERT_TRUE(white(y)) << y;
}

// A report closed during the wipe's final event processing ends the opening untouched.
TEST_F(ReportTest, AReportClosedDuringTheWipeIsLeftAlone) {
  for (const bool destroy : {false, true}) {
    QTimer::singleShot(0, &area_, [&] {
      const auto entry = views_.OpenViews().Find(kReportBreakevenKey);
      ASSERT_TRUE(entry.has_value());
      if (destroy) {
        delete entry->window;
      } else {
        entry->window->close();
      }
    });
    EXPECT_EQ(Open(kBreakeven), nullptr) << destroy;
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    RunDeferredDeletes();
  }
}

TEST_F(ReportTest, CapacityColourChoiceKeepsTheColourWhenCancelled) {
  platform::ScriptedColourDialog dialog;
  ReportWindow* capacity = Open(kCapacity);
  ReportWindow* stock = Open(kStock);
  const auto rightClick = [](ReportWindow* report) {
    QTest::mouseClick(report, Qt::RightButton, {}, QPoint(report->width() - 2, 20));
  };
  const std::pair<std::optional<QColor>, QColor> steps[] = {
      {std::nullopt, Qt::white}, {QColor(Qt::red), Qt::red}, {std::nullopt, Qt::red}};
  for (const auto& [answer, shown] : steps) {
    dialog.Answer(answer);
    rightClick(capacity);
    EXPECT_EQ(capacity->BackColor(), shown);
    EXPECT_TRUE(capacity->hasFocus());
  }
  EXPECT_EQ(dialog.Starts(), (std::vector<QColor>{Qt::white, Qt::white, Qt::red}));
  rightClick(stock);
  EXPECT_EQ(dialog.Starts().size(), 3U);
}

TEST_F(ReportTest, OnlyListedReportsRefuseToCloseWhileBuilding) {
  for (const Kind* kind : kAll) {
    ReportWindow* report = Open(*kind);
    report->Complete(false);
    report->SubWindow()->close();
    EXPECT_EQ(views_.OpenViews().Contains(kind->key), kind->refusesWhileBuilding) << kind->name;
    report->Complete(true);
    CloseAll();
  }
}

TEST_F(ReportTest, FocusSwitchesTheCopyItemInTheNormalStateOnly) {
  auto* other = new QLineEdit;
  area_.addSubWindow(other)->show();
  for (const Kind* kind : {&kBreakeven, &kSummary, &kFinance}) {
    ReportWindow* report = Open(*kind);
    report->Grids().back()->setFocus();
    EXPECT_TRUE(copy_.isEnabled()) << kind->name;
    copy_.setText("kept");
    other->setFocus();
    EXPECT_FALSE(copy_.isEnabled());
    EXPECT_EQ(copy_.text(), QStringLiteral("Copy to Clipboard"));
    report->SubWindow()->showMaximized();
    report->Grids().front()->setFocus();
    EXPECT_FALSE(copy_.isEnabled()) << kind->name;
    report->SubWindow()->showNormal();
    CloseAll();
  }
}

TEST_F(ReportTest, ActivationMovesHomeOnlyDuringACascadeOfReports) {
  ReportWindow* other = Open(kStock);
  for (const Kind* kind : {&kBreakeven, &kCapacity, &kSummary, &kFinance, &kMarket}) {
    ReportWindow* report = Open(*kind);
    const QPoint home = report->SubWindow()->pos();
    for (const bool cascading : {false, true}) {
      CascadingReports = cascading;
      report->Move(100, 2000);
      area_.setActiveSubWindow(other->SubWindow());
      area_.setActiveSubWindow(report->SubWindow());
      EXPECT_EQ(report->SubWindow()->pos() == home, cascading) << kind->name;
    }
  }
  // The capacity report's grid then stays at the window's edge.
  EXPECT_EQ(static_cast<frmRptCapacity*>(Open(kCapacity))->FlxGrid()->pos(), QPoint(0, 0));
}

}  // namespace
}  // namespace talvair::views
