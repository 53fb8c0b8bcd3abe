#include "model/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <tuple>

#include "model/catalogue_data.h"
#include "model/var_index.h"

namespace talvair::catalogue {
namespace {

TEST(CatalogueTest, NumbersAndIndicesMapOneToOne) {
  std::set<int> indices;
  for (int number = -2; number <= kVarCount + 2; ++number) {
    const int index = VarIndexFromNumber(number);
    if (number < 1 || number > kVarCount || number == 302) {
      EXPECT_EQ(index, -1) << number;
    } else {
      EXPECT_TRUE(indices.insert(index).second) << "index " << index << " used twice";
      EXPECT_EQ(VarNumberFromIndex(index), index <= 335 ? number : -1) << index;
    }
  }
  EXPECT_EQ(indices.size(), 338u);
  EXPECT_EQ(*indices.begin(), 1);
  EXPECT_EQ(*indices.rbegin(), 338);
  for (int index : {-1, 0, 339, 100000}) EXPECT_EQ(VarNumberFromIndex(index), -1);
  EXPECT_EQ(VarIndexFromNumber(6), var::adj_fleet_fr_profit);
  EXPECT_EQ(VarIndexFromNumber(1), var::rpt_miles_load_factor);
}

TEST(CatalogueTest, LookupByNameIgnoresOnlyLetterCase) {
  std::set<std::string_view> names;
  for (int number = 3; number <= 299; ++number) {
    names.insert(InternalName(VarIndexFromNumber(number)));
    EXPECT_EQ(VarNumberFromName(InternalName(VarIndexFromNumber(number))), number);
  }
  EXPECT_EQ(names.size(), 297u);
  EXPECT_EQ(InternalName(var::liquidation_switch), "liquidation_switch");
  const std::pair<std::string_view, int> cases[] = {
      {"AIRCRAFT", 9},   {"aircraft ", -1},       {" aircraft", -1}, {"Liquidation_Switch", 162},
      {"tEMPpLANES", 4}, {"rpt_load_factor", -1}, {"", -1},          {"rpt_revenues", -1}};
  for (const auto& [name, number] : cases) EXPECT_EQ(VarNumberFromName(name), number) << name;
}

TEST(CatalogueTest, StocksAndReportList) {
  const std::set<int> stockIndices = {
      var::aircraft,       var::ave_comp_fare,    var::ave_rel_workweek, var::ave_revenues,
      var::aveaircraft,    var::avepasscarried,   var::averevenues,      var::book_value_fleet,
      var::cum_net_profit, var::novices,          var::zk_debt,          var::zk_perc_quality,
      var::zkcustomersl,   var::percadeqserv,     var::percdindusfare,   var::percscopeofservice,
      var::pros,           var::qual_of_novices,  var::qual_of_pros,     var::qual_of_rookies,
      var::rookies,        var::scope_of_service, var::total_shares,     var::traditional_quality};
  std::set<int> found;
  for (int number = -1; number <= kVarCount + 1; ++number) {
    if (StockVar(number)) found.insert(VarIndexFromNumber(number));
  }
  EXPECT_EQ(found, stockIndices);
  for (int number : ReportVarList()) EXPECT_NE(VarIndexFromNumber(number), -1) << number;
}

TEST(CatalogueTest, LabelTablesAgreeWithTheCatalogue) {
  std::map<int, const data::Text*> labels;
  for (const auto& row : data::kLabels) {
    EXPECT_TRUE(labels.emplace(row.varNumber, &row.text).second) << row.varNumber;
    EXPECT_EQ(VarIndexFromNumber(row.varNumber), row.varIndex) << row.varNumber;
  }
  // Each index has a shared name or an exception row; a translated display name in an
  // exception row repeats the label row of the same variable.
  for (int index = 1; index <= 294; ++index) {
    const auto row = std::find_if(data::kNameExceptions.begin(), data::kNameExceptions.end(),
                                  [index](const auto& r) { return r.varIndex == index; });
    if (row == data::kNameExceptions.end()) {
      EXPECT_FALSE(data::kSharedNames[index].empty()) << index;
      EXPECT_EQ(VarName(index + 5, "Spanish"), InternalVarName(index, "Spanish"));
    } else {
      EXPECT_TRUE(data::kSharedNames[index].empty()) << index;
      if (!row->varName.translated) continue;
      ASSERT_TRUE(labels.count(index + 5)) << index;
      const data::Text& label = *labels[index + 5];
      EXPECT_EQ(std::tie(label.english, label.spanish, label.portuguese),
                std::tie(row->varName.english, row->varName.spanish, row->varName.portuguese));
    }
  }
}

TEST(CatalogueTest, LabelsAndLegends) {
  struct Case {
    bool legend;  // InternalVarName by VarIndex rather than VarName by VarNumber
    int var;
    const char* language;
    const char* expected;
  };
  const Case cases[] = {
      {false, 305, "Spanish", "Ingresos"},
      {false, 6, "Spanish", "Adj_Fleet_Fr_Profit"},
      {false, 204, "Port", "Tarifa Talvair"},
      {false, 204, "Klingon", "Talvair Fare"},
      {false, 302, "English", ""},
      {false, 3, "English", ""},
      {false, 340, "English", ""},
      {false, 298, "English", "yr"},
      {false, 299, "Spanish", "Zero"},
      {false, 309, "Spanish", "Asientos-milla disponibles"},
      {false, 334, "Spanish", "Valor de mercado "},
      {false, 234, "English", "Service Quality "},
      {false, 308, "English", "Breakeven Passsengers"},
      {true, 14, "Spanish", "Disponibles"},
      {true, 117, "Spanish", "Int"},
      {true, 117, "Port", "Juros"},
      {true, 0, "English", ""},
      {true, 339, "English", ""},
      {true, 338, "Spanish", "Ingresos"},
      {true, 281, "Spanish", "Total_CSMs1"},
  };
  for (const auto& c : cases) {
    const std::string text =
        c.legend ? InternalVarName(c.var, c.language) : VarName(c.var, c.language);
    EXPECT_EQ(text, c.expected) << (c.legend ? "legend " : "label ") << c.var << " " << c.language;
  }
}

}  // namespace
}  // namespace talvair::catalogue
