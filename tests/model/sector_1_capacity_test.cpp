#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

constexpr double kCapacity = 630000000;  // 3 aircraft × 700,000 passenger-miles × 300 days

// The opening staff and fleet, the default fare against the competitors' opening fare;
// customers far above capacity give the full indicated load.
SectorFixture Opening(bool initialising = false) {
  SectorFixture f(sectors::Sector1Capacity, initialising ? 0 : 3);
  f.Seed({{pros, 120},
          {qual_of_pros, 120},
          {novices, 25},
          {qual_of_novices, 25},
          {rookies, 20},
          {qual_of_rookies, 20},
          {aircraft, 3},
          {passmilesperplane, 700000},
          {servicedaysperplane, 300},
          {talvairfare, 0.09},
          {ave_comp_fare, 0.16},
          {zkcustomersl, kCapacity * 2.5}});
  return f;
}

TEST(Sector1Capacity, ComputesTheRow) {
  const Values noStaff = {{pros, 0}, {novices, 0}, {rookies, 0}};
  ExpectRows(Opening,
             {
                 {"opening staff and fleet",
                  {},
                  {{hiring_team, 12},
                   {effective_pros, 108},
                   {ave_qual_rookies, 1},
                   {ave_qual_novices, 1},
                   {ave_qual_pros, 1},
                   {servicecapacity, 208440000},
                   {passengercapacity, kCapacity},
                   {serveffrelcapacity, 208440000 / kCapacity},
                   {pricerobust, 1},
                   {zkcustomers, kCapacity * 2.5},
                   {indicatedloadfactor, 0.9},
                   {effloadonquality, 0.015},
                   {load_factor, 0.9},
                   {passengerscarried, kCapacity * 0.9}}},
                 // Each table below its first point, between two points and beyond its last point;
                 // the points lie at single-precision x values.
                 {"free fare", {{talvairfare, 0}}, {{pricerobust, 1}}},
                 {"fare 0.3", {{talvairfare, 0.3}}, {{pricerobust, 0.75}}, false, 1e-7},
                 {"fare 5", {{talvairfare, 5}}, {{zkcustomers, kCapacity * 2.5 * 1e-08}}},
                 {"no potential",
                  {{zkcustomersl, -kCapacity}},
                  {{effloadonquality, 1}, {indicatedloadfactor, 0}}},
                 {"potential 0.5",
                  {{zkcustomersl, kCapacity * 0.5}},
                  {{effloadonquality, 1}, {indicatedloadfactor, 0.4775}},
                  false,
                  1e-7},
                 {"potential 1.3",
                  {{zkcustomersl, kCapacity * 1.3}},
                  {{effloadonquality, 0.44}, {indicatedloadfactor, 0.8175}},
                  false,
                  1e-7},
                 // empty staff groups count as standard quality, without a division
                 {"no staff",
                  noStaff,
                  {{ave_qual_rookies, 1},
                   {ave_qual_novices, 1},
                   {ave_qual_pros, 1},
                   {effrelservloadfact, 0}}},
                 // 105 rookies and nobody else: service capacity 0.05 of passenger capacity
                 {"service 0.05",
                  {{pros, 0}, {novices, 0}, {rookies, 105}, {qual_of_rookies, 105}},
                  {{effrelservloadfact, 0.45}},
                  false,
                  1e-7},
                 {"service 1.5", {{pros, 5000}, {qual_of_pros, 5000}}, {{effrelservloadfact, 1}}},
                 // the load factor against the competitors' fare; the threshold is 0.144
                 {"just below the threshold", {{talvairfare, 0.135}}, {{load_factor, 0.9}}},
                 {"at the threshold", {{talvairfare, 0.144}}, {{load_factor, 0.9}}},
                 {"twice the threshold: an eighth",
                  {{talvairfare, 0.18}, {ave_comp_fare, 0.1}},
                  {{load_factor, 0.9 / 8}}},
                 {"liquidated", {{liquidation_switch, 1}}, {{load_factor, 0}}},
                 {"liquidated above the threshold",
                  {{talvairfare, 0.18}, {ave_comp_fare, 0.1}, {liquidation_switch, 1}},
                  {{load_factor, 0}}},
             });
}

TEST(Sector1Capacity, UnguardedZeroDivisorsEndThePass) {
  ExpectFaults(Opening,
               {
                   {{{aircraft, 0}}, kErrDivisionByZero, serveffrelcapacity, pot_pass_rel_capac},
                   {{{aircraft, 0}, {pros, 0}, {novices, 0}, {rookies, 0}},
                    kErrOverflow,
                    serveffrelcapacity,
                    pot_pass_rel_capac},
                   {{{ave_comp_fare, 0}},
                    kErrDivisionByZero,
                    load_factor,
                    passengerscarried,
                    Stored::kFinite},
               });
}

TEST(Sector1Capacity, InitialisingPassFillsAndOpensRowZero) {
  SectorFixture f = Opening(true);
  f.Seed({{aircraft_purch_rate, 4},
          {liquidation_switch, 1},
          {pricerobust, kUntouched},
          {zkcustomers, kUntouched}});
  for (int row = 0; row <= kMaxRow; ++row) f.values->Set(target_serv_scope, row, row * 0.01);
  f.Run(true);
  EXPECT_EQ(f.period, 0);
  // One quarter of the purchase rate joins the 3 aircraft.
  const double capacity = 4 * 700000.0 * 300;
  f.Expect({{passengercapacity, capacity},
            {pot_pass_rel_capac, 0.627},
            {liquidation_switch, 0},
            {pricerobust, kUntouched},
            {zkcustomers, kUntouched}});
  EXPECT_GT(f.At(passengerscarried), 0);
  f.ExpectAllRows({{servicedaysperplane, 300},
                   {passmilesperplane, 700000},
                   {zkcustomersl, capacity * 0.627},
                   {avepasscarried, f.At(passengerscarried)}});
  for (int row = 0; row <= kMaxRow; ++row) EXPECT_EQ(f.At(scope_of_service, row), row * 0.01);
}

}  // namespace
}  // namespace talvair
