// The nineteen graphs drawn through a whole game, without the rest of the program and with
// no X server: what a chart's draw itself costs, quarter after quarter. Runs on the
// offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QGridLayout>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "model/game.h"
#include "platform/chart_control.h"
#include "views/graph_registry.h"

namespace talvair::views {
namespace {

constexpr int kGraphs[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                           113, 114, 115, 117, 118, 120, 121, 122, 123};

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

// Each iteration is a whole game: forty quarters, every chart drawn after each.
void BM_NineteenChartsThroughAGame(benchmark::State& state) {
  game model;
  GraphRegistry graphs(&model);
  GraphsHost host(graphs);
  model.SetHost(&host);
  QWidget window;
  auto* layout = new QGridLayout(&window);
  std::vector<platform::ChartControl*> charts;
  for (const int number : kGraphs) {
    auto* chart = new platform::ChartControl;
    // The size of a chart in a new graph window.
    chart->setFixedSize(300, 136);
    layout->addWidget(chart, static_cast<int>(charts.size()) / 5,
                      static_cast<int>(charts.size()) % 5);
    graphs.CreateFixedGraph(*chart, number);
    charts.push_back(chart);
  }
  window.show();
  QApplication::processEvents();
  int renders = 0;
  for (auto _ : state) {
    state.PauseTiming();
    model.Restart();
    graphs.UpdateAllGraphs();
    QApplication::processEvents();
    for (const auto* chart : charts) renders -= chart->Renders();
    state.ResumeTiming();
    model.RunPeriod(40);
    model.GoForward();
    QApplication::processEvents();
    for (const auto* chart : charts) renders += chart->Renders();
  }
  state.counters["draws"] = benchmark::Counter(renders, benchmark::Counter::kAvgIterations);
  model.SetHost(nullptr);
}
BENCHMARK(BM_NineteenChartsThroughAGame)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace talvair::views

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
