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

struct Kind {
  const char* name;
  QString key;
  std::function<ReportWindow*(game&)> make;
};

template <class R>
Kind KindOf(const char* name, const QString& key) {
  return {name, key, [](game& model) -> ReportWindow* { return new R(model); }};
}

const Kind kBreakeven = KindOf<frmRptBreakeven>("breakeven", kReportBreakevenKey);
const Kind kCapacity = KindOf<frmRptCapacity>("capacity", kReportCapacityKey);
const Kind kEmployees = KindOf<frmRptEmployees>("employees", kReportEmployeesKey);
const Kind kStock = KindOf<frmRptStock>("stock", kReportStockKey);
const Kind kSummary = KindOf<frmRptSummary>("summary", kReportSummaryKey);
const Kind kFinance = KindOf<frmRptFinancialReport>("finance", kReportFinanceKey);
const Kind kMarket = KindOf<frmRptMarketResearch>("market", kReportMktResearchKey);

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
  QString Period() { return QString::fromStdString(model_.PeriodDescription(-1, false)); }

  game model_;
  QMdiArea area_;
  WindowManager views_{&area_};
  platform::RecordedPauses pauses_;
  QAction copy_;
};

TEST_F(ReportTest, WindowsTakeTheirSizeAndHomeAtEachScreenWidth) {
  // The family's left edge at 31 % of the screen, as the screens' widths give it.
  const std::pair<int, double> screens[] = {{12000, 3720}, {15360, 4761.6}, {19200, 5952}};
  for (const auto& [screenWidth, familyLeft] : screens) {
    const platform::ScopedScreenTwips screen(screenWidth, 11000);
    struct Case {
      const Kind& kind;
      int top;
      int height;  // 0: checked below
    };
    const Case cases[] = {{kBreakeven, 0, 4280}, {kCapacity, 300, 4310}, {kEmployees, 0, 5270},
                          {kStock, 900, 4310},   {kMarket, 0, 5060},     {kFinance, 900, 0}};
    for (const Case& c : cases) {
      ReportWindow* report = Open(c.kind);
      ASSERT_NE(report, nullptr) << c.kind.name;
      const QMdiSubWindow* window = report->SubWindow();
      EXPECT_EQ(window->pos(), QPoint(platform::PixelsOf(familyLeft), platform::PixelsOf(c.top)))
          << c.kind.name << " " << screenWidth;
      if (c.height != 0) {
        EXPECT_EQ(window->height(), platform::PixelsOf(c.height)) << c.kind.name;
      }
    }
    auto* finance = static_cast<frmRptFinancialReport*>(Open(kFinance));
    const int row = finance->flxBalance()->DefaultRowHeight();
    EXPECT_EQ(finance->SubWindow()->size(),
              QSize(platform::PixelsOf(4800),
                    platform::PixelsOf(4 * row + 440 + 11 * row + 440 + row + 550)));

    // The summary keeps its right edge 150 twips from the screen's.
    ReportWindow* summary = Open(kSummary);
    EXPECT_EQ(summary->SubWindow()->height(), platform::PixelsOf(5080));
    EXPECT_EQ(summary->SubWindow()->x(), platform::PixelsOf(screenWidth - summary->Width() - 150));
    EXPECT_EQ(summary->SubWindow()->y(), 0);
    CloseAll();
  }
}

TEST_F(ReportTest, FiguresShowInTheirPatterns) {
  struct Case {
    const Kind& kind;
    int var;
    double value;
    int grid, row, col;
    const char* text;
  };
  const Case cases[] = {
      {kSummary, 300, -0.04, 1, 0, 1, "0.0"},
      {kSummary, 286, 1234.56, 4, 0, 1, "1,235"},
      {kSummary, 337, 0.12345, 5, 1, 1, "0.123"},
      {kMarket, 204, 0.09, 1, 2, 1, "$0.090"},
      {kMarket, 337, 0.25, 1, 7, 1, "        0.250"},
      {kMarket, 337, 0.25, 1, 7, 2, "        0.250"},
      {kFinance, 325, -12.34, 2, 9, 2, "-12.3"},
      {kBreakeven, 305, 1234.56, 1, 1, 1, "$1,234.6"},
      {kCapacity, 320, -5.55, 1, 6, 1, "-$5.6"},
      {kStock, 331, -0.004, 1, 1, 1, "0.00"},
  };
  for (const Case& c : cases) {
    Set(c.var, c.value);
    ReportWindow* report = Open(c.kind);
    report->Update();
    EXPECT_EQ(Cell(report, c.grid, c.row, c.col), QString::fromLatin1(c.text))
        << c.kind.name << " " << c.var;
  }
  // The airline-only figures span both value columns.
  EXPECT_EQ(static_cast<frmRptMarketResearch*>(Open(kMarket))->FlxGrid()->MergedRuns(7),
            (Runs{{1, 2}}));
}

