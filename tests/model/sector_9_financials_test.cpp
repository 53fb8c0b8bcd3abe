#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <tuple>
#include <vector>

#include "model/model_error.h"
#include "model/sectors.h"

namespace talvair {
namespace {

using namespace var;

class Sector9FinancialsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (auto [v, x] : std::vector<std::pair<Index, double>>{
             {aircraft, 10}, {aircraft_purch_rate, 2}, {aveaircraft, 8}, {capavetime, 0.25},
             {aircraft_acq_cost, 40e6}, {zk_depreciation, 8e6}, {redbvfromsales, 4e6},
             {book_value_fleet, 100e6}, {passengercapacity, 1.2e9}, {total_costs, 30e6},
             {talvairfare, 0.19}, {net_cash_flow, 3e6}, {mkt_value_of_firm, 250e6},
             {cum_net_profit, -20e6}, {net_borrowing, 8e6}, {zk_debt, 60e6}, {net_profit, 2e6},
             {total_shares, 4e6}, {shareholders_equity, 45e6}, {to_n, 4}, {to_r, 8}, {to_p, 12},
             {hire_rate, 40}, {total_csms1, 100}, {service_effort, 5000},
             {relative_workweek, 1.1}}) {
      SeedAllRows(v, x);
    }
  }
  void SeedAllRows(Index v, double x) {
    for (int row = 0; row <= kMaxRow; ++row) values->Set(v, row, x);
  }
  double At(Index v) const { return values->Get(v, period); }
  void Run(bool initialising, int row = 0) {
    period = static_cast<int16_t>(row);
    sectors::Sector9Financials(pass, initialising);
  }

  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
  Pass pass{*values, period};
};

// Later statements read the figures that earlier ones of the same pass stored.
TEST_F(Sector9FinancialsTest, SummaryFiguresInMillions) {
  for (bool initialising : {false, true}) {
    Run(initialising);
    for (auto [v, expected] : std::vector<std::pair<Index, double>>{
             {arircraft1, 10.5}, {assets, 107}, {assets_old, 100}, {avail_seat_miles1, 1200},
             {ave_csm_prody, 50}, {average_workweek, 44}, {brkevenrev, 38},
             {brkevepass, 38 / 0.19}, {brkevenloadfact, 38 / 0.19 / 1200}, {capgrrate, 80},
             {cum_mkt_value, 230}, {debt, 62}, {earnings_per_share, 0.125},
             {employee_turnover, 6}, {total_csms, 104},
             {employeesperplane, initialising ? 104 / 10.5 : 10}, {equity, 45},
             {equity_per_share, 11.25}}) {
      EXPECT_DOUBLE_EQ(At(v), expected) << v << (initialising ? " initialising" : " step");
    }
  }
}

TEST_F(Sector9FinancialsTest, StaffAfterHiringWithoutTurnover) {
  SeedAllRows(to_n, 0);
  SeedAllRows(to_r, 0);
  SeedAllRows(to_p, 0);
  Run(false);
  EXPECT_EQ(At(total_csms), 110);
}

TEST_F(Sector9FinancialsTest, EquityIsZeroWhenAssetsEqualDebt) {
  SeedAllRows(zk_debt, 107e6);
  SeedAllRows(net_borrowing, 0);
  Run(false);
  EXPECT_EQ(At(equity), 0);
}

struct GuardCase {
  const char* name;
  bool initialising;
  double fleet, purchaseRate, staff;
  double prody, perPlane;
};

class GuardedRatioTest : public Sector9FinancialsTest,
                         public ::testing::WithParamInterface<GuardCase> {};

TEST_P(GuardedRatioTest, GuardValueWithoutFault) {
  const GuardCase& c = GetParam();
  SeedAllRows(aircraft, c.fleet);
  SeedAllRows(aveaircraft, c.fleet);
  SeedAllRows(aircraft_purch_rate, c.purchaseRate);
  SeedAllRows(total_csms1, c.staff);
  SeedAllRows(hire_rate, 24);  // no net staff change
  Run(c.initialising);
  EXPECT_DOUBLE_EQ(At(ave_csm_prody), c.prody);
  EXPECT_DOUBLE_EQ(At(employeesperplane), c.perPlane);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GuardedRatioTest,
    ::testing::Values(GuardCase{"NoStaff", false, 10, 0, 0, 0, 0},
                      GuardCase{"FleetBelowThreshold", false, 0.0000009, 0, 100, 50, 999},
                      GuardCase{"FleetAtThreshold", false, 0.000001, 0, 100, 50, 100 / 0.000001},
                      GuardCase{"InitFleetSoldOff", true, 2, -8, 100, 50, 999},
                      GuardCase{"InitFleetAfterPurchases", true, 2, 8, 100, 50, 25}),
    [](const auto& info) { return info.param.name; });

