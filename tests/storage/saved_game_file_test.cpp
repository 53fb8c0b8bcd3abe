// The saved-game file: comment escape, text form, checked reading, saving.
#include "storage/saved_game_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "model/game.h"
#include "saved_game_check.h"
#include "storage/comment_escape.h"
#include "storage/csv_text.h"
#include "storage/saved_game.h"
#include "storage/windows_1252.h"

namespace talvair::storage {
namespace {

namespace fs = std::filesystem;

TEST(CommentEscape, EscapesEveryByteAndComesBackExactly) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"", ""},
      {"abc", "%97%98%99"},
      {"0", "%%%532%56"},
      {"\r\n\",", "%13%10%34%44"},
      {"\xE2\x82\xAC", "%128"},             // the euro sign is byte 128 of the set
      {"\xE2\x86\x92|\xC3", "%63%124%63"},  // what the set cannot hold, or no UTF-8, is "?"
      {"\xC2\x80\xE0\xA0\x80", "%63%63"},   // the least characters of two and three bytes
  };
  for (const auto& [text, escaped] : cases) EXPECT_EQ(EncodeString(text), escaped) << text;

  // Texts where the replacements alone would not come back, then random ones.
  for (const std::string text : {"%1", "%%0", "100%", "%", "A1", "%53x%4", "line 1\r\n\"2\""}) {
    EXPECT_EQ(DecodeString(EncodeString(text)), text);
    EXPECT_EQ(DecodeComment(EncodeString(text)), text);
  }
  std::mt19937 random(7);
  for (int round = 0; round < 300; ++round) {
    std::string bytes(random() % 12, '\0');
    for (char& b : bytes)
      b = static_cast<char>(round % 2 ? random() % 256 : "%0123456789a"[random() % 12]);
    const std::string text = Windows1252ToUtf8(bytes);
    ASSERT_EQ(DecodeString(EncodeString(text)), text);
  }
  // Texts the encoder never writes decode as they always did: codes 255 down to 0 replaced in
  // turn, so that one replacement may make the next, then "%%".
  const std::vector<std::pair<std::string, std::string>> legacy = {
      {"%48", "0"},      {"%%1", "%\001"},       {"\"%97%37\"", "\"a\0037\""}, {"%2567", "\03167"},
      {"%256", "\0316"}, {"%%%%%5329", "%\001"}, {"x%1000%", "xd0%"}};
  for (const auto& [text, decoded] : legacy) {
    EXPECT_EQ(DecodeString(text), decoded) << text;
  }
}

std::string Quarters(int count, const std::string& first = "0") {
  std::string text;
  for (int q = 0; q < count; ++q) {
    for (int d = 0; d < 5; ++d) text += (d == 0 ? first : "0.5") + ",0,0,0,0,0,0,0,0,0,0,";
  }
  return text;
}

