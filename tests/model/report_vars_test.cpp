// Report variables: row t shows the quarter just completed (row t - 1), row 0 itself.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "game_test_access.h"
#include "model/catalogue.h"
#include "model/game.h"
#include "model/model_error.h"
#include "model/var_index.h"

namespace talvair {
namespace {

using namespace var;

// VarNumber of each copied report variable and of the model variable it reports.
constexpr struct {
  int report;
  int source;
} kCopied[] = {{300, 40},  {301, 72},  {338, 163}, {303, 36},  {304, 108}, {328, 166}, {337, 169},
               {305, 250}, {325, 179}, {306, 37},  {307, 199}, {308, 38},  {309, 19},  {320, 119},
               {310, 285}, {311, 253}, {312, 178}, {313, 128}, {314, 32},  {315, 247}, {316, 173},
               {317, 16},  {318, 66},  {319, 110}, {321, 260}, {322, 155}, {323, 187}, {324, 73},
               {326, 175}, {327, 41},  {329, 56},  {330, 22},  {331, 269}, {333, 188}, {334, 165},
               {335, 64},  {336, 63},  {339, 251}};

class ReportVarsTest : public ::testing::Test {
 protected:
  void SetAt(int varNumber, int row, double x) {
    GameTestAccess::VarValues(g).Set(catalogue::VarIndexFromNumber(varNumber), row, x);
  }
  void Compute(int period) {
    GameTestAccess::Period(g) = static_cast<int16_t>(period);
    GameTestAccess::ComputeReportVars(g);
  }
  double At(Index v, int row) { return g.VarValues().Get(v, row); }

  game g;
};

TEST_F(ReportVarsTest, EachReportsItsSourceOfTheCompletedQuarter) {
  for (int period : {0, 1, 5, 41}) {
    for (const auto& c : kCopied) {
      for (int row = 0; row <= kMaxRow; ++row) SetAt(c.source, row, c.source * 1000.0 + row);
    }
    Compute(period);
    const int completed = period == 0 ? 0 : period - 1;
    for (const auto& c : kCopied) {
      EXPECT_EQ(g.GetVarValue(c.report, period, 0), c.source * 1000.0 + completed)
          << "VarNumber " << c.report << " at period " << period;
    }
  }
}

struct Seed {
  Index v;
  int row;
  double x;
};

struct ReportCase {
  const char* name;
  int period;
  std::vector<Seed> seeds;
  std::vector<std::pair<Index, double>> expected;  // in row `period`
  int fault = 0;
};

void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }

class ReportCaseTest : public ReportVarsTest, public ::testing::WithParamInterface<ReportCase> {};

TEST_P(ReportCaseTest, Values) {
  const ReportCase& c = GetParam();
  // Untouched rows hold markers, so that a read of the wrong row shows.
  for (Index v : {net_income, outstanding_shares, earnings_per_share, zk_rev_pass_miles, brkevepass,
                  avail_seat_miles1, liquidation_switch}) {
    for (int row = 0; row <= kMaxRow; ++row) GameTestAccess::VarValues(g).Set(v, row, -7);
  }
  for (const Seed& s : c.seeds) GameTestAccess::VarValues(g).Set(s.v, s.row, s.x);
  try {
    Compute(c.period);
    EXPECT_EQ(c.fault, 0) << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), c.fault);
  }
  for (auto [v, x] : c.expected) EXPECT_DOUBLE_EQ(At(v, c.period), x) << "VarIndex " << v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportCaseTest,
    ::testing::Values(
        ReportCase{"EarningsPerShareOfLastQuarter",
                   5,
                   {{net_income, 4, 8}, {outstanding_shares, 5, 2}, {liquidation_switch, 5, 0}},
                   {{rpt_net_income, 8}, {rpt_earnings_per_share, 1}}},
        ReportCase{"MilesOverThisRowsSeatMiles",
                   5,
                   {{zk_rev_pass_miles, 4, 60},
                    {brkevepass, 4, 30},
                    {avail_seat_miles1, 4, 80},
                    {avail_seat_miles1, 5, 100},
                    {outstanding_shares, 5, 1},
                    {liquidation_switch, 5, 0}},
                   {{rpt_miles_load_factor, 0.6},
                    {rpt_brkeven_miles_load_factor, 0.3},
                    {rpt_avail_seat_miles1, 80}}},
        ReportCase{"LiquidatedRowHasNoRatios",
                   5,
                   {{zk_rev_pass_miles, 4, 60},
                    {avail_seat_miles1, 5, 0},
                    {outstanding_shares, 5, 1},
                    {liquidation_switch, 5, 1}},
                   {{rpt_miles_load_factor, 0}, {rpt_brkeven_miles_load_factor, 0}}},
        // Only a switch of exactly 1 counts as liquidated.
        ReportCase{"SwitchOtherThanOne",
                   5,
                   {{zk_rev_pass_miles, 4, 60},
                    {avail_seat_miles1, 5, 100},
                    {outstanding_shares, 5, 1},
                    {liquidation_switch, 5, 0.5}},
                   {{rpt_miles_load_factor, 0.6}}},
        ReportCase{"RowZeroReportsItself",
                   0,
                   {{net_income, 0, 3},
                    {earnings_per_share, 0, 0.25},
                    {zk_rev_pass_miles, 0, 50},
                    {brkevepass, 0, 20},
                    {avail_seat_miles1, 0, 200},
                    {outstanding_shares, 0, 0}},
                   {{rpt_net_income, 3},
                    {rpt_earnings_per_share, 0.25},
                    {rpt_miles_load_factor, 0.25},
                    {rpt_brkeven_miles_load_factor, 0.1}}},
        // No liquidation test at row 0: the ratios are computed whatever the switch holds.
        ReportCase{
            "RowZeroIgnoresSwitch",
            0,
            {{zk_rev_pass_miles, 0, 50}, {avail_seat_miles1, 0, 200}, {liquidation_switch, 0, 1}},
            {{rpt_miles_load_factor, 0.25}}},
        ReportCase{"NoSharesOutstanding",
                   5,
                   {{net_income, 4, 8}, {outstanding_shares, 5, 0}, {avail_seat_miles1, 5, 100}},
                   {{rpt_net_income, 8}},
                   kErrDivisionByZero},
        ReportCase{"NoSharesNoIncome",
                   5,
                   {{net_income, 4, 0}, {outstanding_shares, 5, 0}, {avail_seat_miles1, 5, 100}},
                   {{rpt_net_income, 0}},
                   kErrOverflow},
        ReportCase{
            "NoSeatMilesWithoutLiquidation",
            5,
            {{outstanding_shares, 5, 1}, {avail_seat_miles1, 5, 0}, {liquidation_switch, 5, 0}},
            {},
            kErrDivisionByZero}),
    [](const auto& info) { return info.param.name; });

TEST_F(ReportVarsTest, AfterRestartAndAfterSteps) {
  EXPECT_EQ(g.GetVarValue(305, 0, 0), g.GetVarValue(250, 0, 0));  // rpt_revenues, revenues
  EXPECT_EQ(g.GetVarValue(332, 0, 0), g.GetVarValue(81, 0, 0));   // earnings per share
  for (int q = 0; q < 5; ++q) g.GoForward();
  ASSERT_EQ(g.Period(), 5);
  EXPECT_EQ(g.GetVarValue(305, -1, 0), g.GetVarValue(250, 4, 0));
  EXPECT_DOUBLE_EQ(g.GetVarValue(332, -1, 0),
                   g.GetVarValue(179, 4, 0) / g.GetVarValue(188, 5, 0) / 4);
}

}  // namespace
}  // namespace talvair
