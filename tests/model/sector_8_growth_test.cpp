#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "model/model_error.h"
#include "model/sectors.h"

namespace talvair {
namespace {

using namespace var;

// 300 service days × 700,000 passenger-miles × load factor 0.7
constexpr double kCustomersPerPlane = 147000000;

class Sector8GrowthTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int row = 0; row <= kMaxRow; ++row) values->Set(year, row, 1981 + 0.25 * row);
    for (auto [v, x] : std::vector<std::pair<Index, double>>{
             {des_startup_growth, 0.8}, {aircraft_purch_time, 1}, {normal_load_factor, 0.7},
             {maxgrowthrate, 0.75}, {switch_exog_planes, 1}, {demavetime, 0.25},
             {servicedaysperplane, 300}, {passmilesperplane, 700000}, {traditional_quality, 1},
             {zk_perc_quality, 1}, {aircraft, 10}, {startup_weight, 1}, {eff_profits_fleet, 1},
             {passengerscarried, 1000}, {avepasscarried, 1000}, {zkcustomers, kCustomersPerPlane},
             {zkcustomersl, kCustomersPerPlane}, {total_csms1, 100}}) {
      SeedAllRows(v, x);
    }
  }
  void SeedAllRows(Index v, double x) {
    for (int row = 0; row <= kMaxRow; ++row) values->Set(v, row, x);
  }
  double At(Index v) const { return values->Get(v, period); }
  void Run(bool initialising, int row = 0) {
    period = static_cast<int16_t>(row);
    sectors::Sector8Growth(pass, initialising);
  }

  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
  Pass pass{*values, period};
};

struct DemandCase {
  const char* name;
  bool initialising;
  int row;
  double previous, current, smoothed;
  double demgrrate, desiredGrowth;  // at startup_weight 0.5
};

class DemandGrowthTest : public Sector8GrowthTest, public ::testing::WithParamInterface<DemandCase> {};

TEST_P(DemandGrowthTest, AnnualPercentAndBlend) {
  const DemandCase& c = GetParam();
  SeedAllRows(startup_weight, 0.5);
  if (c.row > 0) values->Set(passengerscarried, c.row - 1, c.previous);
  values->Set(passengerscarried, c.row, c.current);
  values->Set(avepasscarried, c.row, c.smoothed);
  Run(c.initialising, c.row);
  EXPECT_DOUBLE_EQ(At(demgrrate), c.demgrrate);
  EXPECT_DOUBLE_EQ(At(desired_growth_rate), c.desiredGrowth);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DemandGrowthTest,
    ::testing::Values(DemandCase{"StepRowZeroHasNoGrowth", false, 0, 0, 500, 900, 0, 0.4},
                      DemandCase{"StepQuarterAsAnnualRate", false, 1, 1000, 1100, 900, 40, 0.6},
                      DemandCase{"StepZeroPreviousGuarded", false, 1, 0, 1100, 900, 0, 0.4},
                      DemandCase{"InitGapToSmoothed", true, 0, 0, 1100, 1000, 40, 0.6},
                      DemandCase{"InitZeroSmoothedGuarded", true, 0, 0, 1100, 0, 0, 0.4}),
    [](const auto& info) { return info.param.name; });

struct FleetCase {
  const char* name;
  double startupWeight, customers, effProfits, fleet;
  double authorized, growthRate;
};

class FleetPlanTest : public Sector8GrowthTest, public ::testing::WithParamInterface<FleetCase> {};

// Row 0 of the step pass: no demand growth, so the desired growth is startup_weight × 0.8.
TEST_P(FleetPlanTest, GrowthRateCappedByStartupPhase) {
  const FleetCase& c = GetParam();
  SeedAllRows(startup_weight, c.startupWeight);
  SeedAllRows(zkcustomers, c.customers);
  SeedAllRows(eff_profits_fleet, c.effProfits);
  SeedAllRows(aircraft, c.fleet);
  Run(false);
  EXPECT_DOUBLE_EQ(At(authorized_fleet), c.authorized);
  EXPECT_DOUBLE_EQ(At(fleetgrowthrate), c.growthRate);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FleetPlanTest,
    ::testing::Values(
        FleetCase{"StartupBelowAuthorizedIsCappedAtZero", 1, kCustomersPerPlane, 0.3, 1, 1.8, 0},
        FleetCase{"StartupAboveAuthorizedKeepsGap", 1, kCustomersPerPlane, 0.3, 3, 1.8, -0.4},
        FleetCase{"MatureCappedAtMaxGrowth", 0, 30 * kCustomersPerPlane, 1, 10, 30, 0.75},
        FleetCase{"MatureAboveAuthorized", 0, 8 * kCustomersPerPlane, 1, 10, 8, -0.2},
        FleetCase{"ProfitEffectScalesTarget", 0, 30 * kCustomersPerPlane, 0.5, 10, 15, 0.5},
        FleetCase{"HalfStartupCap", 0.5, 100 * kCustomersPerPlane, 1, 10, 140, 0.625}),
    [](const auto& info) { return info.param.name; });

