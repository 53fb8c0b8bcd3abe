// Run control over whole games: restart, forward, back, liquidation and failures.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "game_recorder.h"
#include "game_test_access.h"
#include "model/game.h"
#include "model/language.h"
#include "model/model_error.h"
#include "model/var_index.h"

namespace talvair {
namespace {

using ::testing::ElementsAre;

bool SameTables(game& a, game& b) {
  return GameTestAccess::VarValues(a) == GameTestAccess::VarValues(b) &&
         GameTestAccess::DisplayValues(a) == GameTestAccess::DisplayValues(b);
}

TEST(RunControl, FreshObjectEqualsRestartedOne) {
  Player played;
  for (int q = 0; q < 7; ++q) played.Run(1);
  played.g.SetVarValue(68, -1, 4, 99);  // an element the model never computes
  played.g.Restart();
  game fresh;
  EXPECT_EQ(played.g.Period(), 0);
  EXPECT_FALSE(played.g.GameOver());
  EXPECT_TRUE(SameTables(played.g, fresh));
}

// A restart copies what the first restart computed: sound only while a restart reads nothing
// that can change. Whatever a game went through, the copy equals a computed restart.
TEST(RunControl, CopiedRestartEqualsAComputedOne) {
  struct Case {
    const char* name;
    std::function<void(Player&)> before;
  } cases[] = {
      {"played",
       [](Player& p) {
         p.rec.decisions = {"2", "0.11", "0.2", "40", "0.9"};
         p.Run(12);
       }},
      {"liquidated",
       [](Player& p) {
         p.rec.decisions = {"0", "0.01", "0.1", "9", "0.6"};
         p.Run(10);
       }},
      {"every cell written",
       [](Player& p) {
         ValueTable& v = GameTestAccess::VarValues(p.g);
         ValueTable& d = GameTestAccess::DisplayValues(p.g);
         for (int e = 0; e < kElements; ++e) {
           for (int row = 0; row < kRows; ++row) {
             for (int i = 0; i < kVarSlots; ++i) {
               v.Set(i, row, e, 1.0 + i + row + e);
               d.Set(i, row, e, -1.0 - i);
             }
           }
         }
       }},
      {"every field changed",
       [](Player& p) {
         p.Run(3);
         GameTestAccess::Period(p.g) = 41;
         p.g.miPreviousT = 7;
         p.g.RunPeriod(20);
         p.g.StartYear(1990);
         p.g.IsLoading(true);
         p.g.GameComments("notes");
         CurrentLanguage = "Spanish";
       }},
  };
  for (const Case& c : cases) {
    Player copied, computed;
    c.before(copied);
    c.before(computed);
    GameTestAccess::ForgetRestart(computed.g);
    copied.g.Restart();
    computed.g.Restart();
    CurrentLanguage.clear();
    EXPECT_TRUE(SameTables(copied.g, computed.g)) << c.name;
    EXPECT_EQ(copied.g.Period(), computed.g.Period()) << c.name;
    EXPECT_EQ(copied.g.GameOver(), computed.g.GameOver()) << c.name;
  }
}

TEST(RunControl, NewObjectState) {
  game g;
  EXPECT_EQ(g.Period(), 0);
  for (int v = 0; v < kVarSlots; ++v) {
    EXPECT_EQ(g.VarValues().Get(v, 0), g.DisplayValues().Get(v, 0)) << v;
  }
}

TEST(RunControl, WholeGamesRunWithoutFault) {
  struct Case {
    const char* name;
    std::array<std::string, 5> decisions;
  } cases[] = {
      {"defaults", {"0", "0.09", "0.1", "9", "0.6"}},
      {"low bounds", {"-3", "0.01", "0", "-50", "0.1"}},
      {"high bounds", {"1000", "1", "1", "10000", "2"}},
      {"buying and hiring", {"5", "0.12", "0.3", "200", "1.2"}},
      {"cheap and lean", {"0", "0.05", "0.05", "0", "0.3"}},
  };
  for (const Case& c : cases) {
    Player p;
    p.rec.decisions = c.decisions;
    p.Run(40);
    EXPECT_THAT(p.rec.log, ::testing::Not(::testing::Contains(::testing::StartsWith("Error"))))
        << c.name;
    EXPECT_TRUE(p.g.GameOver()) << c.name;
    EXPECT_LE(p.g.Period(), 40) << c.name;
  }
}

TEST(RunControl, DefaultGameReachesFortyAndStops) {
  Player p;
  p.Run(40);
  EXPECT_EQ(p.g.Period(), 40);
  EXPECT_TRUE(p.g.GameOver());
  EXPECT_THAT(p.rec.log, ::testing::Contains("GameOver 40"));
  EXPECT_EQ(p.rec.log.back(), "PeriodComplete 40");
  p.rec.log.clear();
  p.g.GoForward();  // over: only the announcement
  EXPECT_THAT(p.rec.log, ElementsAre("GameOver 40"));
  EXPECT_EQ(p.g.Period(), 40);
}

TEST(RunControl, LongRunStopsAtForty) {
  Player p;
  p.Run(38);
  p.rec.log.clear();
  p.Run(4);  // only two quarters are left
  EXPECT_EQ(p.g.Period(), 40);
  EXPECT_THAT(p.rec.log, ElementsAre("DataChange", "graphs", "DataChange", "GameOver 40", "graphs",
                                     "PeriodComplete 40"));
}

// At 40 with the flag still clear the game ends there: announced, completed, never stepped.
TEST(RunControl, ForwardAtFortyWithFlagClearEndsWithoutStepping) {
  Player p;
  GameTestAccess::Period(p.g) = 40;
  const ValueTable values = p.g.VarValues();
  p.g.RunPeriod(4);
  p.g.GoForward();
  EXPECT_THAT(p.rec.log, ElementsAre("GameOver 40", "PeriodComplete 40"));
  EXPECT_EQ(p.g.Period(), 40);
  EXPECT_EQ(p.g.miPreviousT, 40);
  EXPECT_TRUE(p.g.GameOver());
  EXPECT_TRUE(p.g.VarValues() == values);
}

TEST(RunControl, OneQuarterForward) {
  Player p;
  p.g.GoForward();
  EXPECT_EQ(p.g.Period(), 1);
  EXPECT_EQ(p.g.miPreviousT, 0);
  EXPECT_THAT(p.rec.log, ElementsAre("DataChange", "graphs", "PeriodComplete 1"));
  for (int v = 1; v < kVarSlots; ++v) {
    EXPECT_EQ(p.g.VarValues().Get(v, 1), p.g.DisplayValues().Get(v, 1)) << v;
  }
  EXPECT_EQ(p.g.GetVarValue(305, -1, 0), p.g.GetVarValue(250, 0, 0));  // rpt_revenues
}

TEST(RunControl, TimeStepFourEqualsFourStepsOfOne) {
  Player four, ones;
  four.rec.decisions = ones.rec.decisions = {"2", "0.11", "0.15", "30", "0.8"};
  four.Run(4);
  for (int q = 0; q < 4; ++q) ones.Run(1);
  EXPECT_TRUE(SameTables(four.g, ones.g));
}

TEST(RunControl, BackThenForwardReproducesTheStraightRun) {
  const std::array<std::string, 5> plan[] = {{"1", "0.1", "0.12", "20", "0.7"},
                                             {"0", "0.08", "0.2", "0", "0.9"},
                                             {"2", "0.12", "0.05", "-10", "0.5"}};
  auto play = [&](Player& p, int from, int to) {
    for (int q = from; q < to; ++q) {
      p.rec.decisions = plan[q % 3];
      p.Run(1);
    }
  };
  Player straight, detour;
  play(straight, 0, 12);
  play(detour, 0, 9);
  detour.g.RunPeriod(3);
  detour.g.GoBack();
  ASSERT_EQ(detour.g.Period(), 6);
  // The decisions of row 6 are those of row 5.
  EXPECT_EQ(detour.g.GetVarValue(204, -1, 0), detour.g.GetVarValue(204, 5, 0));
  play(detour, 6, 12);
  EXPECT_TRUE(SameTables(straight.g, detour.g));

  Player toStart;
  play(toStart, 0, 3);
  toStart.g.RunPeriod(3);
  toStart.rec.log.clear();
  toStart.g.GoBack();
  EXPECT_EQ(toStart.g.Period(), 0);
  EXPECT_THAT(toStart.rec.log, ElementsAre("DisableGoBack", "graphs", "DataChange", "Back 0"));
  game fresh;
  EXPECT_TRUE(SameTables(toStart.g, fresh));
  EXPECT_EQ(toStart.g.RunPeriod(), 3);
}

TEST(RunControl, GoBackRefusedBeforeTheStart) {
  Player p;
  p.g.GoBack();
  p.Run(3);
  p.g.RunPeriod(4);
  p.g.GoBack();
  EXPECT_EQ(p.g.Period(), 3);
  EXPECT_THAT(p.rec.log, ::testing::Contains("BackBeforeStart 0 1"));
  EXPECT_THAT(p.rec.log, ::testing::Contains("BackBeforeStart 3 4"));
}

// A run length below 1 moves nothing in either direction, in play, at the end and after a
// liquidation; going back is refused as before the start.
TEST(RunControl, RunLengthBelowOneChangesNothing) {
  struct Case {
    const char* name;
    std::array<std::string, 5> decisions;
    int16_t quarters;
  } cases[] = {{"in play", {"0", "0.09", "0.1", "9", "0.6"}, 5},
               {"at the end", {"0", "0.09", "0.1", "9", "0.6"}, 40},
               {"liquidated", {"0", "0.01", "0.1", "9", "0.6"}, 10}};
  for (const Case& c : cases) {
    for (int16_t runLength : {0, -3}) {
      SCOPED_TRACE(std::string(c.name) + " " + std::to_string(runLength));
      Player p;
      p.rec.decisions = c.decisions;
      p.Run(c.quarters);
      const ValueTable values = p.g.VarValues();
      const ValueTable display = p.g.DisplayValues();
      const int16_t period = p.g.Period();
      const int16_t previous = p.g.miPreviousT;
      const bool over = p.g.GameOver();
      p.rec.log.clear();
      p.g.RunPeriod(runLength);
      p.g.GoBack();
      p.g.GoForward();
      EXPECT_EQ(p.g.Period(), period);
      EXPECT_EQ(p.g.miPreviousT, previous);
      EXPECT_EQ(p.g.GameOver(), over);
      EXPECT_TRUE(p.g.VarValues() == values);
      EXPECT_TRUE(p.g.DisplayValues() == display);
      std::vector<std::string> expected = {"BackBeforeStart " + std::to_string(period) + " " +
                                           std::to_string(runLength)};
      if (over) expected.push_back("GameOver " + std::to_string(period));
      EXPECT_EQ(p.rec.log, expected);
    }
  }
}

TEST(RunControl, GoBackFromTheEndClearsGameOver) {
  Player p;
  p.Run(40);
  p.g.RunPeriod(1);
  p.g.GoBack();
  EXPECT_EQ(p.g.Period(), 39);
  EXPECT_FALSE(p.g.GameOver());
  p.g.GoForward();
  EXPECT_EQ(p.g.Period(), 40);
  EXPECT_TRUE(p.g.GameOver());
}

TEST(RunControl, LiquidationEndsTheRun) {
  Player p;
  p.rec.decisions = {"0", "0.01", "0.1", "9", "0.6"};
  p.Run(10);
  EXPECT_TRUE(p.g.GameOver());
  ASSERT_EQ(p.rec.messages.size(), 1u);
  EXPECT_THAT(p.rec.messages[0],
              ::testing::StartsWith("You have gone into liquidation. Equity has fallen below zero."
                                    "\r\n\r\nYour planes have been sold for $"));
  EXPECT_THAT(p.rec.messages[0],
              ::testing::EndsWith(" m.\r\nMost reported figures are for last known values whilst "
                                  "still in business."));
  const int16_t at = p.g.Period();
  EXPECT_EQ(at, 2);
  EXPECT_EQ(p.g.VarValues().Get(var::liquidation_switch, at - 1), 1.0);
  EXPECT_THAT(p.rec.log, ElementsAre("DataChange", "graphs", "message", "graphs",
                                     "PeriodComplete 2", "DeactivateRun"));
  // The liquidated row is not on display.
  EXPECT_EQ(p.g.DisplayValues().Get(var::revenues, at), 0);
  p.rec.log.clear();
  p.g.GoForward();
  EXPECT_THAT(p.rec.log, ElementsAre("GameOver 2"));

  // Going back from a liquidation leaves no stale switch behind.
  p.g.RunPeriod(2);
  p.g.GoBack();
  p.rec.decisions = {"0", "0.09", "0.1", "9", "0.6"};
  p.rec.messages.clear();
  p.Run(5);
  EXPECT_TRUE(p.rec.messages.empty());
  EXPECT_EQ(p.g.Period(), 5);
}

TEST(RunControl, FailedQuarterLeavesTheLastCompletedOne) {
  Player p;
  p.Run(3);
  const ValueTable values = p.g.VarValues();
  const ValueTable display = p.g.DisplayValues();
  // A zero averaging time makes 0 / 0 of an unchanged fleet in the next step pass.
  GameTestAccess::VarValues(p.g).Set(var::capavetime, 3, 0.0);
  ValueTable expected = values;
  expected.Set(var::capavetime, 3, 0.0);
  p.rec.log.clear();
  p.g.RunPeriod(2);
  p.g.GoForward();
  EXPECT_THAT(p.rec.log, ElementsAre("Error 6 5"));
  EXPECT_EQ(p.g.Period(), 3);
  EXPECT_FALSE(p.g.GameOver());
  EXPECT_TRUE(p.g.VarValues() == expected);
  EXPECT_TRUE(p.g.DisplayValues() == display);
}

TEST(RunControl, FailedGoBackKeepsTheGameItWasIn) {
  Player p;
  p.Run(3);
  // A zero fare among the kept decisions breaks the replay that going back makes.
  p.g.SetVarValue(204, 1, 0, 0.0);
  const ValueTable values = p.g.VarValues();
  const ValueTable display = p.g.DisplayValues();
  p.g.RunPeriod(1);
  EXPECT_THROW(p.g.GoBack(), ModelError);
  EXPECT_EQ(p.g.Period(), 3);
  EXPECT_TRUE(p.g.VarValues() == values);
  EXPECT_TRUE(p.g.DisplayValues() == display);
}

TEST(RunControl, UnreadableDecisionStopsAfterTheFirstOnes) {
  Player p;
  p.rec.decisions = {"4", "0.2", "x", "9", "0.6"};
  try {
    p.g.ApplyDecisions();
    FAIL() << "no error";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), 13);
  }
  EXPECT_EQ(p.g.GetVarValue(68, -1, 0), 4);
  EXPECT_EQ(p.g.GetVarValue(204, -1, 0), 0.2);
  EXPECT_EQ(p.g.GetVarValue(70, -1, 0), 0.1);
}

TEST(RunControl, RestartAnnouncesUnlessLoading) {
  Player p;
  p.g.Restart();
  p.g.IsLoading(true);
  p.g.Restart();
  EXPECT_THAT(p.rec.log, ElementsAre("Restarted"));
}

}  // namespace
}  // namespace talvair
