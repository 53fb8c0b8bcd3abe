// Speed of a whole game through the window: Run with the time step "Continuously", from
// the click until the program is idle again, with no window open and with every graph open.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <memory>

#include "model/game.h"
#include "platform/message_box.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/graph_commands.h"
#include "shell/main_window.h"

namespace talvair::shell {
namespace {

void Idle() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

// The nineteen items of the Graphs menu that open a graph.
constexpr int kGraphItems[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                               113, 114, 115, 117, 118, 120, 121, 122, 123};

void RunContinuously(benchmark::State& state, bool allGraphs) {
  platform::ScopedScriptedMessages messages;  // Restart's question is answered Yes
  game model;
  AppTitle = QStringLiteral("Talvair");
  auto window = std::make_unique<frmMDI>(model);
  window->Load();
  window->AttachModel();
  CreateDecisionWindow(*window->MdiArea(), model, window->TimeStepCaption());
  window->show();
  window->mnuSimTimeStepItems(40)->trigger();
  if (allGraphs) {
    for (const int item : kGraphItems) mnuGph_Click(*window, item);
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
  window.reset();
}

void BM_RunContinuouslyThroughTheWindow(benchmark::State& state) { RunContinuously(state, false); }
BENCHMARK(BM_RunContinuouslyThroughTheWindow)->Unit(benchmark::kMillisecond);

void BM_RunContinuouslyWithEveryGraphOpen(benchmark::State& state) { RunContinuously(state, true); }
BENCHMARK(BM_RunContinuouslyWithEveryGraphOpen)->Unit(benchmark::kMillisecond);

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
