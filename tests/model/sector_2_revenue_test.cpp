#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

// Opening staff and fleet, 300 million passengers at the default fare, a debt of
// 10 million on a fleet worth 30 million, and the constants the step pass expects.
SectorFixture AtRow(int row) {
  SectorFixture f(sectors::Sector2Revenue, row);
  f.Seed({{talvairfare, 0.09},
          {passengerscarried, 300000000},
          {rookies, 20},
          {novices, 25},
          {pros, 120},
          {aircraft, 3},
          {zk_debt, 10000000},
          {book_value_fleet, 30000000},
          {decidemarketingfraction, 0.1},
          {ave_revenues, 20000000},
          {annual_csm_cost, 42000},
          {unitplaneopcost, 5500000},
          {rev_averaging_time, 1},
          {ave_life_aircraft, 16}});
  return f;
}
SectorFixture Opening(bool initialising) { return AtRow(initialising ? 0 : 3); }

TEST(Sector2Revenue, InitialisingPassOpeningAccounts) {
  SectorFixture f = Opening(true);
  f.SeedAllRows({{annual_csm_cost, 0},
                 {unitplaneopcost, 0},
                 {rev_averaging_time, 0},
                 {ave_life_aircraft, 0},
                 {averevenues, kUntouched},
                 {ave_revenues, kUntouched}});
  f.Run(true);
  EXPECT_EQ(f.period, 0);
  f.Expect({{revenue, 27000000},
            {averevenues, 27},
            {ave_revenues, 27000000},
            {total_csms1, 165},
            {costofservice, 6930000},
            {cost_of_fleet, 16500000},
            {mktg_expenditure, 2700000},
            {interestpayments, 1000000},
            {total_costs, 27130000},
            {year, 1981},
            {zk_depreciation, 1875000},
            {exp_growth_profits, 0},
            {grossprofit, -130000},
            {net_profit, -2005000}});
  EXPECT_EQ(f.At(averevenues, 1), kUntouched);
  EXPECT_EQ(f.At(ave_revenues, 1), kUntouched);
  f.ExpectAllRows({{annual_csm_cost, 42000},
                   {unitplaneopcost, 5500000},
                   {total_shares, 4000000},
                   {rev_averaging_time, 1},
                   {ave_life_aircraft, 16},
                   {exp_return_on_revs, 0.03},
                   {discount_rate, 0.2}});
}

TEST(Sector2Revenue, ComputesTheRow) {
  ExpectRows(Opening,
             {
                 {"any positive debt pays the higher rate",
                  {{zk_debt, 0.01}},
                  {{interestrate, 0.1}, {interestpayments, 0.001}}},
                 {"no debt", {{zk_debt, 0}}, {{interestrate, 0.05}, {interestpayments, 0}}},
                 {"a deposit earns the lower rate",
                  {{zk_debt, -1000}},
                  {{interestrate, 0.05}, {interestpayments, -50}}},
                 {"year of row 3", {}, {{year, 1981.75}}},
                 // revenue growth over its average
                 {"growth",
                  {{passengerscarried, 150 / 0.09}, {ave_revenues, 100}, {rev_averaging_time, 2}},
                  {{exp_growth_profits, 0.25}}},
                 {"decline",
                  {{passengerscarried, 50 / 0.09}, {ave_revenues, 100}, {rev_averaging_time, 0.5}},
                  {{exp_growth_profits, -1}}},
                 {"empty average: no division",
                  {{ave_revenues, 0}, {rev_averaging_time, 0}},
                  {{exp_growth_profits, 0}}},
             });
  ExpectRows([](bool) { return AtRow(0); },
             {
                 {"never any growth at the start",
                  {{passengerscarried, 150 / 0.09}, {ave_revenues, 100}, {rev_averaging_time, 2}},
                  {{exp_growth_profits, 0}}},
                 {"nor a division there",
                  {{ave_revenues, 0}, {rev_averaging_time, 0}},
                  {{exp_growth_profits, 0}}},
             });
}

TEST(Sector2Revenue, UnguardedZeroDivisorsEndThePass) {
  ExpectFaults(
      Opening,
      {
          {{{ave_life_aircraft, 0}}, kErrDivisionByZero, zk_depreciation, exp_growth_profits},
          {{{ave_life_aircraft, 0}, {book_value_fleet, 0}},
           kErrOverflow,
           zk_depreciation,
           exp_growth_profits},
          {{{rev_averaging_time, 0}}, kErrDivisionByZero, exp_growth_profits, grossprofit},
      });
}

}  // namespace
}  // namespace talvair
