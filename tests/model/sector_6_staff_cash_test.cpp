#include <utility>

#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

// The opening staff (120 pros, 25 novices, 20 rookies), 3 aircraft, and the constants
// in every row as the initialising pass leaves them.
SectorFixture Opening(bool initialising) {
  SectorFixture f(sectors::Sector6StaffCash, initialising ? 0 : 3);
  f.SeedAllRows({{tonewcsms, 0.4}, {debt_finance_frac, 0.75}});
  f.Seed({{pros, 120},
          {novices, 25},
          {rookies, 20},
          {total_csms1, 165},
          {hiring_team, 12},
          {aircraft, 3},
          {book_value_fleet, 3e7},
          {ave_qual_novices, 1},
          {ave_qual_pros, 1},
          {ave_qual_rookies, 1},
          {rel_value_per_csm, 1},
          {ave_rel_workweek, 1},
          {net_profit, 5},
          {zkcustomers, 1000},
          {zkcustomersl, 1000},
          {potenzkcust, 900},
          {revenue, 1e7},
          {total_costs, 9e6}});
  return f;
}

// Between table points the tolerance is looser: the points lie at single-precision x values.
TEST(Sector6StaffCash, ComputesTheRow) {
  const Values noTeam = {{decidehiring, 30}, {hiring_team, 0}};
  const Values lostCustomers = {{zkcustomers, 1000}, {zkcustomersl, 700}};
  ExpectRows(
      Opening,
      {
          // hiring capacity 360; 30 / 360 lies on the candidates' table's first segment
          {"hiring",
           {{decidehiring, 30}},
           {{desiredhiring, 30},
            {hire_rate, 120},
            {hiring_capacity, 360},
            {deshiringrelcap, 30.0 / 360},
            {qualcsmcands, 1.0933333333},
            {inc_qual_rookies, 131.2},
            {planned_layoffs, 0},
            {staff_nextdt, 185.75},
            {inc_cum_net_profit, 5}}},
          {"hiring far beyond capacity", {{decidehiring, 4000}}, {{qualcsmcands, 0.002}}},
          {"no hiring team",
           noTeam,
           {{hiring_capacity, 0}, {deshiringrelcap, 0}, {qualcsmcands, 1.1}}},
          {"no hiring team", noTeam, {{deshiringrelcap, 0}, {qualcsmcands, 1.1}}, true},
          {"liquidated",
           {{decidehiring, 30}, {liquidation_switch, 1}},
           {{desiredhiring, 0}, {hire_rate, 0}, {planned_layoffs, 0}, {deshiringrelcap, 0}}},
          {"negative decision",
           {{decidehiring, -10}},
           {{desiredhiring, -10}, {hire_rate, 0}, {planned_layoffs, 10}, {layoffs, 10}}},
          // to_r = 0.4 × 20, to_n = 25 × 0.2, to_p = 120 × 0.2
          {"turnover",
           {},
           {{toexpcsms, 1},
            {to_p, 24},
            {to_n, 5},
            {to_r, 8},
            {promnp, 25 / 1.5},
            {promrn, 40},
            {novice_outlow, 5 + 25 / 1.5},
            {pros_outflow, 24},
            {rookie_outflow, 48},
            {reduct_qual_novices, 5},
            {reduct_qual_pros, 24},
            {reduct_qual_rookies, 8}}},
          {"stock effect low", {{rel_value_per_csm, 0}}, {{effctstockonto, 3}}},
          {"stock effect low", {{rel_value_per_csm, 0}}, {{effctstockonto, 2.5}}, true},
          {"stock effect 2.25", {{rel_value_per_csm, 2.25}}, {{effctstockonto, 0.76}}, false, 1e-6},
          {"stock effect high", {{rel_value_per_csm, 6}}, {{effctstockonto, 0.5}}},
          {"stress low", {{ave_rel_workweek, 0.75}}, {{effctstressonto, 0.7}}, true},
          // between 1 and 1.5 the step pass's stress table lies above the initialising pass's
          {"stress 1.1", {{ave_rel_workweek, 1.1}}, {{effctstressonto, 1.75}}, false, 1e-6},
          {"stress 1.1", {{ave_rel_workweek, 1.1}}, {{effctstressonto, 1.48}}, true, 1e-6},
          {"stress high", {{ave_rel_workweek, 1.5}}, {{effctstressonto, 4}}},
          {"stress scales turnover",
           {{ave_rel_workweek, 1.6}, {rel_value_per_csm, 0}},
           {{toexpcsms, 12}, {to_p, 288}, {to_n, 60}}},
          // 2 aircraft sold at 10 million each
          {"aircraft sold",
           {{aircraft_purch_rate, -2}, {aircraft_acq_cost, 0}},
           {{ave_aircraft_value, 1e7},
            {redbvfromsales, 2e7},
            {inc_from_asset_sale, 6e6},
            {net_cash_flow, 7e6},
            {net_borrowing, -5.25e6}}},
          {"aircraft bought",
           {{aircraft_purch_rate, 4}, {aircraft_acq_cost, 5e6}},
           {{redbvfromsales, 0},
            {inc_from_asset_sale, 0},
            {net_cash_flow, -4e6},
            {net_borrowing, 3e6}}},
          {"customers lost", lostCustomers, {{lossofcustomers, 100}}},
          {"customers lost", lostCustomers, {{lossofcustomers, 0}}, true},
          // no staff ahead: the three guarded layoff shares would otherwise be 0 / 0
          {"no staff ahead",
           {{decidehiring, -10}, {total_csms1, 9.25}},
           {{staff_nextdt, 0},
            {layoffs, 0},
            {layoffs_novices, 0},
            {layoffs_pros, 0},
            {layoffs_rookies, 0}}},
          {"step pass keeps the constants",
           {{tonewcsms, 0.5}, {debt_finance_frac, 0.5}, {total_costs, 1.2e7}},
           {{tonewcsms, 0.5}, {debt_finance_frac, 0.5}, {to_r, 10}, {net_borrowing, 1e6}}},
      });
}