TEST_F(ReportTest, EquityIsTheShownAssetsLessTheShownDebt) {
  Set(317, 120.04);
  Set(318, 150.0);
  Set(319, 999.0);
  auto* finance = static_cast<frmRptFinancialReport*>(Open(kFinance));
  EXPECT_EQ(finance->flxBalance()->TextMatrix(2, 1), QStringLiteral("120.0"));
  EXPECT_EQ(finance->flxBalance()->TextMatrix(3, 4), QStringLiteral("-30.0"));
}

TEST_F(ReportTest, EmployeesPerPlaneComeFromTheShownFiguresOrAreNotAvailable) {
  struct Case {
    int period;
    double aircraft, employees, liquidatedBefore;
    QString shown;
  };
  const Case cases[] = {
      {2, 10, 1234, 0, "123"},
      {2, 3.4, 130.5, 0, "44"},  // 131 shown employees over 3 shown aircraft
      {2, 0, 1234, 0, frmRptSummary::kNotAvailable},
      {2, 0.4, 1234, 0, frmRptSummary::kNotAvailable},  // shown as 0 aircraft
      {2, 10, 1234, 1, frmRptSummary::kNotAvailable},
      {1, 10, 1234, 1, "123"},  // no earlier quarter to have liquidated in
  };
  for (const Case& c : cases) {
    model_.Restart();
    for (int t = 0; t < c.period; ++t) model_.GoForward();
    Set(9, c.aircraft);
    Set(286, c.employees);
    model_.SetVarValue(kLiquidationSwitch, static_cast<int16_t>(c.period - 1), 0,
                       c.liquidatedBefore);
    ReportWindow* summary = Open(kSummary);
    summary->Update();
    EXPECT_EQ(Cell(summary, 4, 1, 1), c.shown) << c.aircraft << " " << c.liquidatedBefore;
  }
}

// The figures go through text and back in one locale: a comma-decimal locale's grouped
// employees must not read as a fraction.
TEST_F(ReportTest, SummaryReadsItsFiguresBackInTheLocaleThatWroteThem) {
  struct Case {
    numtext::NumberLocale locale;
    const char* employees;
    const char* growth;
  };
  const Case cases[] = {{{".", ","}, "1,235", "2.3"}, {{",", "."}, "1.235", "2,3"}};
  for (const Case& c : cases) {
    numtext::SetCurrentNumberLocale(c.locale);
    Set(9, 10);
    Set(286, 1234.56);
    Set(301, 2.25);
    ReportWindow* summary = Open(kSummary);
    summary->Update();
    EXPECT_EQ(Cell(summary, 4, 0, 1), QString::fromLatin1(c.employees));
    EXPECT_EQ(Cell(summary, 4, 1, 1), QStringLiteral("124"));
    EXPECT_EQ(Cell(summary, 1, 1, 1), QString::fromLatin1(c.growth));
  }
}

