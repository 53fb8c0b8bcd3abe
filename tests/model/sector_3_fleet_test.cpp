#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

// A start-up firm with a fleet of 3 and profits well above its equity; the initialising
// pass runs on row 0, the step pass here on row 5.
SectorFixture StartUp(bool initialising) {
  SectorFixture f(sectors::Sector3Fleet, initialising ? 0 : 5);
  f.Seed({{year, 1981},
          {aircraft, 3},
          {exp_growth_profits, 0},
          {revenue, 20000000},
          {exp_return_on_revs, 0.1},
          {net_profit, 1000000},
          {discount_rate, 0.25},
          {shareholders_equity, 1000000},
          {total_csms1, 160}});
  if (!initialising) f.Seed(unit_cost_planes, 10000000);
  return f;
}

TEST(Sector3Fleet, PurchaseRateFollowsDecisionAndLimitsSales) {
  const double floor = -3 / 1.001 / 0.25;
  ExpectRows(
      StartUp,
      InBothPasses({
          {"buy two",
           {{decideaircraftpurchase, 2}},
           {{plannedaircraftpurc, 8}, {aircraft_purch_rate, 8}, {aircraft_acq_cost, 80000000}}},
          {"sell within the fleet",
           {{decideaircraftpurchase, -2}},
           {{plannedaircraftpurc, -8}, {aircraft_purch_rate, -8}, {aircraft_acq_cost, 0}}},
          {"sell the whole fleet",
           {{decideaircraftpurchase, -3}},
           {{plannedaircraftpurc, -12}, {aircraft_purch_rate, floor}, {aircraft_acq_cost, 0}}},
          {"liquidation ignores a purchase",
           {{decideaircraftpurchase, 5}, {liquidation_switch, 1}},
           {{plannedaircraftpurc, -48}, {aircraft_purch_rate, floor}, {aircraft_acq_cost, 0}}},
          {"value per employee", {}, {{mkt_val_per_csm, 50000}}},
          {"no staff: no value per employee, no division",
           {{total_csms1, 0}},
           {{mkt_val_per_csm, 0}}},
      }));
}

// expected_profits is 2000000 and discount_rate 0.25 throughout.
TEST(Sector3Fleet, ValuationBlendsProfitsAndGrowth) {
  ExpectRows(StartUp,
             {
                 {"first year values expected profits",
                  {{exp_growth_profits, -0.5}},
                  {{expected_profits, 2e6},
                   {startup_weight, 1},
                   {eff_growth_value, 0},
                   {value_of_profits, 8e6},
                   {value_of_growth, 0},
                   {mkt_value_of_firm, 8e6}}},
                 {"between table points",
                  {{year, 1982.5}, {exp_growth_profits, 0.15}},
                  {{startup_weight, 0.75},
                   {eff_growth_value, 1.35},
                   {value_of_profits, 7e6},
                   {value_of_growth, 10.8e6},
                   {mkt_value_of_firm, 17.8e6}},
                  false,
                  1e-6},
                 {"later years value present profits",
                  {{year, 1984}, {exp_growth_profits, 2}},
                  {{startup_weight, 0},
                   {eff_growth_value, 3.7},
                   {value_of_profits, 4e6},
                   {value_of_growth, 29.6e6},
                   {mkt_value_of_firm, 33.6e6}},
                  false,
                  1e-6},
                 {"losses leave the equity",
                  {{year, 1990}, {net_profit, -2e6}, {shareholders_equity, 5e6}},
                  {{value_of_profits, -8e6}, {value_of_growth, 0}, {mkt_value_of_firm, 5e6}}},
             });
}

TEST(Sector3Fleet, InitialisingPassFillsPlanePriceAndTraditionalQuality) {
  SectorFixture f = StartUp(true);
  for (int row = 0; row <= kMaxRow; ++row) f.values->Set(zk_perc_quality, row, 1 + row / 100.0);
  f.Run(true);
  f.ExpectAllRows({{unit_cost_planes, 10000000}});
  for (int row = 0; row <= kMaxRow; ++row)
    EXPECT_EQ(f.At(traditional_quality, row), 1 + row / 100.0) << row;
  // The step pass leaves both alone.
  ExpectRows(StartUp, {{"step",
                        {{traditional_quality, kUntouched}, {unit_cost_planes, 12345}},
                        {{traditional_quality, kUntouched}, {unit_cost_planes, 12345}}}});
}

// Weight 0 makes value_of_profits net_profit / discount_rate.
TEST(Sector3Fleet, ZeroDiscountRateEndsThePass) {
  ExpectFaults(StartUp, {
                            {{{year, 1990}, {discount_rate, 0}},
                             kErrDivisionByZero,
                             value_of_profits,
                             value_of_growth},
                            {{{year, 1990}, {discount_rate, 0}, {net_profit, 0}},
                             kErrOverflow,
                             value_of_profits,
                             value_of_growth},
                        });
}

}  // namespace
}  // namespace talvair
