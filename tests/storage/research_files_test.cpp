// The research and maintenance files: old format, variable dump, research data, survey links.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "model/game.h"
#include "model/game_events.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "storage/csv_text.h"
#include "storage/maintenance_files.h"
#include "storage/research_data.h"
#include "storage/saved_game_file.h"
#include "storage/survey_links.h"
#include "storage/windows_1252.h"
#include "survey_links_check.h"

namespace talvair::storage {
namespace {

namespace fs = std::filesystem;

using Log = std::vector<std::string>;

std::string Contents(const std::string& path) {
  std::stringstream bytes;
  bytes << std::ifstream(path, std::ios::binary).rdbuf();
  return bytes.str();
}

enum Writer { kOldFormat, kDump, kResearch };

class ResearchFilesTest : public ::testing::Test, public GameEvents {
 protected:
  void SetUp() override {
    fs::create_directories(dir_);
    model_.Subscribe(this);
  }
  void TearDown() override {
    model_.Unsubscribe(this);
    fs::remove_all(dir_);
    numtext::SetCurrentNumberLocale({});
    CurrentLanguage = "English";
  }
  void Saving(int16_t value, int16_t maxValue) override {
    log_.push_back("Saving " + std::to_string(value) + "/" + std::to_string(maxValue));
  }
  void GameSaved() override { log_.push_back("GameSaved"); }
  void Error(int32_t code, int32_t area) override {
    log_.push_back("Error " + std::to_string(code) + " " + std::to_string(area));
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::ptrdiff_t FileCount() const { return std::distance(fs::directory_iterator(dir_), {}); }
  int Write(Writer writer, const std::string& file, bool overwrite) {
    log_.clear();
    if (writer == kOldFormat) return SaveOLDGame(model_, file, overwrite, "not written");
    return writer == kDump ? ListVarValues(model_, file)
                           : SaveResearchData(model_, file, overwrite);
  }
  // Three quarters with the aircraft purchases and fares of each.
  void RunThreeQuarters() {
    const double decisions[3][2] = {{1, 0.1}, {2, 0.11}, {3, 0.12}};
    for (const auto& quarter : decisions) {
      model_.SetVarValue(68, -1, 0, quarter[0]);
      model_.SetVarValue(204, -1, 0, quarter[1]);
      model_.GoForward();
    }
  }

  fs::path dir_ =
      fs::temp_directory_path() / ("talvair_research_" + std::to_string(std::random_device()()));
  game model_;
  Log log_;
};

// The items of each line of a comma-separated text.
std::vector<std::vector<std::string>> Items(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  for (CsvReader file(text); !file.AtEnd();) {
    std::vector<std::string>& row = rows.emplace_back();
    for (CsvReader line(*file.Line()); !line.AtEnd();) row.emplace_back(*line.Item());
  }
  return rows;
}

TEST_F(ResearchFilesTest, EachFormatByteForByteAtPeriodsZeroAndThree) {
  struct Case {
    Writer writer;
    int period;
    std::string text;  // of research data, the header and the first two rows
  };
  const std::vector<Case> cases = {
      // Aircraft, marketing, hiring, fare, service scope.
      {kOldFormat, 0, "\"ZKFSFileVersion921012\"\r\n0\r\n0\r\n0.1\r\n9\r\n0.09\r\n0.6\r\n"},
      {kDump, 0,
       "Aircraft\t3\r\nAve_Comp_Fare\t0.16\r\nAve_Rel_Workweek\t1\r\n"
       "Ave_Revenues\t32310494.3066784\r\nAveAircraft\t3\r\nAvePassCarried\t359005492.296427\r\n"
       "AveRevenues\t32.3104943066784\r\nBook_Value_Fleet\t30000000\r\nCum_Net_Profit\t0\r\n"
       "Novices\t25\r\nZK_Debt\t22500000\r\nZK_Perc_Quality\t1\r\nZKcustomers\t395010000\r\n"
       "PercAdeqServ\t1\r\nPercdIndusFare\t0.16\r\nPercScopeOfService\t0.6\r\nPros\t120\r\n"
       "Qual_of_Novices\t25\r\nQual_of_Pros\t120\r\nQual_of_Rookies\t20\r\nRookies\t20\r\n"
       "Scope_of_Service\t0.6\r\nTotal_Shares\t4000000\r\nTraditional_Quality\t1\r\n"},
      {kResearch, 0,
       "\"Period\",0,\r\n\"Load Factor\",0.5698499877721065,\r\n"
       "\"Breakeven Load Factor\",0.5429638347560467,\r\n"},
      {kOldFormat, 3,
       "\"ZKFSFileVersion921012\"\r\n3\r\n1\r\n0.1\r\n9\r\n0.1\r\n0.6\r\n"
       "2\r\n0.1\r\n9\r\n0.11\r\n0.6\r\n3\r\n0.1\r\n9\r\n0.12\r\n0.6\r\n"
       "3\r\n0.1\r\n9\r\n0.12\r\n0.6\r\n"},
      // The customers (202), not their stock (203), as the dump always listed them.
      {kDump, 3,
       "Aircraft\t9\r\nAve_Comp_Fare\t0,159418561498416\r\nAve_Rel_Workweek\t1,16936279324943\r\n"
       "Ave_Revenues\t40474806,4352041\r\nAveAircraft\t6\r\nAvePassCarried\t446853925,034833\r\n"
       "AveRevenues\t53,62247100418\r\nBook_Value_Fleet\t87993049,621582\r\n"
       "Cum_Net_Profit\t2817274,03465822\r\nNovices\t31,350956215557\r\n"
       "ZK_Debt\t63881831,6901929\r\nZK_Perc_Quality\t0,946106020084477\r\n"
       "ZKcustomers\t510024976,190282\r\nPercAdeqServ\t0,946106020084477\r\n"
       "PercdIndusFare\t0,159655496643697\r\nPercScopeOfService\t0,6\r\nPros\t111,257937161774\r\n"
       "Qual_of_Novices\t32,2978794289126\r\nQual_of_Pros\t111,331437161774\r\n"
       "Qual_of_Rookies\t16,695184452723\r\nRookies\t15,32\r\nScope_of_Service\t0,6\r\n"
       "Total_Shares\t9336437,63882427\r\nTraditional_Quality\t0,983656090032355\r\n"},
      {kResearch, 3,
       "\"Period\",0,1,2,3,\r\n\"Coeficiente de ocupaci\xF3n\",0.5698499877721065,"
       "0.42738749082907984,0.32283536943186486,0.23643064816657847,\r\n"
       "\"Coeficiente de ocupaci\xF3n de equilibrio\",0.5429638347560467,"
       "0.37077446336862224,0.2795121181607174,0.234186383590858,\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.writer) + " at " + std::to_string(c.period));
    if (model_.TValue() < c.period) RunThreeQuarters();
    // Period 3 in Spanish with a decimal comma, which only the dump uses.
    CurrentLanguage = c.period ? "Spanish" : "English";
    numtext::SetCurrentNumberLocale({c.period ? "," : ".", c.period ? "." : ","});
    const std::string file = Path(std::to_string(c.writer) + std::to_string(c.period));
    ASSERT_EQ(Write(c.writer, file, false), kStatusDone);
    const std::string text = Contents(file);
    EXPECT_EQ(c.writer == kResearch ? text.substr(0, c.text.size()) : text, c.text);
    if (c.writer != kResearch) continue;
    // Read back: the label and every period's value of each variable.
    const auto rows = Items(text);
    ASSERT_EQ(rows.size(), 340u);
    for (int var = 1; var <= 339; ++var) {
      const std::vector<std::string>& row = rows[static_cast<std::size_t>(var)];
      ASSERT_EQ(row.size(), static_cast<std::size_t>(c.period + 2)) << var;
      EXPECT_EQ(Windows1252ToUtf8(row[0]), model_.GetVarName(var, 0));
      for (int t = 0; t <= c.period; ++t) {
        ASSERT_EQ(ParseNumberItem(row[static_cast<std::size_t>(t + 1)]),
                  model_.GetVarValue(var, static_cast<int16_t>(t), 0))
            << var << " at " << t;
      }
    }
  }
}

TEST_F(ResearchFilesTest, AnExistingFileIsReplacedOnlyWhenAskedAndAFailureOnlyRaisesItsError) {
  const std::pair<Writer, Log> cases[] = {
      {kOldFormat, {"Saving 0/3", "Saving 1/3", "Saving 2/3", "Saving 3/3", "GameSaved"}},
      {kResearch, {"Saving 3/3", "GameSaved"}},
  };
  RunThreeQuarters();
  for (const auto& [writer, written] : cases) {
    SCOPED_TRACE(writer);
    const std::string file = Path("taken");
    std::ofstream(file, std::ios::trunc) << "old";
    EXPECT_EQ(Write(writer, file, false), kStatusFileExists);
    EXPECT_EQ(Contents(file), "old");
    EXPECT_EQ(log_, Log{"GameSaved"});
    EXPECT_EQ(Write(writer, file, true), kStatusDone);
    EXPECT_EQ(log_, written);
    EXPECT_NE(Contents(file), "old");
    EXPECT_EQ(Write(writer, Path("missing/file"), true), kStatusFailed);
    EXPECT_EQ(log_, Log{"Error 76 22"});
    EXPECT_EQ(FileCount(), 1) << "no temporary file is left behind";
  }
  // Nor is a file that appears while the new one is written replaced.
  const std::string kept = Contents(Path("taken"));
  std::error_code error;
  EXPECT_FALSE(WriteFileAtomically(Path("taken"), "new", error, false));
  EXPECT_EQ(error, std::errc::file_exists);
  EXPECT_EQ(Contents(Path("taken")), kept);
}

TEST_F(ResearchFilesTest, SurveyLinksLoadLineByLineIntoAClearedTable) {
  const auto row = [](int i) {
    // 2 is a greyed box, not a checked one.
    return SurveyLinkRow{std::to_string(i), std::to_string(i % 3), "Row " + std::to_string(i),
                         "http://x/" + std::to_string(i)};
  };
  const auto lines = [&](int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
      const SurveyLinkRow r = row(i);
      text += r.index + ',' + r.check + ",\"" + r.caption + "\",\"" + r.address + "\"\r\n";
    }
    return text;
  };
  struct Case {
    const char* name;
    std::optional<std::string> text;  // none: no file
    int rows;                         // rows read; the others are empty
  };
  SurveyLinkTable written;
  for (int i = 0; i < kSurveyLinkRows; ++i) written[static_cast<std::size_t>(i)] = row(i);
  const std::vector<Case> cases = {
      {"whole file", lines(0, 42), 42},
      {"as the program writes it, greyed boxes included", SurveyLinksText(written), 42},
      {"LF line ends and a blank line at the end", "0,0,\"Row 0\",\"http://x/0\"\n\n", 1},
      {"a short line ends the reading", lines(0, 3) + "3,1\r\n" + lines(4, 42), 3},
      {"empty file", "", 0},
      {"no file", std::nullopt, 0},
  };
  const std::string file = Path("TalvairSurveyLinks.txt");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove(file);
    if (c.text) std::ofstream(file, std::ios::binary) << *c.text;
    SurveyLinkTable table;
    table.fill({"9", "1", "stale", "http://stale"});
    EXPECT_EQ(LoadSurveyLinks(file, table), c.text ? 0 : 1);
    for (int r = 0; r < kSurveyLinkRows; ++r) {
      EXPECT_EQ(table[static_cast<std::size_t>(r)], r < c.rows ? row(r) : SurveyLinkRow{}) << r;
      EXPECT_EQ(table[static_cast<std::size_t>(r)].Checked(), r < c.rows && r % 3 == 1) << r;
    }
  }
}

// Texts of the file's set come back whole, quotes and all (the corpus's check); a line end
// or a character outside the set is refused.
TEST_F(ResearchFilesTest, SurveyLinksKeepEveryTextWholeOrRefuseIt) {
  for (const auto& [text, refused] :
       {std::pair<std::string, char32_t>{"a\nb", U'\n'}, {"a\rb", U'\r'}, {"/\xC5\x91", U'\u0151'}})
    EXPECT_EQ(SurveyLinkRefusedCharacter(text), refused) << text;
  int files = 0;
  for (const auto& entry : fs::directory_iterator(TALVAIR_SURVEY_LINKS_CORPUS)) {
    EXPECT_EQ(CheckSurveyLinksReader(Contents(entry.path().string())), "") << entry.path();
    ++files;
  }
  EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace talvair::storage
