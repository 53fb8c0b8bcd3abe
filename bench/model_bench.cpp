// Speed of the model: value access, the table function, the passes and whole games.
#include <benchmark/benchmark.h>

#include "game_test_access.h"
#include "model/game.h"
#include "model/table_functions.h"

namespace talvair {
namespace {

void BM_GetVarValue(benchmark::State& state) {
  game g;
  int32_t var = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(g.GetVarValue(var, -1, 0));
    var = var % 339 + 1;
  }
}
BENCHMARK(BM_GetVarValue);

void BM_SetVarValue(benchmark::State& state) {
  game g;
  double x = 0;
  for (auto _ : state) {
    g.SetVarValue(68, -1, 0, x);
    x += 1;
  }
}
BENCHMARK(BM_SetVarValue);

void BM_Graph(benchmark::State& state) {
  double x = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Graph(x, 0, 0.2, {1, 1, 1, 1, 1, 0.95, 0.575, 0.305, 0.14, 0.065, 0.015}));
    x = x > 2.2 ? 0 : x + 0.013;
  }
}
BENCHMARK(BM_Graph);

void BM_InitialisingPass(benchmark::State& state) {
  game g;
  for (auto _ : state) GameTestAccess::ComputeInitialPeriod(g);
}
BENCHMARK(BM_InitialisingPass);

void BM_StepPass(benchmark::State& state) {
  game g;
  GameTestAccess::Period(g) = 1;
  for (auto _ : state) GameTestAccess::ComputePeriod(g);
}
BENCHMARK(BM_StepPass);

void BM_Restart(benchmark::State& state) {
  game g;
  for (auto _ : state) g.Restart();
}
BENCHMARK(BM_Restart);

void BM_GoForwardOneQuarter(benchmark::State& state) {
  game g;
  for (auto _ : state) {
    if (g.Period() >= 39) {
      state.PauseTiming();
      g.Restart();
      state.ResumeTiming();
    }
    g.GoForward();
  }
}
BENCHMARK(BM_GoForwardOneQuarter);

void BM_WholeGame(benchmark::State& state) {
  game g;
  g.RunPeriod(40);
  for (auto _ : state) {
    g.Restart();
    g.GoForward();
  }
}
BENCHMARK(BM_WholeGame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace talvair
