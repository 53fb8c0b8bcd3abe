#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

// Four million shares priced at 10, a small cash shortfall, and the constants in every row.
SectorFixture Priced(bool initialising) {
  SectorFixture f(sectors::Sector7StockMarket, initialising ? 0 : 7);
  f.SeedAllRows({{debt_finance_frac, 0.75}, {netyieldequityissue, 0.7}});
  f.Seed({{mkt_value_of_firm, 4e7},
          {total_shares, 4e6},
          {net_cash_flow, -4},
          {promnp, 15},
          {promrn, 40},
          {ave_qual_novices, 0.8},
          {ave_qual_rookies, 0.5},
          {grossprofit, 1e6},
          {revenue, 1e7 - 1}});
  return f;
}

TEST(Sector7StockMarket, ComputesTheRow) {
  ExpectRows(Priced, InBothPasses({
                         {"shortfall financed by shares",
                          {},
                          {{stock_price, 10},
                           {shares_issued, 1 / 7.001},
                           {transfer_qual_np, 12},
                           {transfer_qual_rn, 20},
                           {gross_margin, 0.1},
                           {eff_profits_fleet, 1}}},
                     }));
  ExpectRows(Priced, {
                         {"negative firm value",
                          {{mkt_value_of_firm, -1e6}},
                          {{stock_price, 0}, {shares_issued, 1000}}},
                         {"cash surplus", {{net_cash_flow, 4}}, {{shares_issued, 0}}},
                         {"liquidated", {{liquidation_switch, 1}}, {{shares_issued, 0}}},
                         // the effect of the margin below, inside and beyond its table
                         {"deep loss", {{grossprofit, -3e6}}, {{eff_profits_fleet, 0.55}}},
                         {"margin -0.125",
                          {{grossprofit, -0.125}, {revenue, 0}},
                          {{eff_profits_fleet, 0.775}},
                          false,
                          1e-7},
                         {"no revenue",
                          {{grossprofit, 5}, {revenue, 0}},
                          {{gross_margin, 5}, {eff_profits_fleet, 1}}},
                         {"step pass keeps the equity yield",
                          {{netyieldequityissue, 0.5}},
                          {{netyieldequityissue, 0.5}, {shares_issued, 1 / 5.001}}},
                     });
}

TEST(Sector7StockMarket, InitialisingPassFillsTheEquityYield) {
  SectorFixture f = Priced(true);
  f.SeedAllRows(netyieldequityissue, 0);
  f.Run(true);
  f.ExpectAllRows({{netyieldequityissue, 0.7}});
}

TEST(Sector7StockMarket, UnguardedDivisionsEndThePass) {
  ExpectFaults(
      Priced,
      {
          // no shares: the quotient is tested before Max, so the fault comes before the store
          {{{total_shares, 0}}, kErrDivisionByZero, stock_price, shares_issued, Stored::kNothing},
          {{{total_shares, 0}, {mkt_value_of_firm, 0}},
           kErrOverflow,
           stock_price,
           shares_issued,
           Stored::kNothing},
          // a revenue of -1: gross_margin stores its infinity
          {{{revenue, -1}}, kErrDivisionByZero, gross_margin, eff_profits_fleet},
          // a zero share-issue divisor: price 1, a net yield of -0.001
          {{{mkt_value_of_firm, 4e6}, {netyieldequityissue, -0.001}},
           kErrDivisionByZero,
           shares_issued,
           transfer_qual_np},
      });
}

}  // namespace
}  // namespace talvair
