#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "model/model_error.h"
#include "model/sectors.h"

namespace talvair {
namespace {

using namespace talvair::var;

constexpr double kUntouched = -7;
constexpr Index kOutputs[] = {plannedaircraftpurc, startup_weight, eff_growth_value, expected_profits,
                              aircraft_purch_rate, value_of_profits, value_of_growth, mkt_value_of_firm,
                              aircraft_acq_cost, mkt_val_per_csm};

class FleetSector : public ::testing::Test {
 protected:
  // A start-up firm with a fleet of 3 and profits well above its equity.
  void SeedRow(int16_t row) {
    period = row;
    Seed(year, 1981);
    Seed(aircraft, 3);
    Seed(exp_growth_profits, 0);
    Seed(revenue, 20000000);
    Seed(exp_return_on_revs, 0.1);
    Seed(net_profit, 1000000);
    Seed(discount_rate, 0.25);
    Seed(shareholders_equity, 1000000);
    Seed(total_csms1, 160);
    for (Index v : kOutputs) Seed(v, kUntouched);
  }
  void Seed(Index v, double x) { values->Set(v, period, x); }
  double Get(Index v) const { return values->Get(v, period); }
  // The initialising pass always runs on row 0; the step pass here on row 5.
  void Run(bool initialising) {
    Pass p(*values, period);
    sectors::Sector3Fleet(p, initialising);
  }
  void SeedFor(bool initialising) {
    SeedRow(initialising ? 0 : 5);
    if (!initialising) Seed(unit_cost_planes, 10000000);
  }

  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
};

struct PurchaseCase {
  std::string name;
  double liquidation;
  double decision;
  double planned;
  double rate;
  double cost;
};

TEST_F(FleetSector, PurchaseRateFollowsDecisionAndLimitsSales) {
  const double floor = -3 / 1.001 / 0.25;
  const PurchaseCase cases[] = {
      {"buy two", 0, 2, 8, 8, 80000000},
      {"hold", 0, 0, 0, 0, 0},
      {"sell within the fleet", 0, -2, -8, -8, 0},
      {"sell the whole fleet", 0, -3, -12, floor, 0},
      {"liquidation ignores a purchase", 1, 5, -48, floor, 0},
  };
  for (bool initialising : {false, true}) {
    for (const PurchaseCase& c : cases) {
      SCOPED_TRACE(c.name + (initialising ? " (initialising)" : " (step)"));
      SeedFor(initialising);
      Seed(liquidation_switch, c.liquidation);
      Seed(decideaircraftpurchase, c.decision);
      Run(initialising);
      EXPECT_DOUBLE_EQ(Get(plannedaircraftpurc), c.planned);
      EXPECT_DOUBLE_EQ(Get(aircraft_purch_rate), c.rate);
      EXPECT_DOUBLE_EQ(Get(aircraft_acq_cost), c.cost);
    }
  }
}

struct ValuationCase {
  std::string name;
  double year;
  double growth;
  double netProfit;
  double equity;
  double weight;
  double growthEffect;
  double profitsValue;
  double growthValue;
  double firmValue;
};

// expected_profits is 2000000 and discount_rate 0.25 throughout.
TEST_F(FleetSector, ValuationBlendsProfitsAndGrowth) {
  const ValuationCase cases[] = {
      {"first year values expected profits", 1981, 0, 1e6, 1e6, 1, 0, 8e6, 0, 8e6},
      {"growth effect saturates", 1982, 1, 1e6, 1e6, 1, 3.7, 8e6, 29.6e6, 37.6e6},
      {"half weight, no growth below zero", 1983, -0.5, 1e6, 1e6, 0.5, 0, 6e6, 0, 6e6},
      {"between table points", 1982.5, 0.15, 1e6, 1e6, 0.75, 1.35, 7e6, 10.8e6, 17.8e6},
      {"later years value present profits", 1984, 2, 1e6, 1e6, 0, 3.7, 4e6, 29.6e6, 33.6e6},
      {"losses leave the equity", 1990, 0, -2e6, 5e6, 0, 0, -8e6, 0, 5e6},
  };
  for (const ValuationCase& c : cases) {
    SCOPED_TRACE(c.name);
    SeedFor(false);
    Seed(year, c.year);
    Seed(exp_growth_profits, c.growth);
    Seed(net_profit, c.netProfit);
    Seed(shareholders_equity, c.equity);
    Run(false);
    EXPECT_DOUBLE_EQ(Get(expected_profits), 2e6);
    EXPECT_DOUBLE_EQ(Get(startup_weight), c.weight);
    EXPECT_NEAR(Get(eff_growth_value), c.growthEffect, 1e-6);
    EXPECT_NEAR(Get(value_of_profits), c.profitsValue, 1e-6 * std::abs(c.profitsValue));
    EXPECT_NEAR(Get(value_of_growth), c.growthValue, 1e-6 * std::abs(c.growthValue));
    EXPECT_NEAR(Get(mkt_value_of_firm), c.firmValue, 1e-6 * std::abs(c.firmValue));
  }
}

TEST_F(FleetSector, ValuePerEmployeeIsZeroWithoutStaff) {
  for (bool initialising : {false, true}) {
    for (double staff : {160.0, 0.0}) {
      SCOPED_TRACE(std::to_string(staff) + (initialising ? " (initialising)" : " (step)"));
      SeedFor(initialising);
      Seed(total_csms1, staff);
      EXPECT_NO_THROW(Run(initialising));
      EXPECT_DOUBLE_EQ(Get(mkt_val_per_csm), staff == 0 ? 0 : 50000);
    }
  }
}

TEST_F(FleetSector, InitialisingPassFillsPlanePriceAndTraditionalQuality) {
  for (int row = 0; row < kRows; ++row) {
    values->Set(zk_perc_quality, row, 1 + row / 100.0);
    values->Set(traditional_quality, row, kUntouched);
    values->Set(unit_cost_planes, row, kUntouched);
  }
  SeedFor(true);
  Run(true);
  EXPECT_EQ(period, 0);
  for (int row = 0; row < kRows; ++row) {
    EXPECT_EQ(values->Get(traditional_quality, row), 1 + row / 100.0) << row;
    EXPECT_EQ(values->Get(unit_cost_planes, row), 10000000) << row;
  }

  // The step pass leaves both alone.
  SeedFor(false);
  Seed(traditional_quality, kUntouched);
  Seed(unit_cost_planes, 12345);
  Run(false);
  EXPECT_EQ(Get(traditional_quality), kUntouched);
  EXPECT_EQ(Get(unit_cost_planes), 12345);
}

struct FaultCase {
  std::string name;
  double netProfit;
  int code;
};

TEST_F(FleetSector, ZeroDiscountRateEndsThePass) {
  const FaultCase cases[] = {
      {"profit over zero", 1e6, kErrDivisionByZero},
      {"zero over zero", 0, kErrOverflow},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    SeedFor(false);
    Seed(year, 1990);  // weight 0: value_of_profits is net_profit / discount_rate
    Seed(net_profit, c.netProfit);
    Seed(discount_rate, 0);
    try {
      Run(false);
      ADD_FAILURE() << "no fault raised";
    } catch (const ModelError& e) {
      EXPECT_EQ(e.Code(), c.code);
    }
    EXPECT_FALSE(std::isfinite(Get(value_of_profits)));
    EXPECT_DOUBLE_EQ(Get(aircraft_purch_rate), 0);
    for (Index later : {value_of_growth, mkt_value_of_firm, aircraft_acq_cost, mkt_val_per_csm}) {
      EXPECT_EQ(Get(later), kUntouched) << later;
    }
  }
}

}  // namespace
}  // namespace talvair