TEST(SavedGameFile, ReadsOnlyWholeWellFormedFiles) {
  struct Case {
    std::string name, text;
    int status, errorCode, quarters;
  };
  const std::string head = "21,2\r\n\"%97\"\r\n";
  std::vector<Case> cases = {
      {"complete", head + Quarters(3), 0, 0, 3},
      {"last quarter missing", head + Quarters(2), 0, 0, 2},
      {"blank line at the end", head + Quarters(2) + "\r\n \r\n", 0, 0, 2},
      {"LF line ends", "21,0\n\"\"\n", 0, 0, 0},
      {"old copy's 41 quarters", "21,41\r\n\"\"\r\n" + Quarters(41), 0, 0, 41},
      {"one quarter short", head + Quarters(1), kStatusTooShort, 0, 0},
      {"no quarters", head, kStatusTooShort, 0, 0},
      {"other version", "22,2\r\n\"\"\r\n" + Quarters(1), kStatusWrongVersion, 0, 0},
      {"old format", "\"ZKFSFileVersion921012\"\r\n", kStatusWrongVersion, 0, 0},
      {"empty", "", kStatusFailed, kErrPastEnd, 0},
      {"no count", "21", kStatusFailed, kErrPastEnd, 0},
      {"no comments", "21,2\r\n", kStatusFailed, kErrPastEnd, 0},
      {"count not a number", "21,two\r\n\"\"\r\n", kStatusFailed, kErrFileTypeMismatch, 0},
      {"count above 41", "21,42\r\n\"\"\r\n", kStatusFailed, kErrFileOverflow, 0},
      {"count negative", "21,-1\r\n\"\"\r\n", kStatusFailed, kErrFileOverflow, 0},
      {"count with a fraction", "21,1.5\r\n\"\"\r\n", kStatusFailed, kErrFileOverflow, 0},
      {"ends inside a quarter", head + Quarters(1) + "1,2,", kStatusFailed, kErrPastEnd, 0},
      {"a plus sign", head + Quarters(3, "+1"), 0, 0, 3},
      {"a played quarter out of range", head + Quarters(1) + Quarters(1, "1001") + Quarters(1),
       kStatusFailed, kErrFileOverflow, 0},
      {"the unplayed quarter out of range", head + Quarters(2) + Quarters(1, "1001"), 0, 0, 3},
  };
  for (const std::string value : {"x", "", "nan", "inf", "1e999", "0x10"}) {
    cases.push_back({"value " + value, head + Quarters(1, value) + Quarters(1), kStatusFailed,
                     kErrFileTypeMismatch, 0});
  }
  for (const Case& c : cases) {
    SavedGame game;
    game.periods = 99;
    const ReadResult result = ParseSavedGame(c.text, game);
    EXPECT_EQ(result.status, c.status) << c.name;
    EXPECT_EQ(result.errorCode, c.errorCode) << c.name;
    EXPECT_EQ(game.quarters.size(), static_cast<std::size_t>(c.quarters)) << c.name;
    if (c.status != kStatusDone) {
      EXPECT_EQ(game.periods, 99) << c.name << ": nothing changed";
    }
  }
}

TEST(SavedGameFile, DecisionsAreHeldToTheWindowsRangesAsItsCheckRoundsThem) {
  struct Case {
    int decision;
    double value;
    bool inRange;
    std::optional<double> workforce = std::nullopt;
  };
  // Halves go to even, after single precision for the whole numbers (10000.5001 is 10000.5);
  // a fare of 1.005 is in, as it rounds to 1.00, though the window itself wants at most 1.
  const std::vector<Case> cases = {
      {0, 1000.5, true},     {0, -3.5, false},  {1, 0.005, false},       {1, 1.005, true},
      {1, 1.006, false},     {2, -0.004, true}, {2, 1.006, false},       {3, 1e300, false},
      {3, 10000.5001, true}, {3, -1e6, true},   {3, -1000, true, 999.6}, {3, -1000, false, 999.4},
      {4, 0.094, false},     {4, 2.006, false}, {0, -3, true},           {0, 1000, true},
      {1, 0.01, true},       {1, 1.00, true},   {4, 0.10, true},         {4, 2.00, true}};
  for (const Case& c : cases) {
    QuarterDecisions quarter{};
    quarter[1][0] = 0.1;
    quarter[4][0] = 1.0;
    quarter[static_cast<std::size_t>(c.decision)][0] = c.value;
    EXPECT_EQ(DecisionsInRange(quarter, c.workforce), c.inRange) << c.decision << " " << c.value;
  }
}