TEST_F(Sector8GrowthTest, InitialisingPassRefillsConstantsBeforeReadingThem) {
  SeedAllRows(normal_load_factor, 0.35);
  SeedAllRows(zkcustomers, 0);  // not yet computed in row 0: the pass reads zkcustomersl
  Run(true);
  EXPECT_EQ(period, 0);
  EXPECT_DOUBLE_EQ(At(target_fleet), 1.8);
  for (int row = 0; row <= kMaxRow; ++row) {
    EXPECT_EQ(values->Get(normal_load_factor, row), 0.7);
    EXPECT_EQ(values->Get(des_startup_growth, row), 0.8);
    EXPECT_EQ(values->Get(aircraft_purch_time, row), 1);
    EXPECT_EQ(values->Get(maxgrowthrate, row), 0.75);
    EXPECT_EQ(values->Get(switch_exog_planes, row), 1);
  }
}

TEST_F(Sector8GrowthTest, ServiceAdequacyEffectOnStaffing) {
  SeedAllRows(traditional_quality, 2);
  // relative quality, effect, staff the effect does not call for (of 100)
  for (auto [relative, effect, adjusted] : std::vector<std::tuple<double, double, double>>{
           {-0.5, 1.85, -85}, {0, 1.85, -85}, {1, 1, 0}, {1.4, 0, 100}, {3, 0, 100}}) {
    SeedAllRows(zk_perc_quality, relative * 2);
    Run(false, 4);
    EXPECT_EQ(At(quality_standard), 2);
    EXPECT_DOUBLE_EQ(At(effctservadqonhir), effect) << relative;
    EXPECT_DOUBLE_EQ(At(adjcsmsfromquality), adjusted) << relative;
  }
}

TEST_F(Sector8GrowthTest, PurchasesFollowExogenousSeriesUnlessSwitchedOff) {
  SeedAllRows(startup_weight, 0);
  SeedAllRows(zkcustomers, 30 * kCustomersPerPlane);  // growth rate 0.75 of 10 aircraft
  // year, switch, purchases per quarter
  for (auto [when, exogenous, purchases] : std::vector<std::tuple<double, double, double>>{
           {1975, 1, 0.5}, {1981, 1, 0.5}, {1987.5, 1, 0.5}, {2000, 1, 0.5}, {1990, 0, 1.875}}) {
    values->Set(year, 8, when);
    SeedAllRows(switch_exog_planes, exogenous);
    Run(false, 8);
    EXPECT_EQ(At(exog_plane_purchase), 2) << when;
    EXPECT_DOUBLE_EQ(At(aircraftpurchases), purchases) << when;
  }
}

struct FaultCase {
  const char* name;
  std::vector<Index> zeroed;
  int code;
  Index faulting;
  bool stored;  // false: the pass ends before the store
  Index untouched;
};

class GrowthFaultTest : public Sector8GrowthTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(GrowthFaultTest, UnguardedZeroDivisorEndsThePass) {
  const FaultCase& c = GetParam();
  for (Index v : c.zeroed) SeedAllRows(v, 0);
  values->Set(c.faulting, 2, -7);
  values->Set(c.untouched, 2, -7);
  try {
    Run(false, 2);
    FAIL() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), c.code);
  }
  if (c.stored) {
    EXPECT_FALSE(std::isfinite(At(c.faulting)));
    EXPECT_EQ(std::isnan(At(c.faulting)), c.code == kErrOverflow);
  } else {
    EXPECT_EQ(At(c.faulting), -7);
  }
  EXPECT_EQ(At(c.untouched), -7);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GrowthFaultTest,
    ::testing::Values(
        FaultCase{"ZeroQualityStandard", {traditional_quality}, 11, qual_rel_to_std, true,
                  effctservadqonhir},
        FaultCase{"ZeroOverZeroQuality", {traditional_quality, zk_perc_quality}, 6,
                  qual_rel_to_std, true, effctservadqonhir},
        FaultCase{"ZeroServiceDays", {servicedaysperplane}, 11, target_fleet, true,
                  adjcsmsfromquality},
        FaultCase{"ZeroFleet", {aircraft}, 11, fleetgrowthrate, false, exog_plane_purchase}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace talvair
