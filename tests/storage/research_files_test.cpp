// The research and maintenance files: old format, variable dump, research data, survey links.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

namespace talvair::storage {
namespace {

namespace fs = std::filesystem;

class Folder {
 public:
  Folder()
      : path_(fs::temp_directory_path() /
              ("talvair_research_" + std::to_string(std::random_device()()))) {
    fs::create_directories(path_);
  }
  ~Folder() { fs::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }
  std::size_t Count() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(path_), fs::directory_iterator()));
  }

 private:
  fs::path path_;
};

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class Events : public GameEvents {
 public:
  std::vector<std::string> log;
  void Saving(int16_t value, int16_t maxValue) override {
    log.push_back("Saving " + std::to_string(value) + "/" + std::to_string(maxValue));
  }
  void GameSaved() override { log.push_back("GameSaved"); }
  void Error(int32_t code, int32_t area) override {
    log.push_back("Error " + std::to_string(code) + " " + std::to_string(area));
  }
};

// Three quarters run with the aircraft purchases and fares of each.
void RunThreeQuarters(game& model) {
  const double decisions[3][2] = {{1, 0.1}, {2, 0.11}, {3, 0.12}};
  for (const auto& quarter : decisions) {
    model.SetVarValue(68, -1, 0, quarter[0]);
    model.SetVarValue(204, -1, 0, quarter[1]);
    model.GoForward();
  }
}

TEST(OldFormat, WritesTheDecisionsInTheOldOrderOnePerLine) {
  Folder folder;
  const std::string file = folder / "Oravel1.ZK1";
  game model;
  Events events;
  model.Subscribe(&events);

  ASSERT_EQ(SaveOLDGame(model, file, true, "not written"), kStatusDone);
  // Aircraft, marketing, hiring, fare, service scope.
  const std::string periodZero =
      "\"ZKFSFileVersion921012\"\r\n0\r\n0\r\n0.1\r\n9\r\n0.09\r\n0.6\r\n";
  EXPECT_EQ(Contents(file), periodZero);
  EXPECT_EQ(events.log, (std::vector<std::string>{"Saving 0/0", "GameSaved"}));

  RunThreeQuarters(model);
  events.log.clear();
  EXPECT_EQ(SaveOLDGame(model, file, false, ""), kStatusFileExists);
  EXPECT_EQ(Contents(file), periodZero) << "refused: the old file stays";
  ASSERT_EQ(SaveOLDGame(model, file, true, ""), kStatusDone);
  EXPECT_EQ(Contents(file),
            "\"ZKFSFileVersion921012\"\r\n3\r\n"
            "1\r\n0.1\r\n9\r\n0.1\r\n0.6\r\n"
            "2\r\n0.1\r\n9\r\n0.11\r\n0.6\r\n"
            "3\r\n0.1\r\n9\r\n0.12\r\n0.6\r\n"
            "3\r\n0.1\r\n9\r\n0.12\r\n0.6\r\n");
  EXPECT_EQ(events.log, (std::vector<std::string>{"GameSaved", "Saving 0/3", "Saving 1/3",
                                                  "Saving 2/3", "Saving 3/3", "GameSaved"}));

  events.log.clear();
  EXPECT_EQ(SaveOLDGame(model, folder / "missing/Oravel1.ZK1", true, ""), kStatusFailed);
  EXPECT_EQ(events.log, std::vector<std::string>{"Error 76 22"});
  EXPECT_EQ(folder.Count(), 1u);
  model.Unsubscribe(&events);
}

