// Opening saved games: round trips through files, and files refused with the game kept.
#include <gmock/gmock.h>
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
  void Back(int16_t quarters) {
    g.RunPeriod(quarters);
    g.GoBack();
  }

  std::string DecisionText(int box) override { return decisions.at(static_cast<std::size_t>(box - 1)); }
  void ShowMessage(const std::string&) override {}
  void DeactivateRun() override {}
  void DisableGoBack() override {}
  void UpdateAllGraphs() override {}
  void GameLoaded(int16_t status) override { log.push_back("GameLoaded " + std::to_string(status)); }
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

struct TempFolder {
  TempFolder() : path(fs::temp_directory_path() / ("talvair_load_" + std::to_string(std::random_device()()))) {
    fs::create_directories(path);
  }
  ~TempFolder() { fs::remove_all(path); }
  std::string File(const std::string& name, const std::string& contents) const {
    std::ofstream(path / name, std::ios::binary) << contents;
    return (path / name).string();
  }
  fs::path path;
};

TEST(LoadGame, ASavedGameOpensExactlyAsItWasPlayed) {
  struct Case {
    const char* name;
    std::function<void(Player&)> play;
    int16_t period;
    bool over;
  };
  const std::vector<Case> cases = {
      {"at the start", [](Player&) {}, 0, false},
      {"time steps and go back", [](Player& p) { p.Run(4); p.Run(1, "0.1", "2"); p.Back(2); p.Run(10, "0.11"); }, 13, false},
      {"to the end", [](Player& p) { p.Run(15); p.Run(40, "0.1"); }, 40, true},
      {"liquidated", [](Player& p) { p.Run(3); p.Run(10, "0.01"); }, 6, true},
  };
  const TempFolder folder;
  for (const Case& c : cases) {
    Player played;
    c.play(played);
    ASSERT_EQ(played.g.Period(), c.period) << c.name;
    const std::string file = (folder.path / "game.dat").string();
    ASSERT_EQ(SaveGame(played.g, file, true, "notes\n\"1\""), kStatusDone);

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
    EXPECT_THAT(opened.log, ::testing::ElementsAre("shown game.dat notes\n\"1\"", "GameLoaded 0",
                                                   "DataChange"));
  }
}

TEST(LoadGame, AnUnsoundFileOrAFailedReplayKeepsTheGame) {
  const std::string head = "21,2\r\n\"%97\"\r\n";
  auto quarter = [](const char* fare) {
    return std::string("0,0,0,0,0,0,0,0,0,0,0,") + fare + ",0,0,0,0,0,0,0,0,0,0," +
           "0.1,0,0,0,0,0,0,0,0,0,0,9,0,0,0,0,0,0,0,0,0,0,0.6,0,0,0,0,0,0,0,0,0,0,";
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
      {"too large", "21,0\r\n\"\"\r\n" + std::string(kMaxSavedGameBytes, ' '), kStatusFailed, {"Error 7 21"}},
      {"replay fails", head + quarter("0.09") + quarter("0"), kStatusFailed, {"Error 6 21"}},
  };
  const TempFolder folder;
  for (const Case& c : cases) {
    Player p;
    p.Run(5);
    p.g.ExtraString("kept");
    const ValueTable values = p.g.VarValues();
    const ValueTable display = p.g.DisplayValues();
    p.log.clear();
    const std::string file = c.contents.empty() ? (folder.path / "none.dat").string()
                                                : folder.File("bad.dat", c.contents);
    EXPECT_EQ(LoadGame(p.g, file, &p), c.status) << c.name;
    EXPECT_EQ(p.log, c.log) << c.name;
    EXPECT_EQ(p.g.Period(), 5) << c.name;
    EXPECT_FALSE(p.g.IsLoading());
    EXPECT_EQ(p.g.ExtraString(), "kept") << c.name;
    EXPECT_TRUE(p.g.VarValues() == values) << c.name;
    EXPECT_TRUE(p.g.DisplayValues() == display) << c.name;
  }
}

TEST(LoadGame, AnOldCopysFortyFirstQuarterOpensAsTheEnd) {
  Player played;
  played.Run(40, "0.1");
  const TempFolder folder;
  const std::string file = (folder.path / "old.dat").string();
  ASSERT_EQ(SaveGame(played.g, file, true, ""), kStatusDone);
  // The old copy wrote the forty-first quarter's decisions too.
  std::string text;
  {
    std::ifstream in(file, std::ios::binary);
    text.assign(std::istreambuf_iterator<char>(in), {});
  }
  text.replace(0, 5, "21,41");
  for (int value = 0; value < 55; ++value) text += "0,";
  folder.File("old.dat", text);
  Player opened;
  EXPECT_EQ(LoadGame(opened.g, file, &opened), kStatusDone);
  EXPECT_EQ(opened.g.Period(), 40);
  EXPECT_TRUE(opened.g.GameOver());
  EXPECT_TRUE(opened.g.VarValues() == played.g.VarValues());
}

}  // namespace
}  // namespace talvair::storage
