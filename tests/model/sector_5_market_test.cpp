#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/model_error.h"
#include "model/pass.h"
#include "model/sectors.h"
#include "model/value_table.h"

namespace talvair {
namespace {

using namespace talvair::var;

// Both markets at the reference perceived fare 0.16 in row 0.
constexpr double kReferenceMarket = 95000000000.0;

class Sector5MarketTest : public ::testing::Test {
 protected:
  // Plausible inputs in `row`; the constants the step pass reads go into every row.
  void SeedInputs(int row) {
    for (int r = 0; r <= kMaxRow; ++r) {
      values->Set(mkt_growth_rate, r, 0.04);
      values->Set(trad_formation_time, r, 2);
      values->Set(capavetime, r, 0.25);
      values->Set(comp_scope_of_serv, r, 1);
      values->Set(ave_comp_quality, r, 0.7);
      values->Set(demavetime, r, 0.25);
    }
    SeedAirline(row);
  }
  void SeedAirline(int row) {
    values->Set(percdindusfare, row, 0.16);
    values->Set(target_serv_scope, row, 0.6);
    values->Set(scope_of_service, row, 0.6);
    values->Set(quality_of_service, row, 0.9);
    values->Set(traditional_quality, row, 1);
    values->Set(passengerscarried, row, 1e9);
    values->Set(passengercapacity, row, 1.5e9);
    values->Set(ave_comp_fare, row, 0.16);
    values->Set(talvairfare, row, 0.09);
    values->Set(percscopeofservice, row, 0.6);
    values->Set(percadeqserv, row, 1);
    values->Set(aircraft, row, 5);
    values->Set(aveaircraft, row, 3);
  }
  void Seed(Index v, double x) { values->Set(v, period, x); }
  double Get(Index v) const { return values->Get(v, period); }
  void Run(bool initialising) {
    Pass p(*values, period);
    sectors::Sector5Market(p, initialising);
  }

  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
};

TEST_F(Sector5MarketTest, InitialisingPassWritesConstantsBeforeTheirFirstUse) {
  SeedAirline(0);  // constants left at 0: a late fill would divide by zero
  Seed(target_serv_scope, 0.8);
  Run(true);
  EXPECT_EQ(period, 0);
  const std::vector<std::pair<Index, double>> constants = {
      {mkt_growth_rate, 0.04},   {trad_formation_time, 2}, {capavetime, 0.25},
      {comp_scope_of_serv, 1},   {ave_comp_quality, 0.7},  {demavetime, 0.25}};
  for (const auto& [v, value] : constants) {
    for (int r = 0; r <= kMaxRow; ++r) EXPECT_EQ(values->Get(v, r), value) << v << " row " << r;
  }
  EXPECT_EQ(Get(est_pass_mkt), kReferenceMarket);
  EXPECT_EQ(Get(newpassmk), kReferenceMarket);
  EXPECT_EQ(Get(total_pass_mkt), 2 * kReferenceMarket);
  EXPECT_DOUBLE_EQ(Get(ch_scope_service), 0.4);
  EXPECT_DOUBLE_EQ(Get(ch_trad_quality), -0.05);
  EXPECT_DOUBLE_EQ(Get(chaveaircraft), 8);
  EXPECT_EQ(values->Get(est_pass_mkt, 1), 0);  // other rows are the step pass's
}

TEST_F(Sector5MarketTest, StepPassLeavesConstantsAlone) {
  period = 5;
  SeedInputs(period);
  values->Set(mkt_growth_rate, period, 0.08);
  Run(false);
  EXPECT_EQ(Get(mkt_growth_rate), 0.08);
  EXPECT_EQ(values->Get(mkt_growth_rate, 0), 0.04);
  EXPECT_NEAR(Get(est_pass_mkt), kReferenceMarket * std::exp(0.1), 1);
}

struct MarketCase {
  int16_t period;
  double perceivedFare;
};

TEST_F(Sector5MarketTest, MarketsGrowOverTimeAndShrinkWithThePerceivedFare) {
  const std::vector<MarketCase> cases = {{0, 0.16}, {1, 0.16}, {8, 0.16}, {8, 0.2}, {41, 0.1}};
  for (const auto& c : cases) {
    period = c.period;
    SeedInputs(period);
    Seed(percdindusfare, c.perceivedFare);
    Run(false);
    const double growth = std::exp(c.period * 0.01);
    const double est = std::pow(c.perceivedFare / 0.16, -0.3) * kReferenceMarket * growth;
    const double fresh = std::pow(c.perceivedFare / 0.16, -0.6) * kReferenceMarket * growth;
    SCOPED_TRACE("period " + std::to_string(c.period) + " fare " + std::to_string(c.perceivedFare));
    EXPECT_NEAR(Get(est_pass_mkt), est, est * 1e-13);
    EXPECT_NEAR(Get(newpassmk), fresh, fresh * 1e-13);
    EXPECT_EQ(Get(total_pass_mkt), Get(newpassmk) + Get(est_pass_mkt));
    if (c.perceivedFare > 0.16) {
      EXPECT_LT(Get(newpassmk), Get(est_pass_mkt));
    }
  }
}

struct FareCase {
  const char* name;
  double carried;  // passengers carried; the row-0 market is 1.9e11
  double airlineFare;
  double competitorFare;
  double averageFare;
  double airlineOnEst, airlineOnNew, competitorOnEst, competitorOnNew;
};

TEST_F(Sector5MarketTest, FareEffectsAreRelativeToTheAverageIndustryFare) {
  const std::vector<FareCase> cases = {
      {"no market share", 0, 0.09, 0.16, 0.16, 64.0 / 27.0, std::pow(0.5625, -2.3), 1, 1},
      {"whole market", 2 * kReferenceMarket, 0.09, 0.16, 0.09, 1, 1, 27.0 / 64.0,
       std::pow(16.0 / 9.0, -2.3)},
      {"half the market", kReferenceMarket, 0.12, 0.16, 0.14, std::pow(6.0 / 7.0, -1.5),
       std::pow(6.0 / 7.0, -2.3), std::pow(8.0 / 7.0, -1.5), std::pow(8.0 / 7.0, -2.3)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    period = 0;
    SeedInputs(0);
    Seed(passengerscarried, c.carried);
    Seed(talvairfare, c.airlineFare);
    Seed(ave_comp_fare, c.competitorFare);
    Run(false);
    EXPECT_NEAR(Get(avg_indus_fare), c.averageFare, 1e-15);
    EXPECT_NEAR(Get(effctzkfareonestab), c.airlineOnEst, 1e-12);
    EXPECT_NEAR(Get(effctzkfareonnew), c.airlineOnNew, 1e-12);
    EXPECT_NEAR(Get(effcompfareonest), c.competitorOnEst, 1e-12);
    EXPECT_NEAR(Get(effcompfareonnew), c.competitorOnNew, 1e-12);
  }
}

struct TableCase {
  const char* name;
  Index input;
  Index output;
  std::vector<double> y;
};

TEST_F(Sector5MarketTest, EveryTableHasItsPointsAndClampsAtBothEnds) {
  const std::vector<TableCase> tables = {
      {"T1", percscopeofservice, effservscopeonest, {0, 0.05, 0.2, 0.8, 0.92, 1, 1.05, 1.08, 1.09, 1.09, 1.1}},
      {"T2", percadeqserv, effctzkqualonnew, {0, 0.2, 0.65, 0.85, 0.95, 1, 1.06, 1.08, 1.09, 1.1, 1.1}},
      {"T3", percscopeofservice, effservscopeonnew, {0, 0.1, 0.65, 0.95, 0.98, 1, 1.02, 1.03, 1.03, 1.04, 1.04}},
      {"T4", ave_comp_quality, effcompqualonest, {0, 0.05, 0.25, 0.65, 0.85, 1, 1.12, 1.19, 1.25, 1.29, 1.3}},
      {"T5", ave_comp_quality, effcompqualonnew, {0, 0.2, 0.65, 0.85, 0.95, 1, 1.06, 1.08, 1.09, 1.1, 1.1}},
      {"T6", comp_scope_of_serv, effcompscopeonest, {0, 0.05, 0.2, 0.8, 0.92, 1, 1.05, 1.08, 1.09, 1.09, 1.1}},
      {"T7", comp_scope_of_serv, effcompscopeonnew, {0, 0.1, 0.65, 0.95, 0.98, 1, 1.02, 1.03, 1.03, 1.04, 1.04}},
      {"T8", percadeqserv, effctzkqualonestab, {0, 0.05, 0.25, 0.65, 0.85, 1, 1.12, 1.19, 1.25, 1.29, 1.3}},
  };
  period = 3;
  for (const auto& t : tables) {
    SCOPED_TRACE(t.name);
    std::vector<std::pair<double, double>> points = {{-1, t.y.front()}, {2.5, t.y.back()}};
    for (std::size_t i = 0; i < t.y.size(); ++i) points.emplace_back(0.2 * static_cast<double>(i), t.y[i]);
    for (const auto& [x, y] : points) {
      SeedInputs(period);
      Seed(t.input, x);
      Run(false);
      // The single-precision x points put nominal inputs a hair off the points.
      EXPECT_NEAR(Get(t.output), y, 1e-7) << "x = " << x;
    }
  }
}

struct NoAttractionCase {
  const char* name;
  Index input;
  double value;
};

TEST_F(Sector5MarketTest, AirlineWithoutAttractivenessHasNoPotentialShare) {
  const std::vector<NoAttractionCase> cases = {
      {"no capacity", passengercapacity, 0},
      {"no perceived scope", percscopeofservice, 0},
      {"no perceived adequacy", percadeqserv, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SeedInputs(period);
    Seed(c.input, c.value);
    Run(false);
    EXPECT_EQ(Get(zk_attract_to_est), 0);
    EXPECT_EQ(Get(zk_attract_to_new), 0);
    EXPECT_EQ(Get(zkpotenestmktshare), 0);
    EXPECT_EQ(Get(zkpotennewmktshare), 0);
  }
  SeedInputs(period);
  Seed(passengercapacity, 0);
  Run(false);
  EXPECT_EQ(Get(zk_share_total_cap), 0);
  EXPECT_EQ(Get(comp_share_tot_cap), 1);
}

TEST_F(Sector5MarketTest, PotentialShareWeighsCapacityAgainstCompetitorQuality) {
  // Equal fares and the airline's effects at 1; the competitors' quality 0.7 reads
  // 0.75 (established market) and 0.9 (new market) from their tables.
  for (const double capacityShare : {0.25, 0.6, 1.5}) {
    SCOPED_TRACE(capacityShare);
    SeedInputs(period);
    Seed(talvairfare, 0.16);
    Seed(percscopeofservice, 1);
    Seed(passengercapacity, capacityShare * 2 * kReferenceMarket / 0.6);
    Run(false);
    const double rest = 1 - capacityShare;
    EXPECT_NEAR(Get(zk_share_total_cap), capacityShare, 1e-15);
    EXPECT_NEAR(Get(comp_share_tot_cap), rest, 1e-15);
    EXPECT_NEAR(Get(comp_attract_to_est), rest * 0.75, 1e-7);
    EXPECT_NEAR(Get(comp_attract_to_new), rest * 0.9, 1e-7);
    EXPECT_NEAR(Get(zkpotenestmktshare), capacityShare / (capacityShare + rest * 0.75), 1e-7);
    EXPECT_NEAR(Get(zkpotennewmktshare), capacityShare / (capacityShare + rest * 0.9), 1e-7);
  }
}

struct FaultCase {
  const char* name;
  std::vector<std::pair<Index, double>> seeds;
  int code;
  Index faulting;
  Index untouched;
};

TEST_F(Sector5MarketTest, UnguardedZeroDivisorEndsThePassAfterStoringTheResult) {
  const double fullCapacity = 2 * kReferenceMarket / 0.6;
  const std::vector<FaultCase> cases = {
      {"no formation time", {{trad_formation_time, 0}}, kErrDivisionByZero, ch_trad_quality, mkt_share},
      {"no averaging time", {{capavetime, 0}}, kErrDivisionByZero, chaveaircraft, comp_attract_to_new},
      {"no averaging time, no gap", {{capavetime, 0}, {aircraft, 3}}, kErrOverflow, chaveaircraft,
       comp_attract_to_new},
      {"nobody attracts the established market", {{passengercapacity, fullCapacity}, {percadeqserv, 0}},
       kErrOverflow, zkpotenestmktshare, zkpotennewmktshare},
  };
  constexpr double kOld = 12345;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    SeedInputs(period);
    for (const auto& [v, x] : c.seeds) Seed(v, x);
    Seed(c.faulting, kOld);
    Seed(c.untouched, kOld);
    try {
      Run(false);
      ADD_FAILURE() << "no fault";
    } catch (const ModelError& e) {
      EXPECT_EQ(e.Code(), c.code);
    }
    EXPECT_FALSE(std::isfinite(Get(c.faulting)));
    EXPECT_EQ(Get(c.untouched), kOld);
  }
}

}  // namespace
}  // namespace talvair
