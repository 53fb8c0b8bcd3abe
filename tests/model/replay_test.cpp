// The liquidation that ends the very first quarter. (Replays are tested through saved games.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game_test_access.h"
#include "model/game.h"
#include "model/var_index.h"

namespace talvair {
namespace {

class Recorder : public GameHost, public GameEvents {
 public:
  std::vector<std::string> log;
  std::string DecisionText(int box) override { return box == 2 ? "0.09" : "1"; }
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
  EXPECT_THAT(rec.log, ::testing::ElementsAre(
                           "DataChange",
                           "message You have gone into liquidation. Equity has fallen below zero.",
                           "graphs", "PeriodComplete 1", "DeactivateRun"));
  for (int index = 1; index < kVarSlots; ++index) {
    ASSERT_EQ(g.DisplayValues().Get(index, 1), g.VarValues().Get(index, 1)) << index;
  }
}

}  // namespace
}  // namespace talvair