TEST_F(ReportTest, HeadersMergeAndLabelsFollowTheLanguage) {
  int breakevenLabelWidth = 0;
  for (const char* language : {"English", "Spanish", "Port", "Other"}) {
    CurrentLanguage = language;
    const bool english = std::string(language) == "English" || std::string(language) == "Other";
    auto* breakeven = static_cast<frmRptBreakeven*>(Open(kBreakeven));
    auto* finance = static_cast<frmRptFinancialReport*>(Open(kFinance));
    auto* market = static_cast<frmRptMarketResearch*>(Open(kMarket));
    ReportWindow* summary = Open(kSummary);

    EXPECT_EQ(breakeven->FlxGrid()->TextMatrix(0, 0), Period()) << language;
    EXPECT_EQ(breakeven->FlxGrid()->MergedRuns(0), (Runs{{0, 2}}));
    if (breakevenLabelWidth == 0) breakevenLabelWidth = breakeven->FlxGrid()->ColWidth(0);
    EXPECT_EQ(breakeven->FlxGrid()->ColWidth(0), breakevenLabelWidth) << language;
    EXPECT_EQ(breakeven->SubWindow()->height(), platform::PixelsOf(4280));

    EXPECT_EQ(finance->flxBalance()->MergedRuns(0), (Runs{{0, 5}}));
    EXPECT_EQ(finance->flxBalance()->MergedRuns(1), (Runs{{0, 5}}));
    EXPECT_EQ(finance->flxProfitLoss()->MergedRuns(0), (Runs{{0, 3}}));
    EXPECT_EQ(finance->flxProfitLoss()->MergedRuns(10), (Runs{{0, 3}}));
    // The last label takes two lines in Spanish and Portuguese, in a taller row.
    EXPECT_EQ(finance->flxProfitLoss()->TextMatrix(12, 0).contains("\r\n"), !english) << language;
    EXPECT_EQ(finance->flxProfitLoss()->RowHeight(12),
              english ? finance->flxProfitLoss()->DefaultRowHeight() : 440);

    EXPECT_EQ(market->FlxGrid()->MergedRuns(0), (Runs{{0, 3}}));
    EXPECT_EQ(market->FlxGrid()->TextMatrix(1, 1), QStringLiteral("Talvair"));
    EXPECT_EQ(
        summary->windowTitle(),
        ReportText("Summary report", "Informe resumido", "Relatório sumário") + " - " + Period());
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
  model_.SetVarValue(204, -1, 0, 0.01);
  for (int t = 0; t < 40 && !model_.GameOver(); ++t) model_.GoForward();
  ASSERT_TRUE(model_.GameOver());
  ASSERT_LT(model_.TValue(), 40);
  ReportWindow* summary = Open(kSummary);
  summary->Update();
  EXPECT_EQ(Cell(summary, 4, 1, 1), frmRptSummary::kNotAvailable);
  EXPECT_EQ(Cell(summary, 2, 0, 1), FormatValue(Single(model_.GetVarValue(9, -1, 0)), "#,##0"));
}

TEST_F(ReportTest, OpeningBuildsAndWipesOnceThenOnlyActivates) {
  int made = 0;
  const auto make = [&]() -> ReportWindow* {
    ++made;
    return new frmRptStock(model_);
  };
  OpenReport(views_, kReportStockKey, make);
  const std::vector<int> wipe{1000, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
  EXPECT_EQ(pauses_.Pauses(), wipe);
  const auto entry = views_.OpenViews().Find(kReportStockKey);
  ASSERT_TRUE(entry.has_value());
  auto* report = static_cast<ReportWindow*>(entry->view);
  EXPECT_FALSE(report->HasBackgroundPicture());
  EXPECT_TRUE(report->Grids().front()->isVisible());
  EXPECT_TRUE(report->isAncestorOf(QApplication::focusWidget()));
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  auto* other = Open(kCapacity);
  ASSERT_NE(other, nullptr);
  OpenReport(views_, kReportStockKey, make);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(pauses_.Pauses().size(), 2 * wipe.size());  // the capacity report's wipe only
  EXPECT_EQ(area_.activeSubWindow(), entry->window);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ReportTest, BlindsWhitenEveryTwelfthRowPerPass) {
  ReportWindow* report = Open(kStock);
  QPixmap black(report->size());
  black.fill(Qt::black);
  report->SetBackgroundPicture(black);
  const auto white = [&](int y) { return report->Canvas().pixelColor(0, y) == Qt::white; };
  int pass = 0;
  pauses_.onPause = [&](int) {
    EXPECT_TRUE(white(pass)) << pass;
    EXPECT_TRUE(white(12 + pass)) << pass;
    if (pass < 11) {
      EXPECT_FALSE(white(pass + 1)) << pass;
    }
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
    OpenReport(views_, kReportBreakevenKey,
               [&]() -> ReportWindow* { return new frmRptBreakeven(model_); });
    EXPECT_FALSE(views_.OpenViews().Contains(kReportBreakevenKey)) << destroy;
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
  struct Step {
    std::optional<QColor> answer;
    QColor shown;
  };
  const Step steps[] = {
      {std::nullopt, Qt::white}, {QColor(Qt::red), Qt::red}, {std::nullopt, Qt::red}};
  for (const Step& step : steps) {
    dialog.Answer(step.answer);
    rightClick(capacity);
    EXPECT_EQ(capacity->BackColor(), step.shown);
    EXPECT_TRUE(capacity->hasFocus());
  }
  EXPECT_EQ(dialog.Starts(), (std::vector<QColor>{Qt::white, Qt::white, Qt::red}));
  rightClick(stock);
  EXPECT_EQ(dialog.Starts().size(), 3U);
}

TEST_F(ReportTest, OnlyListedReportsRefuseToCloseWhileBuilding) {
  const std::pair<const Kind*, bool> cases[] = {
      {&kBreakeven, true}, {&kEmployees, true}, {&kMarket, true},  {&kCapacity, false},
      {&kStock, false},    {&kSummary, false},  {&kFinance, false}};
  for (const auto& [kind, refuses] : cases) {
    ReportWindow* report = Open(*kind);
    report->Complete(false);
    report->SubWindow()->close();
    EXPECT_EQ(views_.OpenViews().Contains(kind->key), refuses) << kind->name;
    report->Complete(true);
    CloseAll();
  }
}

TEST_F(ReportTest, FocusSwitchesTheCopyItemInTheNormalStateOnly) {
  auto* other = new QLineEdit;
  area_.addSubWindow(other)->show();
  for (const Kind* kind : {&kBreakeven, &kSummary, &kFinance}) {
    ReportWindow* report = Open(*kind);
    other->setFocus();
    EXPECT_FALSE(copy_.isEnabled()) << kind->name;
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
    EXPECT_FALSE(copy_.isEnabled());
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
  auto* capacity = static_cast<frmRptCapacity*>(views_.OpenViews().Find(kReportCapacityKey)->view);
  EXPECT_EQ(capacity->FlxGrid()->pos(), QPoint(0, 0));
}

}  // namespace
}  // namespace talvair::views