TEST_F(Sector9FinancialsTest, TempPlanesHoldsPreviousQuarterFleet) {
  SeedAllRows(TempPlanes, -7);
  Run(true);
  EXPECT_EQ(values->Get(TempPlanes, 0), -7);
  EXPECT_EQ(values->Get(TempPlanes, 1), -7);
  const std::vector<double> fleets = {10, 12, 15, 15};
  for (int row = 0; row < 4; ++row) {
    values->Set(aircraft, row, fleets[row]);
    Run(false, row);
  }
  const std::vector<double> previous = {10, 10, 12, 15, 15};
  for (int row = 0; row <= 4; ++row) EXPECT_EQ(values->Get(TempPlanes, row), previous[row]);
}

TEST_F(Sector9FinancialsTest, LastRowEndsAtTheWriteBeyondTheTable) {
  SeedAllRows(TempPlanes, -7);
  SeedAllRows(cash_flow, -7);
  try {
    Run(false, kMaxRow);
    FAIL() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), kErrSubscript);
  }
  EXPECT_DOUBLE_EQ(At(capgrrate), 80);
  EXPECT_EQ(At(TempPlanes), -7);
  EXPECT_EQ(At(cash_flow), -7);
}

TEST_F(Sector9FinancialsTest, DesiredGrowthTables) {
  // input, value, output, expected
  for (auto [input, x, output, expected] : std::vector<std::tuple<Index, double, Index, double>>{
           {gross_margin, -2, des_gro_from_profits, 0},
           {gross_margin, -0.9, des_gro_from_profits, 0},
           {gross_margin, -0.3, des_gro_from_profits, 0.405},
           {gross_margin, 0.3, des_gro_from_profits, 1},
           {gross_margin, 4, des_gro_from_profits, 1},
           {mkt_share, -1, des_gro_from_share, 1},
           {mkt_share, 0.0089, des_gro_from_share, 1},
           {mkt_share, 0.055, des_gro_from_share, 0.455},
           {mkt_share, 0.1, des_gro_from_share, 0.1},
           {mkt_share, 0.7, des_gro_from_share, 0.1}}) {
    SeedAllRows(input, x);
    Run(false, 3);
    EXPECT_NEAR(At(output), expected, 1e-6) << x;
  }
}

struct FaultCase {
  const char* name;
  std::vector<Index> zeroed;
  int code;
  Index faulting;
  Index untouched;
  int untouchedOffset;  // TempPlanes is left in the next row
};

class FinancialsFaultTest : public Sector9FinancialsTest,
                            public ::testing::WithParamInterface<FaultCase> {};

TEST_P(FinancialsFaultTest, UnguardedZeroDivisorEndsThePass) {
  const FaultCase& c = GetParam();
  for (Index v : c.zeroed) SeedAllRows(v, 0);
  values->Set(c.untouched, 5 + c.untouchedOffset, -7);
  try {
    Run(false, 5);
    FAIL() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), c.code);
  }
  EXPECT_FALSE(std::isfinite(At(c.faulting)));
  EXPECT_EQ(std::isnan(At(c.faulting)), c.code == kErrOverflow);
  EXPECT_EQ(values->Get(c.untouched, 5 + c.untouchedOffset), -7);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FinancialsFaultTest,
    ::testing::Values(
        FaultCase{"ZeroFare", {talvairfare}, 11, brkevepass, brkevenloadfact, 0},
        FaultCase{"ZeroFareNoCosts", {talvairfare, total_costs, zk_depreciation}, 6, brkevepass,
                  brkevenloadfact, 0},
        FaultCase{"ZeroCapacity", {passengercapacity}, 11, brkevenloadfact, capgrrate, 0},
        FaultCase{"ZeroFleet", {aircraft}, 11, capgrrate, TempPlanes, 1},
        FaultCase{"ZeroShares", {total_shares}, 11, earningspershare, earnings_per_share, 0}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace talvair