TEST(VariableDump, ListsTheTwentyFourStocksWithTheLocalesDecimalSign) {
  Folder folder;
  const std::string file = folder / "ZvkVariables.txt";
  game model;
  numtext::SetCurrentNumberLocale({".", ","});
  ASSERT_EQ(ListVarValues(model, file), kStatusDone);
  EXPECT_EQ(Contents(file),
            "Aircraft\t3\r\nAve_Comp_Fare\t0.16\r\nAve_Rel_Workweek\t1\r\n"
            "Ave_Revenues\t32310494.3066784\r\nAveAircraft\t3\r\n"
            "AvePassCarried\t359005492.296427\r\nAveRevenues\t32.3104943066784\r\n"
            "Book_Value_Fleet\t30000000\r\nCum_Net_Profit\t0\r\nNovices\t25\r\n"
            "ZK_Debt\t22500000\r\nZK_Perc_Quality\t1\r\nZKcustomers\t395010000\r\n"
            "PercAdeqServ\t1\r\nPercdIndusFare\t0.16\r\nPercScopeOfService\t0.6\r\n"
            "Pros\t120\r\nQual_of_Novices\t25\r\nQual_of_Pros\t120\r\nQual_of_Rookies\t20\r\n"
            "Rookies\t20\r\nScope_of_Service\t0.6\r\nTotal_Shares\t4000000\r\n"
            "Traditional_Quality\t1\r\n");

  RunThreeQuarters(model);
  numtext::SetCurrentNumberLocale({",", "."});
  ASSERT_EQ(ListVarValues(model, file), kStatusDone);
  // The customers (202), not their stock (203), as the dump always listed them.
  EXPECT_EQ(
      Contents(file),
      "Aircraft\t9\r\nAve_Comp_Fare\t0,159418561498416\r\nAve_Rel_Workweek\t1,16936279324943\r\n"
      "Ave_Revenues\t40474806,4352041\r\nAveAircraft\t6\r\nAvePassCarried\t446853925,034833\r\n"
      "AveRevenues\t53,62247100418\r\nBook_Value_Fleet\t87993049,621582\r\n"
      "Cum_Net_Profit\t2817274,03465822\r\nNovices\t31,350956215557\r\n"
      "ZK_Debt\t63881831,6901929\r\nZK_Perc_Quality\t0,946106020084477\r\n"
      "ZKcustomers\t510024976,190282\r\nPercAdeqServ\t0,946106020084477\r\n"
      "PercdIndusFare\t0,159655496643697\r\nPercScopeOfService\t0,6\r\n"
      "Pros\t111,257937161774\r\nQual_of_Novices\t32,2978794289126\r\n"
      "Qual_of_Pros\t111,331437161774\r\nQual_of_Rookies\t16,695184452723\r\n"
      "Rookies\t15,32\r\nScope_of_Service\t0,6\r\nTotal_Shares\t9336437,63882427\r\n"
      "Traditional_Quality\t0,983656090032355\r\n");

  numtext::SetCurrentNumberLocale({});
}

// The items of each line of a comma-separated text.
std::vector<std::vector<std::string>> Items(const std::string& text) {
  std::vector<std::vector<std::string>> rows;
  CsvReader file(text);
  while (!file.AtEnd()) {
    CsvReader line(*file.Line());
    std::vector<std::string>& row = rows.emplace_back();
    while (!line.AtEnd()) row.emplace_back(*line.Item());
  }
  return rows;
}

