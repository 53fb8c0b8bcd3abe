// Replaying decisions, and the liquidation that ends the very first quarter.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "game_test_access.h"
#include "model/game.h"
#include "model/model_error.h"
#include "model/var_index.h"

namespace talvair {
namespace {

using ::testing::ElementsAre;

class Recorder : public GameHost, public GameEvents {
 public:
  std::vector<std::string> log;
  std::array<std::string, 5> decisions = {"1", "0.09", "0.1", "9", "0.6"};
  std::string DecisionText(int box) override { return decisions.at(static_cast<std::size_t>(box - 1)); }
  void ShowMessage(const std::string& text) override { log.push_back("message " + text); }
  void DeactivateRun() override { log.push_back("DeactivateRun"); }
  void DisableGoBack() override {}
  void UpdateAllGraphs() override { log.push_back("graphs"); }
  void PeriodComplete(int16_t period, const std::string&) override {
    log.push_back("PeriodComplete " + std::to_string(period));
  }
  void DataChange() override { log.push_back("DataChange"); }
};

TEST(Replay, LiquidationInTheFirstQuarterShowsItAndEndsTheRun) {
  game g;
  Recorder rec;
  g.SetHost(&rec);
  g.Subscribe(&rec);
  // Debts beyond any assets from the start: row 0's own switch turns on.
  GameTestAccess::VarValues(g).Set(var::zk_debt, 0, 1e15);
  g.RunPeriod(4);
  g.ApplyDecisions();
  g.GoForward();

  EXPECT_EQ(g.Period(), 1);
  EXPECT_TRUE(g.GameOver());
  EXPECT_THAT(rec.log, ElementsAre("DataChange",
                                   "message You have gone into liquidation. Equity has fallen "
                                   "below zero.",
                                   "graphs", "PeriodComplete 1", "DeactivateRun"));
  for (int index = 1; index < kVarSlots; ++index) {
    ASSERT_EQ(g.DisplayValues().Get(index, 1), g.VarValues().Get(index, 1)) << index;
  }
}

TEST(Replay, PlaysTheDecisionsAsRunDidAndStopsWhereRunStopped) {
  struct Case {
    const char* name;
    const char* fare;
    int quarters;
    int endPeriod;
    bool over;
  };
  const std::vector<Case> cases = {
      {"ordinary", "0.09", 6, 6, false},
      {"to the end", "0.1", 40, 40, true},
      {"liquidated", "0.01", 10, 2, true},  // Run stops at the liquidation; so does the replay
  };
  for (const Case& c : cases) {
    game played;
    Recorder rec;
    played.SetHost(&rec);
    std::vector<QuarterDecisions> quarters;
    for (int t = 0; t < c.quarters && !played.GameOver(); ++t) {
      rec.decisions = {"0", c.fare, t % 2 ? "0.12" : "0.1", std::to_string(t % 3 * 5), "0.6"};
      played.ApplyDecisions();
      played.GoForward();
    }
    for (int t = 0; t < c.quarters; ++t) {
      QuarterDecisions& q = quarters.emplace_back();
      for (int d = 0; d < 5; ++d) {
        for (int e = 0; e < kElements; ++e) {
          q[d][e] = played.GetVarValue(kDecisionVarNumbers[d], static_cast<int16_t>(t),
                                       static_cast<int16_t>(e));
        }
      }
    }
    game replayed;
    std::vector<int> heard;
    replayed.ReplayDecisions(quarters, [&](int t) { heard.push_back(t); });
    EXPECT_EQ(replayed.Period(), c.endPeriod) << c.name;
    EXPECT_EQ(replayed.GameOver(), c.over) << c.name;
    EXPECT_EQ(static_cast<int>(heard.size()), c.endPeriod) << c.name;
    EXPECT_TRUE(replayed.VarValues() == played.VarValues()) << c.name;
    EXPECT_TRUE(replayed.DisplayValues() == played.DisplayValues()) << c.name;
  }
}

TEST(Replay, FailureLeavesTheGameAsItWas) {
  game g;
  Recorder rec;
  g.SetHost(&rec);
  g.RunPeriod(3);
  g.ApplyDecisions();
  g.GoForward();
  const ValueTable values = g.VarValues();
  const ValueTable display = g.DisplayValues();
  std::vector<QuarterDecisions> quarters(2);
  quarters[1][1][0] = 0.0;  // a zero fare breaks the quarter
  EXPECT_THROW(g.ReplayDecisions(quarters), ModelError);
  EXPECT_EQ(g.Period(), 3);
  EXPECT_TRUE(g.VarValues() == values);
  EXPECT_TRUE(g.DisplayValues() == display);
}

}  // namespace
}  // namespace talvair
