// Speed of a whole game through the window: Run with the time step "Continuously", from
// the click until the program is idle again.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include <memory>

#include "model/game.h"
#include "platform/message_box.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"

namespace talvair::shell {
namespace {

void Idle() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void BM_RunContinuouslyThroughTheWindow(benchmark::State& state) {
  platform::ScopedScriptedMessages messages;  // Restart's question is answered Yes
  game model;
  AppTitle = QStringLiteral("Talvair");
  auto window = std::make_unique<frmMDI>(model);
  window->Load();
  window->AttachModel();
  CreateDecisionWindow(*window->MdiArea(), model, window->TimeStepCaption());
  window->show();
  window->mnuSimTimeStepItems(40)->trigger();
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
BENCHMARK(BM_RunContinuouslyThroughTheWindow)->Unit(benchmark::kMillisecond);

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
