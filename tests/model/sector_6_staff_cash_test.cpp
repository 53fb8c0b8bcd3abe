#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/model_error.h"
#include "model/pass.h"
#include "model/sectors.h"
#include "model/value_table.h"
#include "model/var_index.h"

namespace talvair {
namespace {

using namespace talvair::var;
using sectors::Sector6StaffCash;

using Values = std::vector<std::pair<Index, double>>;

constexpr int kStepRow = 3;

struct StaffRun {
  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
  Pass pass{*values, period};

  // The opening staff (120 pros, 25 novices, 20 rookies), 3 aircraft, and the constants
  // in every row as the initialising pass leaves them.
  explicit StaffRun(int row) {
    for (int r = 0; r <= kMaxRow; ++r) {
      values->Set(tonewcsms, r, 0.4);
      values->Set(debt_finance_frac, r, 0.75);
    }
    period = static_cast<int16_t>(row);
    Seed({{pros, 120},           {novices, 25},          {rookies, 20},
          {total_csms1, 165},    {hiring_team, 12},      {aircraft, 3},
          {book_value_fleet, 3e7}, {ave_qual_novices, 1}, {ave_qual_pros, 1},
          {ave_qual_rookies, 1}, {rel_value_per_csm, 1}, {ave_rel_workweek, 1},
          {net_profit, 5},       {zkcustomers, 1000},    {zkcustomersl, 1000},
          {potenzkcust, 900},    {revenue, 1e7},         {total_costs, 9e6}});
  }

