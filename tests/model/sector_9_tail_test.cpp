#include <tuple>
#include <vector>

#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

// The calendar of the game and the constants of the initialising pass in every row.
SectorFixture Tail(int row) {
  SectorFixture f(sectors::Sector9Tail, row);
  for (int r = 0; r <= kMaxRow; ++r) f.values->Set(year, r, 1981 + 0.25 * r);
  f.SeedAllRows({{csm_prody_for_hires, 1200000},
                 {hiringtime, 0.5},
                 {switch_exog_hiring, 1},
                 {earnings_per_share, 1},
                 {revavetime, 1}});
  return f;
}
SectorFixture RowZero(bool) { return Tail(0); }

TEST(Sector9Tail, SeriesByCalendarYear) {
  // row, expected values, tolerance
  for (const auto& [row, expected, tolerance] : std::vector<std::tuple<int, Values, double>>{
           {0, {{hist_stock_price, 3.94}, {quarter, 1}, {yr, 1981}}, 1e-12},
           {3, {{quarter, 4}, {yr, 1981}}, 1e-12},
           {4, {{quarter, 1}, {yr, 1982}, {hist_revenues, 38000000}}, 1e-12},
           {21, {{hist_totapassengers, 2.50000002025e19}}, 1e-12},  // towards no data
           {24, {{hist_stock_price, 1.87}}, 0.005},  // between the last monthly points
           {25, {{hist_stock_price, 0}}, 1e-12},     // after the series
           {28, {{hist_mktg_expense, 0}, {hist_net_profit, 0}, {hist_revenues, 0}}, 1e-12},
           {40, {{hist_capacity, 500000000}, {yr, 1991}}, 1e-12}}) {
    SectorFixture f = Tail(row);
    f.Run();
    f.Expect(expected, tolerance);
  }
}

TEST(Sector9Tail, ComputesTheRow) {
  // Staff target 1,200,000,000 / 1,200,000 × (0.5 × 0.2 + 1) = 1100 against 500 employed.
  const Values staffGap = {{scope_of_service, 1},      {passengercapacity, 1200000000},
                           {desired_growth_rate, 0.2}, {effctservadqonhir, 1},
                           {total_csms1, 500},         {total_csm_turnover, 40}};
  Values ownHiring = staffGap;
  ownHiring.emplace_back(switch_exog_hiring, 0);
  const Values customerGrowth = {{grwfrmadv, 10}, {grwfrmwrdofmouth, 30}, {chngzkcust, 50}};
  ExpectRows(
      RowZero,
      {
          {"exogenous hiring ignores the gap", staffGap, {{targetcsms, 1100}, {hiring, 37.5}}},
          {"own hiring closes the gap", ownHiring, {{hiring, 310}}},
          {"no costs",
           {{cost_of_fleet, 100},
            {interestpayments, 20},
            {mktg_expenditure, 30},
            {costofservice, 50}},
           {{frac_costs_fleet, 0},
            {frac_costs_interest, 0},
            {frac_costs_mktg, 0},
            {frac_costs_service, 0}}},
          {"staff ratios",
           {{total_csms, 100},
            {total_csm_turnover, 20},
            {mkt_value_of_firm, 5000000},
            {passengerscarried, 300000},
            {hire_rate, 40},
            {rookie_outflow, 8},
            {rookies, 20}},
           {{fractional_turnover, 0.05},
            {mkt_val_per_csm0, 50},
            {rev_miles_per_csm, 3},
            {rookie_fraction, 0.28}}},
          {"no staff",
           {{total_csm_turnover, 20},
            {mkt_value_of_firm, 5000000},
            {passengerscarried, 300000},
            {hire_rate, 40},
            {to_n, 5},
            {to_r, 2},
            {to_p, 12}},
           {{fractional_turnover, 0},
            {mkt_val_per_csm0, 0},
            {rev_miles_per_csm, 0},
            {rookie_fraction, 0},
            {fracto_n, 0},
            {fracto_r, 0},
            {fracto_p, 0}}},
          {"negative staff divides only the equality guards",
           {{total_csms, -10},
            {total_csm_turnover, 20},
            {mkt_value_of_firm, 5000000},
            {passengerscarried, 300000},
            {hire_rate, 40}},
           {{fractional_turnover, 0},
            {rookie_fraction, 0},
            {mkt_val_per_csm0, -500},
            {rev_mi_per_csm, -30000}}},
          {"no equity, no return", {{net_profit, 30}, {shareholders_equity, -200}}, {{roe, 0}}},
          {"no customers",
           customerGrowth,
           {{grwratefrmadv, 0}, {grwratefrmwom, 0}, {grwratezkcust, 0}}},
          // zkcustomers of row 0 is computed here, at the end of the initialising pass
          {"customer growth of the initialising pass uses the stock",
           {{grwfrmadv, 10},
            {grwfrmwrdofmouth, 30},
            {chngzkcust, 50},
            {lossofcustomers, 10},
            {zkcustomersl, 200},
            {talvairfare, 0.1}},
           {{grwratefrmadv, 0.05},
            {grwratefrmwom, 0.15},
            {grwratezkcust, 0.2},
            {pricerobust, 1},
            {zkcustomers, 200}},
           true},
          {"price robustness half",
           {{talvairfare, 0.4}, {zkcustomersl, 1000}},
           {{pricerobust, 0.5}, {zkcustomers, 500}},
           true,
           1e-6},
          {"price robustness gone",
           {{talvairfare, 0.7}, {zkcustomersl, 1e9}},
           {{zkcustomers, 10}},
           true},
          {"net income of a liquidated firm",
           {{liquidation_switch, 1}, {net_profit, 5000000}},
           {{net_income, -1000000000}, {liquidation_switch, 1}},
           true},
          {"revenue growth against the average",
           {{revenues, 110}, {averevenues, 100}, {revavetime, 0.09}},
           {{revgrrate, 100}},
           true},
          {"solvent", {{assets, 10}, {debt, 9}}, {{liquidation_switch, 0}}},
          {"no equity liquidates", {{assets, 10}, {debt, 10}}, {{liquidation_switch, 1}}},
      });
}

