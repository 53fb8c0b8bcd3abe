// Speed of opening a saved game: reading and checking the file, then replaying forty
// quarters (target: 20 ms), and of the parts on their own.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "model/game.h"
#include "storage/comment_escape.h"
#include "storage/saved_game.h"
#include "storage/saved_game_file.h"

namespace talvair::storage {
namespace {

class FortyQuarterGame {
 public:
  FortyQuarterGame()
      : path_((std::filesystem::temp_directory_path() /
               ("talvair_bench_" + std::to_string(std::random_device()()) + ".dat"))
                  .string()) {
    game played;
    for (int t = 0; t < kLastPeriod; ++t) {
      played.SetVarValue(varnum::decidemarketingfraction, -1, 0, t % 2 ? 0.12 : 0.1);
      played.SetVarValue(varnum::talvairfare, -1, 0, 0.1);
      played.GoForward();
    }
    SaveGame(played, path_, true, "Forty quarters\nof notes");
    std::vector<QuarterDecisions> quarters(kLastPeriod + 1);
    text_ = SavedGameText(kLastPeriod, "Forty quarters\nof notes", quarters);
  }
  ~FortyQuarterGame() { std::filesystem::remove(path_); }
  const std::string& Path() const { return path_; }
  const std::string& Text() const { return text_; }

 private:
  std::string path_;
  std::string text_;
};

void BM_OpenFortyQuarterGame(benchmark::State& state) {
  const FortyQuarterGame file;
  game g;
  for (auto _ : state) benchmark::DoNotOptimize(LoadGame(g, file.Path()));
  if (g.Period() != kLastPeriod) state.SkipWithError("the game did not reach its end");
}
BENCHMARK(BM_OpenFortyQuarterGame)->Unit(benchmark::kMillisecond);

void BM_ParseFortyQuarterFile(benchmark::State& state) {
  const FortyQuarterGame file;
  for (auto _ : state) {
    SavedGame game;
    benchmark::DoNotOptimize(ParseSavedGame(file.Text(), game));
  }
}
BENCHMARK(BM_ParseFortyQuarterFile)->Unit(benchmark::kMicrosecond);

void BM_SaveFortyQuarterGame(benchmark::State& state) {
  const FortyQuarterGame file;
  game g;
  LoadGame(g, file.Path());
  for (auto _ : state) benchmark::DoNotOptimize(SaveGame(g, file.Path(), true, "notes"));
}
BENCHMARK(BM_SaveFortyQuarterGame)->Unit(benchmark::kMicrosecond);

// A 15 MB comment that the exact decoder refuses, holding every code: the lossy decoder's
// worst case.
void BM_DecodeCraftedComment(benchmark::State& state) {
  std::string codes = "x";
  for (int c = 0; c < 256; ++c) codes += "%" + std::to_string(c);
  std::string comment;
  while (comment.size() < 15'000'000) comment += codes;
  for (auto _ : state) benchmark::DoNotOptimize(DecodeString(comment));
}
BENCHMARK(BM_DecodeCraftedComment)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvair::storage

BENCHMARK_MAIN();