// Layoffs never exceed the staff one quarter ahead, and their three shares add up to them;
// a layoff of everyone leaves every class empty after the quarter's integration.
TEST(Sector6StaffCash, SharesOutTheLayoffs) {
  for (auto [decision, expected] : {std::pair{-10.0, 10.0}, {5.0, 0.0}, {-10000.0, 623.0}}) {
    SectorFixture f = Opening(false);
    f.Seed(decidehiring, decision);
    f.Run();
    EXPECT_DOUBLE_EQ(f.At(layoffs), expected);
    EXPECT_NEAR(f.At(layoffs_novices) + f.At(layoffs_pros) + f.At(layoffs_rookies), expected, 1e-9);
    if (decision == -10000) {
      EXPECT_NEAR(f.At(rookies) + (f.At(hire_rate) - f.At(rookie_outflow)) * 0.25, 0, 1e-9);
      EXPECT_NEAR(f.At(novices) + (f.At(promrn) - f.At(novice_outlow)) * 0.25, 0, 1e-9);
      EXPECT_NEAR(f.At(pros) + (f.At(promnp) - f.At(pros_outflow)) * 0.25, 0, 1e-9);
    }
  }
}

TEST(Sector6StaffCash, InitialisingPassFillsItsConstants) {
  SectorFixture f = Opening(true);
  f.SeedAllRows({{tonewcsms, 0}, {debt_finance_frac, 0}});
  f.Run(true);
  f.ExpectAllRows({{tonewcsms, 0.4}, {debt_finance_frac, 0.75}});
  EXPECT_DOUBLE_EQ(f.At(to_r), 8);
}

TEST(Sector6StaffCash, UnguardedFaultsEndThePass) {
  ExpectFaults(Opening, {
                            // no fleet: the unguarded ave_aircraft_value faults after its store
                            {{{aircraft, 0}}, kErrDivisionByZero, ave_aircraft_value, toexpcsms},
                            {{{aircraft, 0}, {book_value_fleet, 0}},
                             kErrOverflow,
                             ave_aircraft_value,
                             rookie_outflow},
                            // An overflowing argument of Max is not tested before the call: the
                            // statement stores the infinity and the pass ends after it.
                            {{{aircraft_purch_rate, -1e302}}, kErrOverflow, redbvfromsales, to_r},
                        });
}

}  // namespace
}  // namespace talvair
