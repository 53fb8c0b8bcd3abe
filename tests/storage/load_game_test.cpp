// Opening saved games: round trips through files, and files refused with the game kept.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "model/game.h"
#include "model/game_events.h"
#include "model/var_number.h"
#include "storage/csv_text.h"
#include "storage/saved_game.h"

namespace talvair::storage {
namespace {

namespace fs = std::filesystem;

class Player : public GameHost, public GameEvents, public LoadGameHost {
 public:
  Player() {
    g.SetHost(this);
    g.Subscribe(this);
  }
  ~Player() override { g.Unsubscribe(this); }
  void Run(int16_t quarters, const char* fare = "0.09", const char* aircraft = "0") {
    decisions = {aircraft, fare, "0.1", "9", "0.6"};
    g.RunPeriod(quarters);
    g.ApplyDecisions();
    g.GoForward();
  }

  std::string DecisionText(int box) override {
    return decisions.at(static_cast<std::size_t>(box - 1));
  }
  void ShowMessage(const std::string&) override {}
  void DeactivateRun() override {}
  void DisableGoBack() override {}
  void UpdateAllGraphs() override {}
  void GameLoaded(int16_t status) override {
    log.push_back("GameLoaded " + std::to_string(status));
  }
  void DataChange() override { log.push_back("DataChange"); }
  void Error(int32_t code, int32_t area) override {
    log.push_back("Error " + std::to_string(code) + " " + std::to_string(area));
  }
  void ShowLoadedGame(const std::string& title, const std::string& comments) override {
    log.push_back("shown " + title + " " + comments);
  }

