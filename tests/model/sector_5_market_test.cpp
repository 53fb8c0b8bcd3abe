#include <tuple>
#include <utility>
#include <vector>

#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

// Both markets at the reference perceived fare 0.16 in row 0.
constexpr double kReferenceMarket = 95000000000.0;
const Values kConstants = {{mkt_growth_rate, 0.04}, {trad_formation_time, 2}, {capavetime, 0.25},
                           {comp_scope_of_serv, 1}, {ave_comp_quality, 0.7},  {demavetime, 0.25}};

// Plausible airline inputs in `row`; the constants the step pass reads in every row.
SectorFixture AtRow(int row, bool withConstants = true) {
  SectorFixture f(sectors::Sector5Market, row);
  if (withConstants) f.SeedAllRows(kConstants);
  f.Seed({{percdindusfare, 0.16},
          {target_serv_scope, 0.6},
          {scope_of_service, 0.6},
          {quality_of_service, 0.9},
          {traditional_quality, 1},
          {passengerscarried, 1e9},
          {passengercapacity, 1.5e9},
          {ave_comp_fare, 0.16},
          {talvairfare, 0.09},
          {percscopeofservice, 0.6},
          {percadeqserv, 1},
          {aircraft, 5},
          {aveaircraft, 3}});
  return f;
}
SectorFixture RowZero(bool) { return AtRow(0); }

TEST(Sector5Market, InitialisingPassWritesConstantsBeforeTheirFirstUse) {
  SectorFixture f = AtRow(0, false);  // a late fill would divide by zero
  f.Seed(target_serv_scope, 0.8);
  f.Run(true);
  EXPECT_EQ(f.period, 0);
  f.ExpectAllRows(kConstants);
  f.Expect({{est_pass_mkt, kReferenceMarket},
            {newpassmk, kReferenceMarket},
            {total_pass_mkt, 2 * kReferenceMarket},
            {ch_scope_service, 0.4},
            {ch_trad_quality, -0.05},
            {chaveaircraft, 8}});
  EXPECT_EQ(f.At(est_pass_mkt, 1), 0);  // other rows are the step pass's
}

// The step pass reads the growth rate of its own row and leaves the constant alone.
TEST(Sector5Market, MarketsGrowOverTimeAndShrinkWithThePerceivedFare) {
  ExpectRows([](bool) { return AtRow(5); }, {
                                                {"row 5 at rate 0.08",
                                                 {{mkt_growth_rate, 0.08}},
                                                 {{mkt_growth_rate, 0.08},
                                                  {est_pass_mkt, 104991237217.18654},
                                                  {newpassmk, 104991237217.18654}},
                                                 false,
                                                 1e-12},
                                            });
  ExpectRows(RowZero, {
                          {"perceived fare 0.2",
                           {{percdindusfare, 0.2}},
                           {{est_pass_mkt, 88848602543.14902},
                            {newpassmk, 83095517619.68913},
                            {total_pass_mkt, 88848602543.14902 + 83095517619.68913}},
                           false,
                           1e-12},
                      });
}

TEST(Sector5Market, FareEffectsAreRelativeToTheAverageIndustryFare) {
  ExpectRows(RowZero, {
                          {"no market share",
                           {{passengerscarried, 0}},
                           {{avg_indus_fare, 0.16},
                            {effctzkfareonestab, 64.0 / 27.0},
                            {effctzkfareonnew, 3.7559360431217845},
                            {effcompfareonest, 1},
                            {effcompfareonnew, 1}},
                           false,
                           1e-12},
                          {"half the market",
                           {{passengerscarried, kReferenceMarket}, {talvairfare, 0.12}},
                           {{avg_indus_fare, 0.14},
                            {effctzkfareonestab, 1.2601440246904176},
                            {effctzkfareonnew, 1.4255341186561659},
                            {effcompfareonest, 0.8184875533567998},
                            {effcompfareonnew, 0.7355607076628171}},
                           false,
                           1e-12},
                      });
}

