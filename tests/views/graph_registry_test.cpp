#include "views/graph_registry.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/catalogue.h"
#include "model/game.h"
#include "model/language.h"
#include "platform/chart_control.h"
#include "views/fixed_graphs.h"

namespace talvair::views {
namespace {

using platform::ChartControl;
namespace chart = platform::chart;

// The model reaches the registry as the main window's host does.
class GraphsHost : public GameHost {
 public:
  explicit GraphsHost(GraphRegistry& graphs) : graphs_(graphs) {}
  std::string DecisionText(int) override { return {}; }
  void ShowMessage(const std::string&) override {}
  void DeactivateRun() override {}
  void DisableGoBack() override {}
  void UpdateAllGraphs() override { graphs_.UpdateAllGraphs(); }

 private:
  GraphRegistry& graphs_;
};

class GraphRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { model_.SetHost(&host_); }
  void TearDown() override {
    model_.SetHost(nullptr);
    CurrentLanguage = "English";
  }
  void Run(int quarters) {
    model_.RunPeriod(static_cast<int16_t>(quarters));
    model_.GoForward();
  }

  game model_;
  GraphRegistry graphs_{&model_};
  GraphsHost host_{graphs_};
};

TEST_F(GraphRegistryTest, PointsUpToTheCurrentPeriodHoldTheModelsValuesAndTheRestAreEmpty) {
  const struct {
    const char* name;
    int runTo, backBy;
    bool restart;  // Restart's callers refresh the graphs
    int period;
  } cases[] = {{"opened at the start", 0, 0, false, 0},
               {"run to 8", 8, 0, false, 8},
               {"back from 8 to 4", 8, 4, false, 4},
               {"restart", 8, 0, true, 0}};
  for (const auto& c : cases) {
    model_.Restart();
    ChartControl costs, custom;
    const GraphId ids[] = {graphs_.CreateFixedGraph(costs, 110),
                           graphs_.CreateCustomGraph(custom, 204)};
    if (c.runTo > 0) Run(c.runTo);
    if (c.backBy > 0) model_.RunPeriod(static_cast<int16_t>(c.backBy)), model_.GoBack();
    if (c.restart) model_.Restart(), graphs_.UpdateAllGraphs();
    ASSERT_EQ(model_.Period(), c.period) << c.name;
    for (const auto& [control, varNumbers] :
         {std::pair{&costs, std::vector{320, 321, 328, 322}}, {&custom, {204}}}) {
      for (int s = 1; s <= static_cast<int>(varNumbers.size()); ++s) {
        const int index = catalogue::VarIndexFromNumber(varNumbers[s - 1]);
        EXPECT_EQ(control->DrawnPoints(s), c.period + 1) << c.name << " series " << s;
        for (int p = 1; p <= kRows; ++p) {
          const bool filled = p <= c.period + 1;
          ASSERT_EQ(control->HasValue(s, p), filled) << c.name << " point " << p;
          ASSERT_EQ(control->Value(s, p), filled ? model_.VarValues().Get(index, p - 1) : 0.0)
              << c.name << " point " << p;
        }
      }
    }
    for (const GraphId id : ids) graphs_.UncreateGraph(id);
  }
  // Years under every fourth point.
  ChartControl control;
  graphs_.CreateFixedGraph(control, 101);
  std::vector<std::pair<int, QString>> years;
  for (int year = 0; year <= 10; ++year) years.emplace_back(4 * year + 1, QString::number(year));
  EXPECT_EQ(control.AxisLabels(), years);
}

TEST_F(GraphRegistryTest, TitlesAndLegendsFollowTheLanguageAtCreation) {
  const struct {
    int fixedNumber;
    const char* language;
    const char* title;
    QStringList legends;  // by series; "" for none
  } cases[] = {
      {102, "English", "Breakeven Loadfactor", {"", "Breakeven"}},
      {102, "Spanish", "Factor de carga de equilibrio", {"", "Equilibrio"}},
      {102, "Port", "Fator de Carga (breakeven)", {"", "Breakeven"}},
      {106, "English", "Competitors - Fares", {"Comp", "ZVk"}},
      {106, "Spanish", "Competidores - Tarifa", {"Comp", "ZVk"}},
      {106, "Port", "Concorrentes - Tarifa", {"Comp", "ZVk"}},
      {110, "English", "Costs $ m/year", {"Fleet", "Serv", "Mktg", "Int"}},
      {110, "Spanish", "Costos en millones de US$ por año", {"Flota", "Serv", "Mktg", "Int"}},
      {110, "Port", "Custos $ m/ano", {"Frota", "Serv", "Mktg", "Juros"}},
      {118, "English", "Load Factor", {""}},
      {118, "Spanish", "Coeficiente de ocupación", {""}},
      {118, "Port", "Fator de Carga", {""}},
  };
  for (const auto& c : cases) {
    CurrentLanguage = c.language;
    ChartControl control;
    const GraphId id = graphs_.CreateFixedGraph(control, c.fixedNumber);
    CurrentLanguage = "English";  // a later change does not touch what was made
    const std::string name = std::to_string(c.fixedNumber) + " " + c.language;
    EXPECT_EQ(graphs_.GraphTitle(id), QString::fromUtf8(c.title)) << name;
    QStringList legends, shown;
    for (int s = 1; s <= control.Get(chart::kChartSeriesCount).toInt(); ++s) {
      legends.append(control.Legend(s));
      if (!control.Legend(s).isEmpty()) shown.append(control.Legend(s));
    }
    EXPECT_EQ(legends, c.legends) << name;
    EXPECT_EQ(control.LegendEntries(), shown) << name;
  }
}

TEST_F(GraphRegistryTest, EveryDefinitionBuildsItsSeries) {
  std::map<int, int> graphsBySeriesCount;
  for (const FixedGraphDefinition& definition : FixedGraphDefinitions()) {
    ChartControl control;
    ASSERT_NE(graphs_.CreateFixedGraph(control, definition.fixedNumber), kNoGraph);
    ++graphsBySeriesCount[control.Get(chart::kChartSeriesCount).toInt()];
  }
  EXPECT_EQ(graphsBySeriesCount, (std::map<int, int>{{1, 12}, {2, 7}, {3, 2}, {4, 3}}));
}

TEST_F(GraphRegistryTest, NumbersCountUpAreNeverGivenTwiceAndGoWithTheirCharts) {
  ChartControl first, second;
  auto gone = std::make_unique<ChartControl>();
  EXPECT_EQ(graphs_.CreateFixedGraph(first, 101), 1);
  EXPECT_EQ(graphs_.CreateCustomGraph(second, 339), 2);
  EXPECT_EQ(second.Tag(), "2");
  EXPECT_EQ(graphs_.GraphTitle(2), "var=339");
  graphs_.UncreateGraph(1);
  graphs_.UncreateGraph(1);  // released already: nothing happens
  EXPECT_EQ(graphs_.CreateFixedGraph(first, 101), 3);
  // A chart destroyed without release drops out; the run goes on.
  EXPECT_EQ(graphs_.CreateFixedGraph(*gone, 122), 4);
  gone.reset();
  Run(3);
  EXPECT_EQ(model_.Period(), 3);
  EXPECT_FALSE(graphs_.IsRegistered(4));
  EXPECT_EQ(second.DrawnPoints(1), 4);
  EXPECT_EQ(graphs_.Count(), 2);
}

TEST_F(GraphRegistryTest, ANumberThatNamesNoVariableOrGraphIsRefused) {
  const struct {
    bool fixed;
    int number;
  } cases[] = {{true, 0},    {true, 6},    {true, 100},         {true, 111},
               {true, 124},  {true, -101}, {false, 0},          {false, 302},
               {false, 340}, {false, -1},  {false, 65536 + 204}};
  for (const auto& c : cases) {
    ChartControl control;
    const GraphId id = c.fixed ? graphs_.CreateFixedGraph(control, c.number)
                               : graphs_.CreateCustomGraph(control, c.number);
    EXPECT_EQ(id, kNoGraph) << c.number;
    EXPECT_TRUE(control.Tag().isEmpty() && control.Draws() == 0) << c.number;
  }
  EXPECT_EQ(graphs_.LastGraphId(), 0);
}

}  // namespace
}  // namespace talvair::views
