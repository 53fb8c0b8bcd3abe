#include <cmath>
#include <cstdint>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "model/model_error.h"
#include "model/sectors.h"

namespace talvair {
namespace {

using namespace talvair::var;

constexpr double kUntouched = -7;

// Row `row` seeded with the opening staff and fleet, the default fare and the
// competitors' opening fare; outputs hold a marker so untouched ones show.
struct Sector1Fixture {
  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
  Pass pass{*values, period};

  explicit Sector1Fixture(int row = 3) {
    period = static_cast<int16_t>(row);
    for (Index v : {pot_pass_rel_capac, load_factor, passengerscarried, pricerobust, zkcustomers})
      values->Set(v, row, kUntouched);
    Seed(pros, 120);
    Seed(qual_of_pros, 120);
    Seed(novices, 25);
    Seed(qual_of_novices, 25);
    Seed(rookies, 20);
    Seed(qual_of_rookies, 20);
    Seed(aircraft, 3);
    Seed(passmilesperplane, 700000);
    Seed(servicedaysperplane, 300);
    Seed(talvairfare, 0.09);
    Seed(ave_comp_fare, 0.16);
    Seed(zkcustomersl, 630000000 * 2.5);  // far above capacity: full indicated load
  }
  void Seed(Index v, double x) { values->Set(v, period, x); }
  double Get(Index v) const { return values->Get(v, period); }
  void Run(bool initialising = false) { sectors::Sector1Capacity(pass, initialising); }
};

TEST(Sector1Capacity, OpeningStaffAndFleet) {
  Sector1Fixture f;
  f.Run();
  EXPECT_EQ(f.Get(hiring_team), 12);
  EXPECT_EQ(f.Get(effective_pros), 108);
  for (Index v : {ave_qual_rookies, ave_qual_novices, ave_qual_pros}) EXPECT_EQ(f.Get(v), 1);
  EXPECT_EQ(f.Get(servicecapacity), 208440000);
  EXPECT_EQ(f.Get(passengercapacity), 630000000);
  EXPECT_NEAR(f.Get(serveffrelcapacity), 0.3309, 1e-4);
  EXPECT_EQ(f.Get(pricerobust), 1);
  EXPECT_EQ(f.Get(zkcustomers), f.Get(zkcustomersl));
  EXPECT_EQ(f.Get(indicatedloadfactor), 0.9);
  EXPECT_EQ(f.Get(effloadonquality), 0.015);
  EXPECT_EQ(f.Get(load_factor), 0.9);
  EXPECT_EQ(f.Get(passengerscarried), 630000000 * 0.9);
}

struct TableCase {
  Index input;
  double x;
  Index output;
  double expected;
  double tolerance;
};

TEST(Sector1Capacity, TableFunctionsAtTheirInputs) {
  const std::vector<TableCase> cases = {
      {talvairfare, 0.3, pricerobust, 0.75, 1e-7},
      {talvairfare, 1.0, pricerobust, 1e-08, 0},
      {talvairfare, 5.0, pricerobust, 1e-08, 0},
      {zkcustomersl, 630000000 * 1.0, indicatedloadfactor, 0.75, 1e-7},
      {zkcustomersl, 630000000 * 1.0, effloadonquality, 0.95, 1e-7},
      {zkcustomersl, 630000000 * 2.0, effloadonquality, 0.015, 1e-7},
      {zkcustomersl, 630000000 * 0.5, indicatedloadfactor, 0.4775, 1e-7},
      // 105 rookies and nobody else: service capacity 0.05 of passenger capacity
      {rookies, 105, effrelservloadfact, 0.45, 1e-7},
  };
  for (const TableCase& c : cases) {
    Sector1Fixture f;
    f.Seed(c.input, c.x);
    if (c.input == rookies) {
      for (Index v : {pros, qual_of_pros, novices, qual_of_novices}) f.Seed(v, 0);
      f.Seed(qual_of_rookies, 105);
    }
    f.Run();
    EXPECT_NEAR(f.Get(c.output), c.expected, c.tolerance) << "output " << c.output;
  }
}

struct LoadCase {
  double fare;
  double compFare;
  double liquidation;
  double expected;
};

TEST(Sector1Capacity, LoadFactorAgainstCompetitorFare) {
  const std::vector<LoadCase> cases = {
      {0.09, 0.16, 0, 0.9},            // well below the competitors: full load
      {0.16 * 0.9, 0.16, 0, 0.9},      // exactly at the threshold: ratio 1
      {0.18, 0.1, 0, 0.9 / 8},         // twice the threshold fare: an eighth
      {0.09, 0.16, 1, 0},              // liquidated: no passengers
      {0.18, 0.1, 1, 0},
  };
  for (const LoadCase& c : cases) {
    Sector1Fixture f;
    f.Seed(talvairfare, c.fare);
    f.Seed(ave_comp_fare, c.compFare);
    f.Seed(liquidation_switch, c.liquidation);
    f.Run();
    EXPECT_NEAR(f.Get(load_factor), c.expected, 1e-12) << c.fare << " vs " << c.compFare;
    EXPECT_EQ(f.Get(passengerscarried), f.Get(passengercapacity) * f.Get(load_factor));
  }
}

TEST(Sector1Capacity, EmptyStaffGroupsDoNotFault) {
  for (auto [group, quality, average] : std::vector<std::tuple<Index, Index, Index>>{
           {rookies, qual_of_rookies, ave_qual_rookies},
           {novices, qual_of_novices, ave_qual_novices},
           {pros, qual_of_pros, ave_qual_pros}}) {
    Sector1Fixture f;
    f.Seed(group, 0);
    f.Seed(quality, 0);
    EXPECT_NO_THROW(f.Run());
    EXPECT_EQ(f.Get(average), 1);
  }
}

struct FaultCase {
  const char* name;
  std::vector<std::pair<Index, double>> seeds;
  int code;
  Index firstUntouched;
};

TEST(Sector1Capacity, UnguardedZeroDivisorsEndThePass) {
  const std::vector<FaultCase> cases = {
      {"no aircraft", {{aircraft, 0}}, kErrDivisionByZero, pot_pass_rel_capac},
      {"no aircraft, no staff",
       {{aircraft, 0}, {pros, 0}, {novices, 0}, {rookies, 0}},
       kErrOverflow,
       pot_pass_rel_capac},
      {"no competitor fare", {{ave_comp_fare, 0}}, kErrDivisionByZero, passengerscarried},
  };
  for (const FaultCase& c : cases) {
    Sector1Fixture f;
    for (auto [v, x] : c.seeds) f.Seed(v, x);
    try {
      f.Run();
      ADD_FAILURE() << c.name << ": no fault";
    } catch (const ModelError& e) {
      EXPECT_EQ(e.Code(), c.code) << c.name;
    }
    EXPECT_EQ(f.Get(c.firstUntouched), kUntouched) << c.name;
  }
  // The faulting quotient itself is stored.
  Sector1Fixture f;
  f.Seed(aircraft, 0);
  EXPECT_THROW(f.Run(), ModelError);
  EXPECT_TRUE(std::isinf(f.Get(serveffrelcapacity)));
}

TEST(Sector1Capacity, InitialisingPassFillsAndOpensRowZero) {
  Sector1Fixture f(0);
  f.Seed(aircraft_purch_rate, 4);
  f.Seed(liquidation_switch, 1);
  for (int row = 0; row <= kMaxRow; ++row) f.values->Set(target_serv_scope, row, row * 0.01);
  f.Run(true);
  EXPECT_EQ(f.period, 0);
  // One quarter of the purchase rate joins the 3 aircraft.
  EXPECT_EQ(f.Get(passengercapacity), 4 * 700000.0 * 300);
  EXPECT_NEAR(f.Get(pot_pass_rel_capac), 0.627, 1e-15);
  EXPECT_EQ(f.Get(liquidation_switch), 0);
  EXPECT_GT(f.Get(passengerscarried), 0);
  EXPECT_EQ(f.Get(pricerobust), kUntouched);
  EXPECT_EQ(f.Get(zkcustomers), kUntouched);
  for (int row = 0; row <= kMaxRow; ++row) {
    EXPECT_EQ(f.values->Get(servicedaysperplane, row), 300);
    EXPECT_EQ(f.values->Get(passmilesperplane, row), 700000);
    EXPECT_EQ(f.values->Get(zkcustomersl, row), f.Get(passengercapacity) * 0.627);
    EXPECT_EQ(f.values->Get(scope_of_service, row), row * 0.01);
    EXPECT_EQ(f.values->Get(avepasscarried, row), f.Get(passengerscarried));
  }
}

}  // namespace
}  // namespace talvair
