// A pass works through its own row, checked once when it starts: that is sound only because
// every pass touches its own row before its first store. A pass started on a row outside the
// table must therefore fail with the index fault and leave the tables exactly as they were.
#include "model/pass.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "game_test_access.h"
#include "model/game.h"
#include "model/model_error.h"

namespace talvair {
namespace {

TEST(PassRow, APassOutsideTheTableStoresNothing) {
  struct Step {
    std::string name;
    std::function<void(game&)> run;
  };
  const Step steps[] = {
      {"step pass", [](game& g) { GameTestAccess::ComputePeriod(g); }},
      {"integration", [](game& g) { GameTestAccess::IntegrateStocks(g); }},
      {"report variables", [](game& g) { GameTestAccess::ComputeReportVars(g); }},
  };
  for (const Step& step : steps) {
    for (int16_t period : {-32768, -1, 42, 32767}) {
      SCOPED_TRACE(step.name + " at " + std::to_string(period));
      game g;
      g.GoForward();
      const ValueTable values = g.VarValues();
      GameTestAccess::Period(g) = period;
      try {
        step.run(g);
        ADD_FAILURE() << "no fault";
      } catch (const ModelError& e) {
        EXPECT_EQ(e.Code(), kErrSubscript);
      }
      EXPECT_TRUE(g.VarValues() == values);
    }
  }
}

}  // namespace
}  // namespace talvair
