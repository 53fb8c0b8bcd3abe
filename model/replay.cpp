// Playing a game again from its decisions: going back and opening a saved game.
#include "model/game.h"
#include "model/var_index.h"

namespace talvair {

void game::ReplayDecisions(std::span<const QuarterDecisions> quarters,
                           const std::function<void(int)>& afterQuarter,
                           const std::function<void(int)>& beforeQuarter) {
  // A replay that fails must not cost the player the game they had.
  const ValueTable valuesBefore = *varValues_;
  const ValueTable displayBefore = *displayValues_;
  const int16_t periodBefore = period_;
  const bool gameOverBefore = gameOver_;
  try {
    RestartCore();
    for (std::size_t t = 0; t < quarters.size() && !gameOver_; ++t) {
      if (beforeQuarter) beforeQuarter(static_cast<int>(t));
      for (std::size_t d = 0; d < quarters[t].size(); ++d) {
        for (std::size_t e = 0; e < quarters[t][d].size(); ++e) {
          SetVarValue(kDecisionVarNumbers[d], -1, static_cast<int16_t>(e), quarters[t][d][e]);
        }
      }
      StepQuarter();
      // As GoForward: a liquidated row is kept off the display, except the first quarter's.
      const bool liquidated = varValues_->Get(var::liquidation_switch, period_ - 1) == 1.0;
      if (!liquidated || period_ == 1) CopyRowToDisplay(period_, 1);
      if (liquidated || period_ >= kLastPeriod) gameOver_ = true;
      if (afterQuarter) afterQuarter(static_cast<int>(t));
    }
  } catch (...) {
    *varValues_ = valuesBefore;
    *displayValues_ = displayBefore;
    period_ = periodBefore;
    gameOver_ = gameOverBefore;
    throw;
  }
}

}  // namespace talvair