  game g;
  std::array<std::string, 5> decisions;
  std::vector<std::string> log;
};

const fs::path kFolder =
    fs::temp_directory_path() / ("talvair_load_" + std::to_string(std::random_device()()));

std::string File(const std::string& name, const std::string& contents) {
  fs::create_directories(kFolder);
  std::ofstream(kFolder / name, std::ios::binary) << contents;
  return (kFolder / name).string();
}

// Opens `file` over a game in progress: the result is `played` (null: the game in progress,
// untouched) with its comments, and the events are `log`.
void ExpectOpens(const std::string& file, const game* played, int status,
                 const std::vector<std::string>& log, const std::string& name) {
  Player p;
  p.Run(5, "0.12", "1");
  p.g.ExtraString("kept");
  const game& expected = played ? *played : p.g;
  const ValueTable values = expected.VarValues(), display = expected.DisplayValues();
  const auto state = std::tuple(expected.Period(), expected.GameOver(),
                                std::string(played ? "notes\n\"1\"" : "kept"));
  p.log.clear();
  EXPECT_EQ(LoadGame(p.g, file, &p), status) << name;
  EXPECT_EQ(p.log, log) << name;
  EXPECT_EQ(std::tuple(p.g.Period(), p.g.GameOver(), p.g.ExtraString()), state) << name;
  EXPECT_FALSE(p.g.IsLoading());
  EXPECT_TRUE(p.g.VarValues() == values && p.g.DisplayValues() == display) << name;
}

TEST(LoadGame, ASavedGameOpensExactlyAsItWasPlayed) {
  struct Step {
    int16_t quarters;  // below zero: go back that many
    const char* fare;
    const char* aircraft = "0";
  };
  struct Case {
    const char* name;
    std::vector<Step> play;
    int16_t period;
    bool over;
  };
  const std::vector<Case> cases = {
      {"at the start", {}, 0, false},
      {"time steps and go back", {{4, "0.09"}, {1, "0.1", "2"}, {-2, ""}, {10, "0.11"}}, 13, false},
      {"to the end", {{15, "0.09"}, {40, "0.1"}}, 40, true},
      {"liquidated", {{3, "0.09"}, {10, "0.01"}}, 6, true},
      {"an old copy's 41 quarters", {{40, "0.1"}}, 40, true},
  };
  for (const Case& c : cases) {
    Player played;
    for (const Step& step : c.play) {
      if (step.quarters > 0) played.Run(step.quarters, step.fare, step.aircraft);
      if (step.quarters < 0) {
        played.g.RunPeriod(-step.quarters);
        played.g.GoBack();
      }
    }
    ASSERT_EQ(std::tuple(played.g.Period(), played.g.GameOver()), std::tuple(c.period, c.over));
    const std::string file = File("game.dat", "");
    ASSERT_EQ(SaveGame(played.g, file, true, "notes\n\"1\""), kStatusDone);
    if (std::string(c.name).starts_with("an old")) {
      // Older copies saved one quarter past the end.
      std::ifstream in(file, std::ios::binary);
      std::string text((std::istreambuf_iterator<char>(in)), {});
      text.replace(0, 5, "21,41");
      for (int value = 0; value < 55; ++value) text += "0,";
      File("game.dat", text);
    }
    ExpectOpens(file, &played.g, kStatusDone,
                {"shown game.dat notes\n\"1\"", "GameLoaded 0", "DataChange"}, c.name);
  }
}

// Games played as a player plays them, each run's decisions inside the window's ranges at its
// first quarter (often kept from the run before), lay-offs down to the whole workforce in a
// third of the runs, every time step, Go Back now and then: each opens again as it was played.
TEST(LoadGame, EveryGameAPlayerSavesOpensAsItWasPlayed) {
  constexpr std::array<int16_t, 7> kSteps = {1, 2, 4, 10, 15, 20, 40};
  std::mt19937 random(26);
  const auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const auto step = [&](int most) { return kSteps[static_cast<std::size_t>(pick(0, most))]; };
  const auto decimal = [](int value, double scale) { return NumberText(value / scale); };
  const std::string file = File("played.dat", "");
  int liquidated = 0, layOffsPastTheWorkforce = 0;
  for (int played = 0; played < 150; ++played) {
    Player p;
    for (int action = 0; action < 9; ++action) {
      const int16_t period = p.g.Period();
      if (period > 0 && (p.g.GameOver() || pick(0, 5) == 0)) {
        if (pick(0, 2) == 0) break;
        int16_t back = step(3);
        while (back > period) back = static_cast<int16_t>(back / 2);
        p.g.RunPeriod(back);
        p.g.GoBack();
        continue;
      }
      if (p.g.GameOver()) break;
      const int workforce =
          static_cast<int>(std::nearbyint(p.g.GetVarValue(varnum::total_csms, -1, 0)));
      // Mostly what a player tries, now and then anything the window takes; a lay-off kept
      // beyond the workforce the window puts back to the bound.
      const bool wild = pick(0, 7) == 0;
      const std::array<std::string, 5> fresh = {
          std::to_string(wild         ? pick(-3, 1000)
                         : pick(0, 2) ? 0
                                      : pick(-1, 2)),
          decimal(wild ? pick(10, 1000) : pick(70, 130), 1000),
          decimal(wild ? pick(0, 100) : pick(2, 15), 100),
          std::to_string(pick(0, 2) == 0 ? (pick(0, 3) ? pick(-workforce, 0) : -workforce)
                         : wild          ? pick(0, 10000)
                                         : pick(0, 40)),
          decimal(wild ? pick(10, 200) : pick(30, 100), 100)};
      for (std::size_t box = 0; box < fresh.size(); ++box) {
        if (action == 0 || pick(0, 1)) p.decisions[box] = fresh[box];
      }
      if (std::stoi(p.decisions[3]) < -workforce) p.decisions[3] = std::to_string(-workforce);
      p.g.RunPeriod(step(6));
      p.g.ApplyDecisions();
      p.g.GoForward();
    }
    for (int16_t t = 0; t < p.g.Period(); ++t) {
      layOffsPastTheWorkforce += p.g.GetVarValue(varnum::decidehiring, t, 0) <
                                 -std::nearbyint(p.g.GetVarValue(varnum::total_csms, t, 0));
    }
    liquidated += p.g.GameOver() && p.g.Period() < 40;
    ASSERT_EQ(SaveGame(p.g, file, true, ""), kStatusDone);
    game opened;
    ASSERT_EQ(LoadGame(opened, file), kStatusDone) << "game " << played;
    ASSERT_TRUE(opened.Period() == p.g.Period() && opened.GameOver() == p.g.GameOver() &&
                opened.VarValues() == p.g.VarValues() &&
                opened.DisplayValues() == p.g.DisplayValues())
        << "game " << played;
  }
  // The games reached what they are meant to try.
  EXPECT_GT(liquidated, 30);
  EXPECT_GT(layOffsPastTheWorkforce, 100);
}

TEST(LoadGame, AnUnsoundFileOrAFailedReplayKeepsTheGame) {
  const std::string head = "21,2\r\n\"%97\"\r\n";
  auto quarter = [](const char* fare, const char* hiring = "9") {
    std::string q;
    for (const char* d : {"0", fare, "0.1", hiring, "0.6"})
      q += std::string(d) + ",0,0,0,0,0,0,0,0,0,0,";
    return q;
  };
  struct Case {
    const char* name;
    std::string contents;  // empty: no file
    int status;
    std::vector<std::string> log;
  };
  const std::vector<Case> cases = {
      {"missing", "", kStatusFileMissing, {"GameLoaded 1", "DataChange"}},
      {"other version", "20,2\r\n\"\"\r\n", kStatusWrongVersion, {"GameLoaded 2", "DataChange"}},
      {"short", head + quarter("0.09"), kStatusTooShort, {"GameLoaded 3", "DataChange"}},
      {"not a number", head + quarter("0.09") + quarter("zero"), kStatusFailed, {"Error 13 21"}},
      {"too large",
       "21,0\r\n\"\"\r\n" + std::string(kMaxSavedGameBytes, ' '),
       kStatusFailed,
       {"Error 7 21"}},
      {"replay fails", head + quarter("0.09") + quarter("0"), kStatusFailed, {"Error 6 21"}},
      {"lay-offs beyond the workforce, found once a quarter is played",
       head + quarter("0.09") + quarter("0.09", "-1000") + quarter("0.09"),
       kStatusFailed,
       {"Error 6 21"}},
      {"lay-offs beyond the workforce in the first quarter",
       "21,1\r\n\"\"\r\n" + quarter("0.09", "-166"),
       kStatusFailed,
       {"Error 6 21"}},
      // Held at a run's first quarter only; a new fare starts a run.
      {"a run that changes only the fare",
       "21,3\r\n\"\"\r\n" + quarter("0.09", "-165") + quarter("0.09", "-165") +
           quarter("0.1", "-165"),
       kStatusFailed,
       {"Error 6 21"}},
  };
  for (const Case& c : cases) {
    ExpectOpens(c.contents.empty() ? (kFolder / "none.dat").string() : File("bad.dat", c.contents),
                nullptr, c.status, c.log, c.name);
  }
  fs::remove_all(kFolder);
}

}  // namespace
}  // namespace talvair::storage