TEST(SavedGameFile, WritesTheExactBytesAndEveryValueReadsBackBitForBit) {
  QuarterDecisions quarter{};
  quarter[0][0] = 2;
  quarter[1][0] = 0.09;
  quarter[2][0] = 0.1 + 0.2;
  quarter[3][0] = -0.0;
  quarter[4][0] = 1.0;
  quarter[4][1] = 1e20;
  quarter[4][10] = 5e-324;
  const std::string text =
      SavedGameText(1, "a\nb", std::vector<QuarterDecisions>{quarter, quarter});
  const std::string values =
      "2,0,0,0,0,0,0,0,0,0,0,0.09,0,0,0,0,0,0,0,0,0,0,0.30000000000000004,0,0,0,0,0,0,0,0,0,0,"
      "-0,0,0,0,0,0,0,0,0,0,0,1,1e+20,0,0,0,0,0,0,0,0,5e-324,";
  EXPECT_EQ(text, "21,1\r\n\"%97%13%10%98\"\r\n" + values + values);

  SavedGame read;
  ASSERT_EQ(ParseSavedGame(text, read).status, kStatusDone);
  EXPECT_EQ(read.comments, "a\nb");
  EXPECT_EQ(std::bit_cast<std::uint64_t>(read.quarters[1][3][0]),
            std::bit_cast<std::uint64_t>(-0.0));
  std::mt19937_64 random(11);
  for (int i = 0; i < 2000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (std::isfinite(value)) {
      ASSERT_EQ(ParseNumberItem(NumberText(value)), value) << value;
    }
  }
  // The preview: line two decoded between its quotes, whatever line one holds.
  EXPECT_EQ(PreviewComments("21,3\r\n\"" + EncodeString("%1\r\nx") + "\"\r\n1,2,"), "\"%1\nx\"");
  EXPECT_EQ(PreviewComments("hello,x\r\n%97%98\r\n"), "ab");
  EXPECT_EQ(PreviewComments("one line only"), "");
}

std::string Contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(SavedGameFile, FuzzCorpusKeepsEveryProperty) {
  int files = 0;
  for (const auto& entry : fs::directory_iterator(TALVAIR_SAVED_GAME_CORPUS)) {
    EXPECT_EQ(CheckSavedGameReader(Contents(entry.path())), "") << entry.path();
    ++files;
  }
  EXPECT_GT(files, 0);
}

TEST(SaveGame, ReplacesAFileOnlyWhenAskedAndOnlyByAWholeOne) {
  const fs::path folder =
      fs::temp_directory_path() / ("talvair_save_" + std::to_string(std::random_device()()));
  fs::create_directories(folder / "busy" / "inside");
  game model;
  const std::string file = (folder / "game.dat").string();
  std::ofstream(file) << "old";
  EXPECT_EQ(SaveGame(model, file, false, "c"), kStatusFileExists);
  EXPECT_EQ(Contents(file), "old");
  EXPECT_EQ(SaveGame(model, (folder / "GAME.dat").string(), false, "c"), kStatusDone)
      << "names differing in case are different files";
  int error = -1;
  EXPECT_EQ(SaveGame(model, file, true, "c", &error), kStatusDone);
  EXPECT_EQ(error, 0);
  // What fails leaves the old file and nothing else, and says why: comments whose escape would
  // make a file too large to open again, a directory in the way, no folder.
  const std::vector<std::tuple<std::string, std::string, int>> failures = {
      {file, std::string(kMaxSavedGameBytes / 9 + 1, '0'), kErrFileTooLarge},
      {(folder / "busy").string(), "c", kErrFileAccess},
      {(folder / "no" / "g.dat").string(), "c", kErrPathNotFound},
      {(folder / std::string(256, 'g')).string(), "c", kErrBadFileName},
  };
  for (const auto& [path, comments, code] : failures) {
    EXPECT_EQ(SaveGame(model, path, true, comments, &error), kStatusFailed) << path;
    EXPECT_EQ(error, code) << path;
  }
  // Nor is a value written that would not read back.
  model.SetVarValue(kDecisionVarNumbers[1], -1, 3, std::nan(""));
  EXPECT_EQ(SaveGame(model, file, true, "c", &error), kStatusFailed);
  EXPECT_EQ(error, kErrFileOverflow);
  EXPECT_EQ(Contents(file).substr(0, 12), "21,0\r\n\"%99\"\r");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 3);
  fs::remove_all(folder);
}

}  // namespace
}  // namespace talvair::storage
