#include <cmath>
#include <tuple>
#include <vector>

#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

// A fleet of 10 growing by 2 a year, the same figures in every row.
SectorFixture Firm(int row = 0) {
  SectorFixture f(sectors::Sector9Financials, row);
  f.SeedAllRows({{aircraft, 10},
                 {aircraft_purch_rate, 2},
                 {aveaircraft, 8},
                 {capavetime, 0.25},
                 {aircraft_acq_cost, 40e6},
                 {zk_depreciation, 8e6},
                 {redbvfromsales, 4e6},
                 {book_value_fleet, 100e6},
                 {passengercapacity, 1.2e9},
                 {total_costs, 30e6},
                 {talvairfare, 0.19},
                 {net_cash_flow, 3e6},
                 {mkt_value_of_firm, 250e6},
                 {cum_net_profit, -20e6},
                 {net_borrowing, 8e6},
                 {zk_debt, 60e6},
                 {net_profit, 2e6},
                 {total_shares, 4e6},
                 {shareholders_equity, 45e6},
                 {to_n, 4},
                 {to_r, 8},
                 {to_p, 12},
                 {hire_rate, 40},
                 {total_csms1, 100},
                 {service_effort, 5000},
                 {relative_workweek, 1.1}});
  return f;
}

SectorFixture RowZero(bool) { return Firm(0); }

// Later statements read the figures that earlier ones of the same pass stored.
TEST(Sector9Financials, SummaryFiguresInMillions) {
  ExpectRows(RowZero, InBothPasses({
                          {"summary",
                           {},
                           {{arircraft1, 10.5},
                            {assets, 107},
                            {assets_old, 100},
                            {avail_seat_miles1, 1200},
                            {ave_csm_prody, 50},
                            {average_workweek, 44},
                            {brkevenrev, 38},
                            {brkevepass, 200},
                            {brkevenloadfact, 1.0 / 6},
                            {capgrrate, 80},
                            {cum_mkt_value, 230},
                            {debt, 62},
                            {earnings_per_share, 0.125},
                            {employee_turnover, 6},
                            {total_csms, 104},
                            {equity, 45},
                            {equity_per_share, 11.25}}},
                      }));
}

TEST(Sector9Financials, StaffPerPlane) {
  ExpectRows(RowZero,
             {
                 {"staff and fleet at the start of the quarter", {}, {{employeesperplane, 10}}},
                 {"after the quarter's flows", {}, {{employeesperplane, 104 / 10.5}}, true},
                 // guarded: no fault
                 {"no staff", {{total_csms1, 0}}, {{ave_csm_prody, 0}, {employeesperplane, 0}}},
                 {"fleet below the threshold", {{aircraft, 0.0000009}}, {{employeesperplane, 999}}},
                 {"fleet at the threshold", {{aircraft, 0.000001}}, {{employeesperplane, 1e8}}},
                 {"fleet sold off within the quarter",
                  {{aircraft, 2}, {aircraft_purch_rate, -8}},
                  {{employeesperplane, 999}},
                  true},
             });
}

TEST(Sector9Financials, TempPlanesHoldsPreviousQuarterFleet) {
  SectorFixture f = Firm();
  f.SeedAllRows(TempPlanes, kUntouched);
  f.Run(true);
  EXPECT_EQ(f.At(TempPlanes, 0), kUntouched);
  EXPECT_EQ(f.At(TempPlanes, 1), kUntouched);
  const std::vector<double> fleets = {10, 12, 15, 15};
  for (int row = 0; row < 4; ++row) {
    f.values->Set(aircraft, row, fleets[row]);
    f.SetRow(row);
    f.Run();
  }
  const std::vector<double> previous = {10, 10, 12, 15, 15};
  for (int row = 0; row <= 4; ++row) EXPECT_EQ(f.At(TempPlanes, row), previous[row]) << row;
}

TEST(Sector9Financials, LastRowEndsAtTheWriteBeyondTheTable) {
  SectorFixture f = Firm(kMaxRow);
  f.SeedAllRows({{TempPlanes, kUntouched}, {cash_flow, kUntouched}});
  ExpectModelError(kErrSubscript, [&] { f.Run(); });
  f.Expect({{capgrrate, 80}, {TempPlanes, kUntouched}, {cash_flow, kUntouched}}, 1e-12);
}

TEST(Sector9Financials, DesiredGrowthTablesAtAnInnerPointAndBothClamps) {
  for (auto [input, x, output, expected] : std::vector<std::tuple<Index, double, Index, double>>{
           {gross_margin, -2, des_gro_from_profits, 0},
           {gross_margin, -0.3, des_gro_from_profits, 0.405},
           {gross_margin, 4, des_gro_from_profits, 1},
           {mkt_share, -1, des_gro_from_share, 1},
           {mkt_share, 0.055, des_gro_from_share, 0.455},
           {mkt_share, 0.7, des_gro_from_share, 0.1}}) {
    SectorFixture f = Firm(3);
    f.SeedAllRows(input, x);
    f.Run();
    EXPECT_NEAR(f.At(output), expected, 1e-6) << x;
  }
}

TEST(Sector9Financials, UnguardedZeroDivisorEndsThePass) {
  ExpectFaults([](bool) { return Firm(5); },
               {
                   {{{talvairfare, 0}}, kErrDivisionByZero, brkevepass, brkevenloadfact},
                   {{{talvairfare, 0}, {total_costs, 0}, {zk_depreciation, 0}},
                    kErrOverflow,
                    brkevepass,
                    brkevenloadfact},
                   {{{passengercapacity, 0}}, kErrDivisionByZero, brkevenloadfact, capgrrate},
                   {{{total_shares, 0}}, kErrDivisionByZero, earningspershare, earnings_per_share},
               });
  // No fleet: capgrrate faults before TempPlanes is left in the next row.
  SectorFixture f = Firm(5);
  f.SeedAllRows({{aircraft, 0}, {TempPlanes, kUntouched}});
  ExpectModelError(kErrDivisionByZero, [&] { f.Run(); });
  EXPECT_FALSE(std::isfinite(f.At(capgrrate)));
  EXPECT_EQ(f.At(TempPlanes, 6), kUntouched);
}

}  // namespace
}  // namespace talvair
