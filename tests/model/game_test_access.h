// Reaches the private computing steps of `game` for tests and benchmarks.
#pragma once

#include "model/game.h"

namespace talvair {

class GameTestAccess {
 public:
  static ValueTable& VarValues(game& g) { return *g.varValues_; }
  static ValueTable& DisplayValues(game& g) { return *g.displayValues_; }
  static int16_t& Period(game& g) { return g.period_; }
  static void SetBaseValues(game& g) { g.SetBaseValues(); }
  static void IntegrateStocks(game& g) { g.IntegrateStocks(); }
  static void RecomputeStocks(game& g) { g.RecomputeStocks(); }
  static void ComputeInitialPeriod(game& g) { g.ComputeInitialPeriod(); }
  static void ComputePeriod(game& g) { g.ComputePeriod(); }
  static void ComputeReportVars(game& g) { g.ComputeReportVars(); }
  // The next restart computes its tables instead of copying the first restart's.
  static void ForgetRestart(game& g) { g.restarted_.clear(); }
};

}  // namespace talvair
