// Opening saved games: round trips through files, and files refused with the game kept.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "model/game.h"
#include "model/game_events.h"
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

TEST(LoadGame, ASavedGameOpensExactlyAsItWasPlayed) {
  struct Case {
    const char* name;
    std::function<void(Player&)> play;
    int16_t period;
    bool over;
  };
  const std::vector<Case> cases = {
      {"at the start", [](Player&) {}, 0, false},
      {"time steps and go back",
       [](Player& p) {
         p.Run(4);
         p.Run(1, "0.1", "2");
         p.g.RunPeriod(2);
         p.g.GoBack();
         p.Run(10, "0.11");
       },
       13, false},
      {"to the end",
       [](Player& p) {
         p.Run(15);
         p.Run(40, "0.1");
       },
       40, true},
      {"liquidated",
       [](Player& p) {
         p.Run(3);
         p.Run(10, "0.01");
       },
       6, true},
      {"an old copy's 41 quarters", [](Player& p) { p.Run(40, "0.1"); }, 40, true},
  };
  for (const Case& c : cases) {
    Player played;
    c.play(played);
    ASSERT_EQ(played.g.Period(), c.period) << c.name;
    const std::string file = (kFolder / "game.dat").string();
    fs::create_directories(kFolder);
    ASSERT_EQ(SaveGame(played.g, file, true, "notes\n\"1\""), kStatusDone);
    if (std::string(c.name).starts_with("an old")) {
      // Older copies saved one quarter past the end.
      std::ifstream in(file, std::ios::binary);
      std::string text((std::istreambuf_iterator<char>(in)), {});
      text.replace(0, 5, "21,41");
      for (int value = 0; value < 55; ++value) text += "0,";
      File("game.dat", text);
    }

    Player opened;
    opened.Run(7, "0.12", "1");  // a game in progress, to be replaced
    opened.log.clear();
    EXPECT_EQ(LoadGame(opened.g, file, &opened), kStatusDone) << c.name;
    EXPECT_EQ(opened.g.Period(), c.period) << c.name;
    EXPECT_EQ(opened.g.GameOver(), c.over) << c.name;
    EXPECT_FALSE(opened.g.IsLoading());
    EXPECT_TRUE(opened.g.VarValues() == played.g.VarValues()) << c.name;
    EXPECT_TRUE(opened.g.DisplayValues() == played.g.DisplayValues()) << c.name;
    EXPECT_EQ(opened.g.ExtraString(), "notes\n\"1\"");
    EXPECT_EQ(opened.log, (std::vector<std::string>{"shown game.dat notes\n\"1\"", "GameLoaded 0",
                                                    "DataChange"}));
  }
}

TEST(LoadGame, AnUnsoundFileOrAFailedReplayKeepsTheGame) {
  const std::string head = "21,2\r\n\"%97\"\r\n";
  auto quarter = [](const char* fare) {
    std::string q;
    for (const char* d : {"0", fare, "0.1", "9", "0.6"})
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
  };
  for (const Case& c : cases) {
    Player p;
    p.Run(5);
    p.g.ExtraString("kept");
    const ValueTable values = p.g.VarValues();
    const ValueTable display = p.g.DisplayValues();
    p.log.clear();
    const std::string file =
        c.contents.empty() ? (kFolder / "none.dat").string() : File("bad.dat", c.contents);
    EXPECT_EQ(LoadGame(p.g, file, &p), c.status) << c.name;
    EXPECT_EQ(p.log, c.log) << c.name;
    EXPECT_EQ(p.g.Period(), 5) << c.name;
    EXPECT_FALSE(p.g.IsLoading());
    EXPECT_EQ(p.g.ExtraString(), "kept") << c.name;
    EXPECT_TRUE(p.g.VarValues() == values) << c.name;
    EXPECT_TRUE(p.g.DisplayValues() == display) << c.name;
  }
  fs::remove_all(kFolder);
}

}  // namespace
}  // namespace talvair::storage
