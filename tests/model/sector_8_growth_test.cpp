#include <tuple>
#include <utility>
#include <vector>

#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

// 300 service days × 700,000 passenger-miles × load factor 0.7
constexpr double kCustomersPerPlane = 147000000;

// Ten aircraft in the start-up phase with as many customers as one plane serves, the same
// in every row.
SectorFixture StartUp(int row = 0) {
  SectorFixture f(sectors::Sector8Growth, row);
  for (int r = 0; r <= kMaxRow; ++r) f.values->Set(year, r, 1981 + 0.25 * r);
  f.SeedAllRows({{des_startup_growth, 0.8},
                 {aircraft_purch_time, 1},
                 {normal_load_factor, 0.7},
                 {maxgrowthrate, 0.75},
                 {switch_exog_planes, 1},
                 {demavetime, 0.25},
                 {servicedaysperplane, 300},
                 {passmilesperplane, 700000},
                 {traditional_quality, 1},
                 {zk_perc_quality, 1},
                 {aircraft, 10},
                 {startup_weight, 1},
                 {eff_profits_fleet, 1},
                 {passengerscarried, 1000},
                 {avepasscarried, 1000},
                 {total_csms1, 100},
                 {zkcustomers, kCustomersPerPlane},
                 {zkcustomersl, kCustomersPerPlane}});
  return f;
}

TEST(Sector8Growth, DemandGrowthAsAnnualPercentBlendedWithStartUpGrowth) {
  // initialising, row, previous and current passengers, smoothed passengers,
  // demand growth, desired growth at startup_weight 0.5
  for (auto [initialising, row, previous, current, smoothed, demand, desired] :
       std::vector<std::tuple<bool, int, double, double, double, double, double>>{
           {false, 0, 0, 500, 900, 0, 0.4},  // row 0 has no growth
           {false, 1, 1000, 1100, 900, 40, 0.6},
           {false, 1, 0, 1100, 900, 0, 0.4},   // zero previous row: guarded
           {true, 0, 0, 1100, 1000, 40, 0.6},  // gap to the smoothed passengers
           {true, 0, 0, 1100, 0, 0, 0.4}}) {   // nothing smoothed: guarded
    SectorFixture f = StartUp(row);
    f.SeedAllRows(startup_weight, 0.5);
    if (row > 0) f.values->Set(passengerscarried, row - 1, previous);
    f.Seed({{passengerscarried, current}, {avepasscarried, smoothed}});
    f.Run(initialising);
    f.Expect({{demgrrate, demand}, {desired_growth_rate, desired}}, 1e-12);
  }
}

// Row 0 of the step pass: no demand growth, so the desired growth is startup_weight × 0.8.
TEST(Sector8Growth, GrowthRateCappedByStartupPhase) {
  // startup weight, customers in planes, effect of profits, fleet; authorized fleet, growth rate
  for (auto [weight, planes, profits, fleet, authorized, growth] :
       std::vector<std::tuple<double, double, double, double, double, double>>{
           {1, 1, 0.3, 1, 1.8, 0},     // start-up below the authorized fleet: capped at 0
           {1, 1, 0.3, 3, 1.8, -0.4},  // start-up above it keeps the gap
           {0, 30, 1, 10, 30, 0.75},   // mature: capped at the maximum growth
           {0, 8, 1, 10, 8, -0.2},
           {0, 30, 0.5, 10, 15, 0.5},  // the effect of profits scales the target
           {0.5, 100, 1, 10, 140, 0.625}}) {
    SectorFixture f = StartUp();
    f.SeedAllRows({{startup_weight, weight},
                   {zkcustomers, planes * kCustomersPerPlane},
                   {eff_profits_fleet, profits},
                   {aircraft, fleet}});
    f.Run();
    f.Expect({{authorized_fleet, authorized}, {fleetgrowthrate, growth}}, 1e-12);
  }
}

TEST(Sector8Growth, InitialisingPassRefillsConstantsBeforeReadingThem) {
  SectorFixture f = StartUp();
  f.SeedAllRows({{normal_load_factor, 0.35}, {zkcustomers, 0}});  // row 0 reads zkcustomersl
  f.Run(true);
  EXPECT_DOUBLE_EQ(f.At(target_fleet), 1.8);
  f.ExpectAllRows({{normal_load_factor, 0.7},
                   {des_startup_growth, 0.8},
                   {aircraft_purch_time, 1},
                   {maxgrowthrate, 0.75},
                   {switch_exog_planes, 1}});
}

TEST(Sector8Growth, ServiceAdequacyEffectOnStaffing) {
  // quality relative to the standard 2, effect, staff the effect does not call for (of 100)
  for (auto [relative, effect, adjusted] : std::vector<std::tuple<double, double, double>>{
           {-0.5, 1.85, -85}, {0.7, 1.285, -28.5}, {1, 1, 0}, {3, 0, 100}}) {
    SectorFixture f = StartUp(4);
    f.SeedAllRows({{traditional_quality, 2}, {zk_perc_quality, relative * 2}});
    f.Run();
    f.Expect({{quality_standard, 2}, {effctservadqonhir, effect}, {adjcsmsfromquality, adjusted}},
             1e-6);
  }
}

TEST(Sector8Growth, PurchasesFollowExogenousSeriesUnlessSwitchedOff) {
  // year, switch, purchases per quarter; unswitched, a growth rate 0.75 of 10 aircraft
  for (auto [when, exogenous, purchases] : std::vector<std::tuple<double, double, double>>{
           {1975, 1, 0.5}, {1987.5, 1, 0.5}, {2000, 1, 0.5}, {1990, 0, 1.875}}) {
    SectorFixture f = StartUp(8);
    f.SeedAllRows({{startup_weight, 0},
                   {zkcustomers, 30 * kCustomersPerPlane},
                   {switch_exog_planes, exogenous}});
    f.Seed(year, when);
    f.Run();
    f.Expect({{exog_plane_purchase, 2}, {aircraftpurchases, purchases}}, 1e-12);
  }
}

TEST(Sector8Growth, UnguardedZeroDivisorEndsThePass) {
  ExpectFaults(
      [](bool) { return StartUp(2); },
      {
          {{{traditional_quality, 0}}, kErrDivisionByZero, qual_rel_to_std, effctservadqonhir},
          {{{traditional_quality, 0}, {zk_perc_quality, 0}},
           kErrOverflow,
           qual_rel_to_std,
           effctservadqonhir},
          {{{servicedaysperplane, 0}}, kErrDivisionByZero, target_fleet, adjcsmsfromquality},
          // both candidates are tested before the smaller is stored
          {{{aircraft, 0}},
           kErrDivisionByZero,
           fleetgrowthrate,
           exog_plane_purchase,
           Stored::kNothing},
      });
}

}  // namespace
}  // namespace talvair