TEST(Sector9Tail, UnguardedDivisionsEndThePass) {
  ExpectFaults(RowZero, {
                            {{{stock_price, 6}, {earnings_per_share, 0}},
                             kErrDivisionByZero,
                             pe_ratio,
                             service_costs},
                            {{{earnings_per_share, 0}}, kErrOverflow, pe_ratio, service_costs},
                            {{{revenues, 3}, {averevenues, 1}, {revavetime, -1}},
                             kErrDivisionByZero,
                             revgrrate,
                             service_costs,
                             Stored::kNonFinite,
                             true},
                        });
}

// Revenues 100, 110, 121 grow by 10 % a quarter; a liquidated firm's rows carry no revenue,
// and a quarter after such a row measures no growth instead of ending the step.
TEST(Sector9Tail, RevenueGrowthOverQuarters) {
  const std::vector<double> revenue = {100, 110, 121, 0, 0, 50};
  const std::vector<double> growth = {0, 10, 10, -100, 0, 0};
  SectorFixture f = Tail(0);
  for (int row = 0; row < static_cast<int>(revenue.size()); ++row) {
    f.SetRow(row);
    f.Seed(revenues, revenue[row]);
    f.Run();
    EXPECT_DOUBLE_EQ(f.At(revgrrate), growth[row]) << "row " << row;
    EXPECT_EQ(f.At(TempRevenue), row <= 1 ? revenue[0] : revenue[row - 1]) << "row " << row;
    EXPECT_EQ(f.At(TempRevenue, row + 1), revenue[row]) << "row " << row;
  }
}

TEST(Sector9Tail, InitialisingPassRefillsConstantsBeforeReadingThem) {
  SectorFixture f = Tail(0);
  f.SeedAllRows({{csm_prody_for_hires, 0},
                 {hiringtime, 0},
                 {switch_exog_hiring, 0},
                 {switch_exog_mktg, 0},
                 {zero, 5},
                 {total_csms1, 500}});
  f.Run(true);
  EXPECT_DOUBLE_EQ(f.At(hiring), 37.5);
  f.ExpectAllRows({{csm_prody_for_hires, 1200000},
                   {hiringtime, 0.5},
                   {switch_exog_hiring, 1},
                   {switch_exog_mktg, 1},
                   {zero, 0}});
}

}  // namespace
}  // namespace talvair