  void Seed(const Values& inputs) {
    for (const auto& [v, x] : inputs) values->Set(v, period, x);
  }
  double At(Index v) const { return values->Get(v, period); }
  void Run(bool initialising) { Sector6StaffCash(pass, initialising); }
};

struct Case {
  std::string name;
  bool initialising;
  Values inputs;
  Values expected;
};

class StaffCashCases : public testing::TestWithParam<Case> {};

TEST_P(StaffCashCases, ComputesTheRow) {
  const Case& c = GetParam();
  StaffRun run(c.initialising ? 0 : kStepRow);
  run.Seed(c.inputs);
  run.Run(c.initialising);
  EXPECT_EQ(run.period, c.initialising ? 0 : kStepRow);
  for (const auto& [v, x] : c.expected) {
    EXPECT_NEAR(run.At(v), x, 1e-9 * std::max(1.0, std::fabs(x))) << "variable " << v;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sector6, StaffCashCases,
    testing::Values(
        // hiring_capacity 360; 30 / 360 lies on T2's first segment
        Case{"Hiring", false, {{decidehiring, 30}},
             {{desiredhiring, 30}, {hire_rate, 120}, {hiring_capacity, 360},
              {deshiringrelcap, 30.0 / 360}, {qualcsmcands, 1.1 - 30.0 / 360 / 0.5 * 0.04},
              {inc_qual_rookies, (1.1 - 30.0 / 360 / 0.5 * 0.04) * 120}, {planned_layoffs, 0},
              {staff_nextdt, (120.0 - 8 - 5 - 24) / 4 + 165}, {inc_cum_net_profit, 5}}},
        Case{"NoHiringTeam", false, {{decidehiring, 30}, {hiring_team, 0}},
             {{hiring_capacity, 0}, {deshiringrelcap, 0}, {qualcsmcands, 1.1}}},
        Case{"NoHiringTeamInitialising", true, {{decidehiring, 30}, {hiring_team, 0}},
             {{hiring_capacity, 0}, {deshiringrelcap, 0}, {qualcsmcands, 1.1}}},
        Case{"Liquidated", false, {{decidehiring, 30}, {liquidation_switch, 1}},
             {{desiredhiring, 0}, {hire_rate, 0}, {planned_layoffs, 0}, {deshiringrelcap, 0}}},
        Case{"NegativeDecision", false, {{decidehiring, -10}},
             {{desiredhiring, -10}, {hire_rate, 0}, {planned_layoffs, 10}, {layoffs, 10}}},
        // Turnover at the opening staff: to_r = 0.4 * 20, to_n = 25 * 0.2, to_p = 120 * 0.2
        Case{"Turnover", false, {},
             {{toexpcsms, 1}, {to_p, 24}, {to_n, 5}, {to_r, 8}, {promnp, 25 / 1.5}, {promrn, 40},
              {novice_outlow, 5 + 25 / 1.5}, {pros_outflow, 24}, {rookie_outflow, 48},
              {reduct_qual_novices, 5}, {reduct_qual_pros, 24}, {reduct_qual_rookies, 8}}},
        Case{"StockEffectLow", false, {{rel_value_per_csm, 0}}, {{effctstockonto, 3}}},
        Case{"StockEffectLowInitialising", true, {{rel_value_per_csm, 0}}, {{effctstockonto, 2.5}}},
        Case{"StockEffectHigh", false, {{rel_value_per_csm, 6}}, {{effctstockonto, 0.5}}},
        Case{"StressLowInitialising", true, {{ave_rel_workweek, 0.75}}, {{effctstressonto, 0.7}}},
        Case{"StressHigh", false, {{ave_rel_workweek, 1.5}}, {{effctstressonto, 4}}},
        Case{"StressScalesTurnover", false, {{ave_rel_workweek, 1.6}, {rel_value_per_csm, 0}},
             {{toexpcsms, 12}, {to_p, 120 * 0.2 * 12.0}, {to_n, 25 * 0.2 * 12.0}}},
        // 2 aircraft sold at 10 million each
        Case{"AircraftSold", false, {{aircraft_purch_rate, -2}, {aircraft_acq_cost, 0}},
             {{ave_aircraft_value, 1e7}, {redbvfromsales, 2e7}, {inc_from_asset_sale, 6e6},
              {net_cash_flow, 7e6}, {net_borrowing, -5.25e6}}},
        Case{"AircraftBought", false, {{aircraft_purch_rate, 4}, {aircraft_acq_cost, 5e6}},
             {{redbvfromsales, 0}, {inc_from_asset_sale, 0}, {net_cash_flow, -4e6},
              {net_borrowing, 3e6}}},
        Case{"CustomersLostStep", false, {{zkcustomers, 1000}, {zkcustomersl, 700}},
             {{lossofcustomers, 100}}},
        Case{"CustomersLostInitialising", true, {{zkcustomers, 1000}, {zkcustomersl, 700}},
             {{lossofcustomers, 0}}},
        // No staff ahead: the three guarded layoff shares would otherwise be 0 / 0.
        Case{"NoStaffAhead", false, {{decidehiring, -10}, {total_csms1, 9.25}},
             {{staff_nextdt, 0}, {layoffs, 0}, {layoffs_novices, 0}, {layoffs_pros, 0},
              {layoffs_rookies, 0}}},
        Case{"StepPassKeepsTheConstants", false,
             {{tonewcsms, 0.5}, {debt_finance_frac, 0.5}, {total_costs, 1.2e7}},
             {{tonewcsms, 0.5}, {debt_finance_frac, 0.5}, {to_r, 10}, {net_borrowing, 1e6}}}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

// Between 1 and 1.5 the step pass's stress effect lies above the initialising pass's.
TEST(Sector6, StressTablesDifferAboveNormalWorkweek) {
  StaffRun step(kStepRow);
  step.Seed({{ave_rel_workweek, 1.1}});
  step.Run(false);
  StaffRun init(0);
  init.Seed({{ave_rel_workweek, 1.1}});
  init.Run(true);
  EXPECT_NEAR(step.At(effctstressonto), 1.75, 1e-6);
  EXPECT_NEAR(init.At(effctstressonto), 1.48, 1e-6);
}

// Layoffs never exceed the staff one quarter ahead, and their three shares add up to them;
// a layoff of everyone leaves every class empty after the quarter's integration.
struct LayoffCase {
  std::string name;
  double decision;
  double expectedLayoffs;
  bool empties;
};

class LayoffCases : public testing::TestWithParam<LayoffCase> {};

TEST_P(LayoffCases, SharesOutTheLayoffs) {
  const LayoffCase& c = GetParam();
  StaffRun run(kStepRow);
  run.Seed({{decidehiring, c.decision}});
  run.Run(false);
  EXPECT_DOUBLE_EQ(run.At(layoffs), c.expectedLayoffs);
  EXPECT_NEAR(run.At(layoffs_novices) + run.At(layoffs_pros) + run.At(layoffs_rookies),
              c.expectedLayoffs, 1e-9);
  if (c.empties) {
    EXPECT_NEAR(run.At(rookies) + (run.At(hire_rate) - run.At(rookie_outflow)) * 0.25, 0, 1e-9);
    EXPECT_NEAR(run.At(novices) + (run.At(promrn) - run.At(novice_outlow)) * 0.25, 0, 1e-9);
    EXPECT_NEAR(run.At(pros) + (run.At(promnp) - run.At(pros_outflow)) * 0.25, 0, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(Sector6, LayoffCases,
                         testing::Values(LayoffCase{"Ten", -10, 10, false},
                                         LayoffCase{"None", 5, 0, false},
                                         LayoffCase{"Everyone", -10000, 155.75 / 0.25, true}),
                         [](const testing::TestParamInfo<LayoffCase>& info) {
                           return info.param.name;
                         });

TEST(Sector6, InitialisingPassFillsItsConstants) {
  StaffRun run(0);
  for (int r = 0; r <= kMaxRow; ++r) {
    run.values->Set(tonewcsms, r, 0);
    run.values->Set(debt_finance_frac, r, 0);
  }
  run.Run(true);
  EXPECT_EQ(run.period, 0);
  for (int r = 0; r <= kMaxRow; ++r) {
    EXPECT_EQ(run.values->Get(tonewcsms, r), 0.4) << "row " << r;
    EXPECT_EQ(run.values->Get(debt_finance_frac, r), 0.75) << "row " << r;
  }
  EXPECT_DOUBLE_EQ(run.At(to_r), 8);
}

// No fleet: the unguarded ave_aircraft_value faults after its store, and the
// statements after it keep their old values.
struct FaultCase {
  std::string name;
  double bookValue;
  int code;
};

class FleetFaultCases : public testing::TestWithParam<FaultCase> {};

TEST_P(FleetFaultCases, EndsThePass) {
  const FaultCase& c = GetParam();
  StaffRun run(kStepRow);
  run.Seed({{aircraft, 0}, {book_value_fleet, c.bookValue}, {inc_qual_rookies, -7}, {toexpcsms, -7},
            {rookie_outflow, -7}});
  try {
    run.Run(false);
    FAIL() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), c.code);
  }
  EXPECT_FALSE(std::isfinite(run.At(ave_aircraft_value)));
  EXPECT_EQ(run.At(inc_qual_rookies), 0);  // computed before the fault
  EXPECT_EQ(run.At(toexpcsms), -7);
  EXPECT_EQ(run.At(rookie_outflow), -7);
}

INSTANTIATE_TEST_SUITE_P(Sector6, FleetFaultCases,
                         testing::Values(FaultCase{"DivisionByZero", 3e7, kErrDivisionByZero},
                                         FaultCase{"ZeroByZero", 0, kErrOverflow}),
                         [](const testing::TestParamInfo<FaultCase>& info) {
                           return info.param.name;
                         });

// An overflowing argument of Max is not tested before the call: the statement stores
// the infinity and the pass ends after it.
TEST(Sector6, OverflowingSaleProceedsFaultAfterTheStore) {
  StaffRun run(kStepRow);
  run.Seed({{aircraft_purch_rate, -1e302}, {to_r, -7}});
  try {
    run.Run(false);
    FAIL() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), kErrOverflow);
  }
  EXPECT_EQ(run.At(redbvfromsales), INFINITY);
  EXPECT_EQ(run.At(to_r), -7);
}

}  // namespace
}  // namespace talvair
