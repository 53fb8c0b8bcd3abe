// The graph registry: the chart of every open graph with the variables it plots and its
// title. It alone writes data into the charts, and rebuilds them all from the model after
// every change of the model's trajectory (a quarter run, Go Back, Restart, an opened game).
#pragma once

#include <QPointer>
#include <QString>
#include <cstdint>
#include <map>
#include <vector>

namespace talvair {
class game;
}

namespace talvair::platform {
class ChartControl;
}

namespace talvair::views {

// Registered graphs are numbered from 1 over the whole run of the program; a number is
// never given twice, so a graph closed and opened again gets a new one.
using GraphId = int32_t;
inline constexpr GraphId kNoGraph = 0;

class GraphRegistry {
 public:
  // Values and period come from the model; without one, graphs stay empty.
  explicit GraphRegistry(game* model = nullptr) : model_(model) {}
  GraphRegistry(const GraphRegistry&) = delete;
  GraphRegistry& operator=(const GraphRegistry&) = delete;

  void SetModel(game* model) { model_ = model; }

  // Registers the chart under a new number, names and fills it. A number that has no
  // definition (or a VarNumber that names no variable) is refused: kNoGraph, nothing
  // registered, the chart untouched. Titles and legends take the current language.
  GraphId CreateFixedGraph(platform::ChartControl& graph, int fixedNumber);
  GraphId CreateCustomGraph(platform::ChartControl& graph, int32_t varNumber);

  // Empty for a number not registered.
  QString GraphTitle(GraphId id) const;
  // Writes the values of periods 0 to the current one and redraws; nothing for a number
  // not registered.
  void UpdateGraph(GraphId id);
  // Clears and refills every registered graph, in the order they were registered. Called
  // from the model's run loop, so it never throws: a graph that fails is left as it is.
  void UpdateAllGraphs() noexcept;
  // Ignores a number that is not registered.
  void UncreateGraph(GraphId id);

  bool IsRegistered(GraphId id) const;
  int Count() const;
  GraphId LastGraphId() const { return lastGraphId_; }

 private:
  struct Series {
    int16_t varIndex;
    int16_t arrayElement;
  };
  struct Graph {
    // Goes null if the chart is destroyed without being released.
    QPointer<platform::ChartControl> chart;
    std::vector<Series> series;
    QString title;
  };

  GraphId Register(platform::ChartControl& graph, std::vector<Series> series, QString title);
  const Graph* Find(GraphId id) const;
  void SetupGraph(GraphId id);

  game* model_;
  GraphId lastGraphId_ = 0;
  // Ids only grow, so the map's order is the order of registration.
  std::map<GraphId, Graph> graphs_;
};

}  // namespace talvair::views
