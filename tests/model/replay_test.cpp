// The liquidation that ends the very first quarter. (Replays are tested through saved games.)
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "game_recorder.h"
#include "game_test_access.h"
#include "model/game.h"
#include "model/var_index.h"

namespace talvair {
namespace {

TEST(Replay, LiquidationInTheFirstQuarterShowsItAndEndsTheRun) {
  Player p;
  p.rec.decisions = {"1", "0.09", "1", "1", "1"};
  game& g = p.g;
  // Debts beyond any assets from the start: row 0's own switch turns on.
  GameTestAccess::VarValues(g).Set(var::zk_debt, 0, 1e15);
  p.Run(4);

  EXPECT_EQ(g.Period(), 1);
  EXPECT_TRUE(g.GameOver());
  EXPECT_THAT(p.rec.log, ::testing::ElementsAre("DataChange", "message", "graphs",
                                                "PeriodComplete 1", "DeactivateRun"));
  EXPECT_THAT(p.rec.messages, ::testing::ElementsAre(
                                  "You have gone into liquidation. Equity has fallen below zero."));
  for (int index = 1; index < kVarSlots; ++index) {
    ASSERT_EQ(g.DisplayValues().Get(index, 1), g.VarValues().Get(index, 1)) << index;
  }
}

}  // namespace
}  // namespace talvair
