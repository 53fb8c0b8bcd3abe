#include "views/graph_registry.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

#include "model/catalogue.h"
#include "model/game.h"
#include "model/language.h"
#include "platform/chart_control.h"
#include "views/fixed_graphs.h"
#include "views/text.h"

namespace talvair::views {

namespace {

namespace chart = platform::chart;

// Periods 0 to 41, point p showing period p - 1.
constexpr int kPoints = kRows;
// The x axis counts years: "0" at point 1, then one label every four quarters.
constexpr int kYearLabels = 11;
constexpr int kQuartersPerYear = 4;

}  // namespace

GraphId GraphRegistry::Register(platform::ChartControl& graph, std::vector<Series> series,
                                QString title) {
  if (lastGraphId_ == std::numeric_limits<GraphId>::max()) return kNoGraph;
  const GraphId id = ++lastGraphId_;
  graphs_[id] = Graph{&graph, std::move(series), std::move(title)};
  graph.SetTag(QString::number(id));
  return id;
}

const GraphRegistry::Graph* GraphRegistry::Find(GraphId id) const {
  const auto it = graphs_.find(id);
  if (it == graphs_.end() || it->second.chart.isNull()) return nullptr;
  return &it->second;
}

GraphId GraphRegistry::CreateFixedGraph(platform::ChartControl& graph, int fixedNumber) {
  const FixedGraphDefinition* definition = FindFixedGraph(fixedNumber);
  if (definition == nullptr) return kNoGraph;
  std::vector<Series> series;
  for (int s = 0; s < definition->SeriesCount(); ++s) {
    const int16_t index = catalogue::VarIndexFromNumber(definition->series[s]);
    if (index < 0) return kNoGraph;
    series.push_back({index, 0});
  }
  const auto& title = definition->title;
  const GraphId id = Register(graph, series, Text(title.english, title.spanish, title.portuguese));
  if (id == kNoGraph) return kNoGraph;

  graph.Set(chart::kChartSeriesCount, static_cast<int>(series.size()));
  graph.Set(chart::kChartDraw, chart::kDrawNow);
  graph.Set(chart::kLegendStyle, chart::kLegendBelow);
  const int count = graph.Get(chart::kChartSeriesCount).toInt();
  for (int s = 1; s <= count && s <= static_cast<int>(series.size()); ++s) {
    // The short legend belongs to the storage index, not to the VarNumber.
    const int varIndex = series[static_cast<std::size_t>(s - 1)].varIndex;
    graph.Set(chart::kChartLegend, s,
              QString::fromStdString(catalogue::InternalVarName(varIndex, CurrentLanguage)));
  }
  SetupGraph(id);
  return id;
}

GraphId GraphRegistry::CreateCustomGraph(platform::ChartControl& graph, int32_t varNumber) {
  const int16_t index = catalogue::VarIndexFromNumber(varNumber);
  if (index < 0) return kNoGraph;
  QString title = QString::fromStdString(catalogue::VarName(varNumber, CurrentLanguage));
  if (title.isEmpty()) title = QStringLiteral("var=") + QString::number(varNumber);
  const GraphId id = Register(graph, {{index, 0}}, std::move(title));
  if (id == kNoGraph) return kNoGraph;

  graph.Set(chart::kChartSeriesCount, 1);
  graph.Set(chart::kChartDraw, chart::kDrawNow);
  SetupGraph(id);
  return id;
}

QString GraphRegistry::GraphTitle(GraphId id) const {
  const Graph* graph = Find(id);
  return graph != nullptr ? graph->title : QString();
}

void GraphRegistry::SetupGraph(GraphId id) {
  const Graph* graph = Find(id);
  if (graph == nullptr) return;
  platform::ChartControl& chart = *graph->chart;
  chart.Set(chart::kChartPointCount, static_cast<double>(kPoints));
  const int points = chart.Get(chart::kChartPointCount).toInt();
  chart.Set(chart::kPointCountHint, points, 0.0f);
  const int seriesCount = chart.Get(chart::kChartSeriesCount).toInt();
  for (int s = 1; s <= seriesCount; ++s) {
    chart.Set(chart::kChartCurrentSeries, s);
    for (int p = 1; p <= points; ++p) {
      chart.Set(chart::kChartCurrentPoint, p);
      chart.Set(chart::kChartValue, 0);
      chart.Set(chart::kNoValue, p, 1);
    }
    chart.Set(chart::kAxisLabelMode, chart::kAxisLabelsFromPoints);
    // Written every quarter: made once, the same texts are shared rather than made anew.
    static const std::array<QString, kYearLabels> kYears = [] {
      std::array<QString, kYearLabels> years;
      for (int year = 0; year < kYearLabels; ++year) years[year] = QString::number(year);
      return years;
    }();
    for (int year = 0; year < kYearLabels; ++year) {
      chart.Set(chart::kChartCurrentPoint, kQuartersPerYear * year + 1);
      chart.Set(chart::kChartPointLabel, kYears[year]);
    }
  }
  chart.Set(chart::kChartDraw, chart::kDrawNow);
  UpdateGraph(id);
}

void GraphRegistry::UpdateGraph(GraphId id) {
  const Graph* graph = Find(id);
  if (graph == nullptr) return;
  platform::ChartControl& chart = *graph->chart;
  if (model_ != nullptr) {
    const ValueTable& values = model_->VarValues();
    const int lastPoint = std::clamp<int>(model_->Period(), 0, kMaxRow) + 1;
    for (std::size_t s = 0; s < graph->series.size(); ++s) {
      const Series& series = graph->series[s];
      chart.Set(chart::kChartCurrentSeries, static_cast<int>(s + 1));
      for (int p = 1; p <= lastPoint; ++p) {
        const double value = values.Get(series.varIndex, p - 1, series.arrayElement);
        chart.Set(chart::kChartCurrentPoint, p);
        chart.Set(chart::kChartValue, value);
        chart.Set(chart::kNoValue, p, 0);
        chart.Set(chart::kPointWritten, 1);
      }
    }
  }
  chart.Set(chart::kChartDraw, chart::kDrawNow);
}

void GraphRegistry::UpdateAllGraphs() noexcept {
  try {
    std::vector<GraphId> ids;
    ids.reserve(graphs_.size());
    for (const auto& [id, graph] : graphs_) ids.push_back(id);
    for (const GraphId id : ids) {
      try {
        const auto it = graphs_.find(id);
        if (it == graphs_.end()) continue;
        // A chart that went without being released.
        if (it->second.chart.isNull()) {
          graphs_.erase(it);
          continue;
        }
        SetupGraph(id);
      } catch (...) {
        // The graph keeps what it showed; the others are still refreshed.
      }
    }
    // On the screen after every quarter, also in the middle of a long run.
    std::vector<platform::ChartControl*> charts;
    charts.reserve(graphs_.size());
    for (const auto& [id, graph] : graphs_) charts.push_back(graph.chart.data());
    platform::DrawAndFlush(charts);
  } catch (...) {
    // The model's run must go on whatever the graphs do.
  }
}

void GraphRegistry::UncreateGraph(GraphId id) { graphs_.erase(id); }

bool GraphRegistry::IsRegistered(GraphId id) const { return Find(id) != nullptr; }

int GraphRegistry::Count() const {
  return static_cast<int>(std::count_if(graphs_.begin(), graphs_.end(), [](const auto& entry) {
    return !entry.second.chart.isNull();
  }));
}

}  // namespace talvair::views
