#include <cmath>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/model_error.h"
#include "model/sectors.h"

namespace talvair {
namespace {

using namespace talvair::var;

constexpr double kUntouched = -7;

// Opening staff and fleet, 300 million passengers at the default fare, a debt of
// 10 million on a fleet worth 30 million, and the constants the step pass expects.
struct Sector2Fixture {
  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
  Pass pass{*values, period};

  explicit Sector2Fixture(int row = 3) {
    period = static_cast<int16_t>(row);
    for (Index v : {exp_growth_profits, grossprofit, net_profit}) values->Set(v, row, kUntouched);
    Seed(talvairfare, 0.09);
    Seed(passengerscarried, 300000000);
    Seed(rookies, 20);
    Seed(novices, 25);
    Seed(pros, 120);
    Seed(aircraft, 3);
    Seed(zk_debt, 10000000);
    Seed(book_value_fleet, 30000000);
    Seed(decidemarketingfraction, 0.1);
    Seed(ave_revenues, 20000000);
    Seed(annual_csm_cost, 42000);
    Seed(unitplaneopcost, 5500000);
    Seed(rev_averaging_time, 1);
    Seed(ave_life_aircraft, 16);
  }
  void Seed(Index v, double x) { values->Set(v, period, x); }
  double Get(Index v) const { return values->Get(v, period); }
  void Run(bool initialising = false) { sectors::Sector2Revenue(pass, initialising); }
};

TEST(Sector2Revenue, InitialisingPassOpeningAccounts) {
  Sector2Fixture f(0);
  for (int row = 0; row <= kMaxRow; ++row) {
    for (Index v : {annual_csm_cost, unitplaneopcost, rev_averaging_time, ave_life_aircraft})
      f.values->Set(v, row, 0);
    f.values->Set(averevenues, row, kUntouched);
    f.values->Set(ave_revenues, row, kUntouched);
  }
  f.Run(true);
  EXPECT_EQ(f.period, 0);
  EXPECT_NEAR(f.Get(revenue), 27000000, 1e-6);
  EXPECT_EQ(f.Get(averevenues), f.Get(revenue) / 1000000);
  EXPECT_EQ(f.Get(ave_revenues), f.Get(revenue));
  EXPECT_EQ(f.values->Get(averevenues, 1), kUntouched);
  EXPECT_EQ(f.values->Get(ave_revenues, 1), kUntouched);
  EXPECT_EQ(f.Get(total_csms1), 165);
  EXPECT_EQ(f.Get(costofservice), 6930000);
  EXPECT_EQ(f.Get(cost_of_fleet), 16500000);
  EXPECT_NEAR(f.Get(mktg_expenditure), 2700000, 1e-6);
  EXPECT_EQ(f.Get(interestpayments), 1000000);
  EXPECT_NEAR(f.Get(total_costs), 27130000, 1e-6);
  EXPECT_EQ(f.Get(year), 1981);
  EXPECT_EQ(f.Get(zk_depreciation), 30000000.0 / 16);
  EXPECT_EQ(f.Get(exp_growth_profits), 0);
  EXPECT_NEAR(f.Get(grossprofit), -130000, 1e-6);
  EXPECT_NEAR(f.Get(net_profit), -2005000, 1e-6);
  const std::vector<std::pair<Index, double>> constants = {
      {annual_csm_cost, 42000},   {unitplaneopcost, 5500000}, {total_shares, 4000000},
      {rev_averaging_time, 1},    {ave_life_aircraft, 16},    {exp_return_on_revs, 0.03},
      {discount_rate, 0.2}};
  for (int row = 0; row <= kMaxRow; ++row)
    for (auto [v, x] : constants) EXPECT_EQ(f.values->Get(v, row), x) << v << " row " << row;
}

TEST(Sector2Revenue, InterestRateFollowsTheSignOfTheDebt) {
  const std::vector<std::vector<double>> cases = {
      // debt, rate, payments
      {10000000, 0.1, 1000000},
      {0.01, 0.1, 0.001},
      {0, 0.05, 0},
      {-1000, 0.05, -50},
  };
  for (const auto& c : cases) {
    Sector2Fixture f;
    f.Seed(zk_debt, c[0]);
    f.Run();
    EXPECT_EQ(f.Get(interestrate), c[1]) << c[0];
    EXPECT_DOUBLE_EQ(f.Get(interestpayments), c[2]) << c[0];
  }
}

TEST(Sector2Revenue, YearOfTheRow) {
  for (auto [row, expected] : std::vector<std::pair<int, double>>{
           {0, 1981}, {1, 1981.25}, {4, 1982}, {41, 1991.25}}) {
    Sector2Fixture f(row);
    f.Run();
    EXPECT_EQ(f.Get(year), expected) << row;
  }
}

struct GrowthCase {
  int row;
  double revenue;
  double average;
  double averagingTime;
  double expected;
};

TEST(Sector2Revenue, RevenueGrowthOverItsAverage) {
  const std::vector<GrowthCase> cases = {
      {0, 150, 100, 2, 0},  // never at the start, whatever the revenues
      {0, 150, 0, 0, 0},
      {5, 150, 0, 0, 0},    // empty average: no division
      {5, 150, 100, 2, 0.25},
      {5, 50, 100, 0.5, -1},
  };
  for (const GrowthCase& c : cases) {
    Sector2Fixture f(c.row);
    f.Seed(talvairfare, 1);
    f.Seed(passengerscarried, c.revenue);
    f.Seed(ave_revenues, c.average);
    f.Seed(rev_averaging_time, c.averagingTime);
    EXPECT_NO_THROW(f.Run());
    EXPECT_EQ(f.Get(exp_growth_profits), c.expected) << "row " << c.row;
  }
}

struct FaultCase {
  const char* name;
  std::vector<std::pair<Index, double>> seeds;
  int code;
  Index faulting;
  Index firstUntouched;
};

TEST(Sector2Revenue, UnguardedZeroDivisorsEndThePass) {
  const std::vector<FaultCase> cases = {
      {"no aircraft life", {{ave_life_aircraft, 0}}, kErrDivisionByZero, zk_depreciation,
       exp_growth_profits},
      {"no aircraft life, no fleet value",
       {{ave_life_aircraft, 0}, {book_value_fleet, 0}},
       kErrOverflow,
       zk_depreciation,
       exp_growth_profits},
      {"no averaging time", {{rev_averaging_time, 0}}, kErrDivisionByZero, exp_growth_profits,
       grossprofit},
  };
  for (const FaultCase& c : cases) {
    Sector2Fixture f;
    for (auto [v, x] : c.seeds) f.Seed(v, x);
    try {
      f.Run();
      ADD_FAILURE() << c.name << ": no fault";
    } catch (const ModelError& e) {
      EXPECT_EQ(e.Code(), c.code) << c.name;
    }
    EXPECT_FALSE(std::isfinite(f.Get(c.faulting))) << c.name;
    EXPECT_EQ(f.Get(c.firstUntouched), kUntouched) << c.name;
  }
}

}  // namespace
}  // namespace talvair
