// Speed of a whole game through the window: Run with the time step "Continuously", from
// the click until the program is idle again, with no window open, with every graph open, and
// with every graph, table (of the Tables menu) and report open.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <memory>

#include "model/game.h"
#include "platform/message_box.h"
#include "platform/pause.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/graph_commands.h"
#include "shell/main_window.h"
#include "shell/report_commands.h"
#include "shell/table_commands.h"
#include "views/window_manager.h"

namespace talvair::shell {
namespace {

void Idle() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

// The nineteen items of the Graphs menu that open a graph.
constexpr int kGraphItems[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                               113, 114, 115, 117, 118, 120, 121, 122, 123};

enum class Open { Nothing, Graphs, Everything };

void RunContinuously(benchmark::State& state, Open open) {
  platform::ScopedScriptedMessages messages;  // Restart's question is answered Yes
  platform::RecordedPauses pauses;            // the reports' opening wipes do not wait
  game model;
  AppTitle = QStringLiteral("Talvair");
  auto window = std::make_unique<frmMDI>(model);
  window->Load();
  window->AttachModel();
  CreateDecisionWindow(*window->MdiArea(), model, window->TimeStepCaption());
  window->show();
  window->mnuSimTimeStepItems(40)->trigger();
  if (open != Open::Nothing) {
    for (const int item : kGraphItems) mnuGph_Click(*window, item);
  }
  if (open == Open::Everything) {
    for (int table = 1; table <= 9; ++table) mnuTable_Click(*window, table);
    for (auto* report :
         {mnuRptSummary_Click, mnuRptBreakEvenAnalysis_Click, mnuRptCapacityAndLoad_Click,
          mnuRptEmployees_Click, mnuRptFinancialReport_Click, mnuRptMarketResearch_Click,
          mnuRptStockprice_Click}) {
      report(*window);
    }
  }
  Idle();

  for (auto _ : state) {
    state.PauseTiming();
    window->mnuSimRestart()->trigger();
    Idle();
    state.ResumeTiming();

    window->cmdRun()->click();
    Idle();
  }
  if (model.TValue() != 40) state.SkipWithError("the game did not reach its end");
  const int reportsAndTables = open == Open::Everything ? 16 : 0;
  if (window->Views().OpenViews().Count() != reportsAndTables) {
    state.SkipWithError("the windows did not stay open");
  }
  window.reset();
}

void BM_RunContinuouslyThroughTheWindow(benchmark::State& state) {
  RunContinuously(state, Open::Nothing);
}
BENCHMARK(BM_RunContinuouslyThroughTheWindow)->Unit(benchmark::kMillisecond);

void BM_RunContinuouslyWithEveryGraphOpen(benchmark::State& state) {
  RunContinuously(state, Open::Graphs);
}
BENCHMARK(BM_RunContinuouslyWithEveryGraphOpen)->Unit(benchmark::kMillisecond);

void BM_RunContinuouslyWithEveryWindowOpen(benchmark::State& state) {
  RunContinuously(state, Open::Everything);
}
BENCHMARK(BM_RunContinuouslyWithEveryWindowOpen)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace talvair::shell

int main(int argc, char* argv[]) {
  // Headless: the windows are real, the screen is not.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