// Below each table, between its second and third and its fourth and fifth points, beyond it.
TEST(Sector5Market, TablesAtInnerPointsAndBothClamps) {
  // input, output, y at x = 0.3, y at x = 0.7, last y
  for (auto [input, output, y03, y07, yLast] :
       std::vector<std::tuple<Index, Index, double, double, double>>{
           {percscopeofservice, effservscopeonest, 0.125, 0.86, 1.1},
           {percadeqserv, effctzkqualonnew, 0.425, 0.9, 1.1},
           {percscopeofservice, effservscopeonnew, 0.375, 0.965, 1.04},
           {ave_comp_quality, effcompqualonest, 0.15, 0.75, 1.3},
           {ave_comp_quality, effcompqualonnew, 0.425, 0.9, 1.1},
           {comp_scope_of_serv, effcompscopeonest, 0.125, 0.86, 1.1},
           {comp_scope_of_serv, effcompscopeonnew, 0.375, 0.965, 1.04},
           {percadeqserv, effctzkqualonestab, 0.15, 0.75, 1.3}}) {
    for (auto [x, y] : {std::pair{-1.0, 0.0}, {0.3, y03}, {0.7, y07}, {2.5, yLast}}) {
      SectorFixture f = AtRow(3);
      f.Seed(input, x);
      f.Run();
      EXPECT_NEAR(f.At(output), y, 1e-7) << "VarIndex " << output << " at " << x;
    }
  }
}

TEST(Sector5Market, PotentialShareWeighsCapacityAgainstCompetitors) {
  const Values none = {{zk_attract_to_est, 0},
                       {zk_attract_to_new, 0},
                       {zkpotenestmktshare, 0},
                       {zkpotennewmktshare, 0}};
  Values noCapacity = none;
  noCapacity.insert(noCapacity.end(), {{zk_share_total_cap, 0}, {comp_share_tot_cap, 1}});
  ExpectRows(RowZero, {
                          {"no capacity", {{passengercapacity, 0}}, noCapacity},
                          {"no perceived scope", {{percscopeofservice, 0}}, none},
                          {"no perceived adequacy", {{percadeqserv, 0}}, none},
                      });
  // Equal fares and the airline's effects at 1. The competitors' quality 0.7 reads 0.75
  // (established market) and 0.9 (new market), their scope 0.6 reads 0.8 and 0.95.
  const auto competing = [](bool) {
    SectorFixture f = AtRow(0);
    f.SeedAllRows(comp_scope_of_serv, 0.6);
    f.Seed({{talvairfare, 0.16}, {percscopeofservice, 1}});
    return f;
  };
  const double full = 2 * kReferenceMarket / 0.6;
  ExpectRows(competing, {
                            {"a quarter of the capacity",
                             {{passengercapacity, 0.25 * full}},
                             {{zk_share_total_cap, 0.25},
                              {comp_share_tot_cap, 0.75},
                              {comp_attract_to_est, 0.45},
                              {comp_attract_to_new, 0.64125},
                              {zkpotenestmktshare, 0.25 / 0.7},
                              {zkpotennewmktshare, 0.25 / 0.89125}},
                             false,
                             1e-7},
                            // no bound: the competitors' share turns negative
                            {"more than the whole capacity",
                             {{passengercapacity, 1.5 * full}},
                             {{comp_share_tot_cap, -0.5},
                              {comp_attract_to_est, -0.3},
                              {zkpotenestmktshare, 1.5 / 1.2}},
                             false,
                             1e-7},
                        });
}

TEST(Sector5Market, UnguardedZeroDivisorEndsThePassAfterStoringTheResult) {
  ExpectFaults(
      RowZero,
      {
          {{{trad_formation_time, 0}}, kErrDivisionByZero, ch_trad_quality, mkt_share},
          {{{capavetime, 0}}, kErrDivisionByZero, chaveaircraft, comp_attract_to_new},
          {{{capavetime, 0}, {aircraft, 3}}, kErrOverflow, chaveaircraft, comp_attract_to_new},
          // nobody attracts the established market
          {{{passengercapacity, 2 * kReferenceMarket / 0.6}, {percadeqserv, 0}},
           kErrOverflow,
           zkpotenestmktshare,
           zkpotennewmktshare},
      });
}

}  // namespace
}  // namespace talvair