TEST(ResearchData, EveryVariableByPeriodReadsBackAsTheModelsValues) {
  struct Case {
    const char* language;
    int quarters;
    std::string head;  // the header and the first two rows, byte for byte
  };
  const std::vector<Case> cases = {
      {"English", 0,
       "\"Period\",0,\r\n\"Load Factor\",0.5698499877721065,\r\n"
       "\"Breakeven Load Factor\",0.5429638347560467,\r\n"},
      {"Spanish", 3,
       "\"Period\",0,1,2,3,\r\n\"Coeficiente de ocupaci\xF3n\",0.5698499877721065,"
       "0.42738749082907984,0.32283536943186486,0.23643064816657847,\r\n"
       "\"Coeficiente de ocupaci\xF3n de equilibrio\",0.5429638347560467,"
       "0.37077446336862224,0.2795121181607174,0.234186383590858,\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.language);
    Folder folder;
    game model;
    if (c.quarters == 3) RunThreeQuarters(model);
    CurrentLanguage = c.language;
    const std::string file = folder / "base_1 Period=0.csv";
    Events events;
    model.Subscribe(&events);
    ASSERT_EQ(SaveResearchData(model, file, false), kStatusDone);
    const std::string text = Contents(file);
    EXPECT_EQ(text.substr(0, c.head.size()), c.head);

    const auto rows = Items(text);
    ASSERT_EQ(rows.size(), 340u);
    for (int var = 1; var <= 339; ++var) {
      const std::vector<std::string>& row = rows[static_cast<std::size_t>(var)];
      ASSERT_EQ(row.size(), static_cast<std::size_t>(c.quarters + 2)) << var;
      EXPECT_EQ(Windows1252ToUtf8(row[0]), model.GetVarName(var, 0));
      for (int t = 0; t <= c.quarters; ++t) {
        ASSERT_EQ(ParseNumberItem(row[static_cast<std::size_t>(t + 1)]),
                  model.GetVarValue(var, static_cast<int16_t>(t), 0))
            << var << " at " << t;
      }
    }
    const std::string saving =
        "Saving " + std::to_string(c.quarters) + "/" + std::to_string(c.quarters);
    EXPECT_EQ(events.log, (std::vector<std::string>{saving, "GameSaved"}));

    // A file of that name is never replaced unless asked.
    events.log.clear();
    EXPECT_EQ(SaveResearchData(model, file, false), kStatusFileExists);
    EXPECT_EQ(SaveResearchData(model, folder / "no such folder/x.csv", false), kStatusFailed);
    EXPECT_EQ(events.log, (std::vector<std::string>{"GameSaved", "Error 76 22"}));
    std::ofstream(file, std::ios::trunc) << "old";
    EXPECT_EQ(SaveResearchData(model, file, true), kStatusDone);
    EXPECT_EQ(Contents(file), text);
    EXPECT_EQ(folder.Count(), 1u);
    model.Unsubscribe(&events);
  }
  CurrentLanguage = "English";
}

TEST(ResearchData, AWriteThatKeepsExistingFilesNeverReplacesOne) {
  Folder folder;
  const std::string file = folder / "taken.csv";
  std::ofstream(file) << "first";
  std::error_code error;
  EXPECT_FALSE(WriteFileAtomically(file, "second", error, false));
  EXPECT_EQ(error, std::errc::file_exists);
  EXPECT_EQ(Contents(file), "first");
  EXPECT_TRUE(WriteFileAtomically(folder / "free.csv", "second", error, false));
  EXPECT_EQ(Contents(folder / "free.csv"), "second");
  EXPECT_EQ(folder.Count(), 2u) << "no temporary file is left behind";
}

TEST(SurveyLinks, LoadsLineByLineIntoAClearedTable) {
  auto lines = [](int from, int to) {
    std::string text;
    for (int i = from; i < to; ++i) {
      text += std::to_string(i) + "," + (i % 2 ? "1" : "0") + ",\"Row " + std::to_string(i) +
              "\",\"http://x/" + std::to_string(i) + "\"\r\n";
    }
    return text;
  };
  struct Case {
    const char* name;
    std::string text;
    int rows;  // rows read; the others are empty
  };
  const std::vector<Case> cases = {
      {"whole file", lines(0, 42), 42},
      {"thirty lines", lines(0, 30), 30},
      {"LF line ends and a blank line at the end", "0,0,\"Start\",\"http://x/0\"\n\n", 1},
      {"a short line ends the reading", lines(0, 3) + "3,1\r\n" + lines(4, 42), 3},
      {"empty file", "", 0},
  };
  Folder folder;
  const std::string file = folder / "TalvairSurveyLinks.txt";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SurveyLinkTable table;
    table.fill({"9", "1", "stale", "http://stale"});
    std::ofstream(file, std::ios::binary | std::ios::trunc) << c.text;
    ASSERT_EQ(LoadSurveyLinks(file, table), 0);
    for (int r = 0; r < kSurveyLinkRows; ++r) {
      const SurveyLinkRow& row = table[static_cast<std::size_t>(r)];
      if (r < c.rows) {
        EXPECT_EQ(row.address, "http://x/" + std::to_string(r));
        EXPECT_EQ(row.Checked(), r % 2 == 1);
      } else {
        EXPECT_EQ(row, SurveyLinkRow{}) << r;
      }
    }
  }
  SurveyLinkTable table;
  table[0].check = "1";
  EXPECT_EQ(LoadSurveyLinks(folder / "missing.txt", table), 1);
  EXPECT_EQ(table[0], SurveyLinkRow{});
}

}  // namespace
}  // namespace talvair::storage
