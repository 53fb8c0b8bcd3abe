// Speed of the windows where the player sees it: Run with the time step "Continuously" (a
// whole game) and Open Game of a forty-quarter game, from the command until the program is
// idle again (no event pending, the X server caught up), with no window open, with every
// graph open, and with every graph, table (of the Tables menu) and report open.
//
// With a display it runs on the real screen; run it under a window manager at 1280 x 1024:
//   xvfb-run -a -s '-screen 0 1280x1024x24' sh -c 'openbox & sleep 1; build/bench/run_window_bench'
// Without one it falls back to the offscreen platform, where nothing is flushed to a screen.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

#include "model/game.h"
#include "model/var_number.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/pause.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/graph_commands.h"
#include "shell/main_window.h"
#include "shell/report_commands.h"
#include "shell/table_commands.h"
#include "storage/saved_game.h"
#include "views/window_manager.h"

#ifdef TALVAIR_BENCH_XCB
#include <xcb/xcb.h>

#include <QGuiApplication>
#endif

namespace talvair::shell {
namespace {

// Counts every event the application delivers, to tell when nothing is pending any more.
class EventCount : public QObject {
 public:
  int delivered = 0;

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* /*event*/) override {
    ++delivered;
    return false;
  }
};

// A round trip to the X server: everything sent before has been handled by the server,
// and what it answered is waiting to be read.
void SyncWithServer() {
#ifdef TALVAIR_BENCH_XCB
  if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
    xcb_connection_t* connection = x11->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  }
#endif
}

// Until a whole pass delivers no event.
void Idle() {
  EventCount count;
  qApp->installEventFilter(&count);
  do {
    count.delivered = 0;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    SyncWithServer();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  } while (count.delivered > 0);
  qApp->removeEventFilter(&count);
}

// The nineteen items of the Graphs menu that open a graph.
constexpr int kGraphItems[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                               113, 114, 115, 117, 118, 120, 121, 122, 123};

enum class Open { Nothing, Graphs, Everything };

double MaxResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

class Program {
 public:
  explicit Program(Open open) : open_(open) {
    AppTitle = QStringLiteral("Talvair");
    window_ = std::make_unique<frmMDI>(model_);
    window_->Load();
    window_->AttachModel();
    CreateDecisionWindow(*window_->MdiArea(), model_, window_->TimeStepCaption());
    window_->showMaximized();
    window_->mnuSimTimeStepItems(40)->trigger();
    if (open != Open::Nothing) {
      for (const int item : kGraphItems) mnuGph_Click(*window_, item);
    }
    if (open == Open::Everything) {
      for (int table = 1; table <= 9; ++table) mnuTable_Click(*window_, table);
      for (auto* report :
           {mnuRptSummary_Click, mnuRptBreakEvenAnalysis_Click, mnuRptCapacityAndLoad_Click,
            mnuRptEmployees_Click, mnuRptFinancialReport_Click, mnuRptMarketResearch_Click,
            mnuRptStockprice_Click}) {
        report(*window_);
      }
    }
    Idle();
    // One game first, so that fonts and caches are warm.
    Restart();
    Run();
  }

  void Restart() {
    window_->mnuSimRestart()->trigger();
    Idle();
  }
  void Run() {
    window_->cmdRun()->click();
    Idle();
  }
  void OpenGame(const QString& path) {
    messages_.Answer(platform::kAnswerYes);  // the current game may go
    dialogs_.Choose(path);
    window_->MenuItem(QStringLiteral("mnuFileOpen"))->trigger();
    Idle();
  }

  // Skips the benchmark when the windows or the game did not come out as they should.
  void Check(benchmark::State& state) {
    if (model_.TValue() != 40) state.SkipWithError("the game did not reach its end");
    const int reportsAndTables = open_ == Open::Everything ? 16 : 0;
    if (window_->Views().OpenViews().Count() != reportsAndTables) {
      state.SkipWithError("the windows did not stay open");
    }
    state.counters["maxrss_MB"] = MaxResidentMegabytes();
  }

 private:
  Open open_;
  platform::ScopedScriptedMessages messages_;  // questions get their default answer
  platform::RecordedPauses pauses_;            // the reports' opening wipes do not wait
  platform::ScriptedFileDialogs dialogs_;
  game model_;
  std::unique_ptr<frmMDI> window_;
};

void RunContinuously(benchmark::State& state, Open open) {
  Program program(open);
  for (auto _ : state) {
    state.PauseTiming();
    program.Restart();
    state.ResumeTiming();
    program.Run();
  }
  program.Check(state);
}

// A forty-quarter game saved once for every Open Game benchmark.
QString FortyQuarterGame() {
  static QTemporaryDir folder;
  static const QString path = [] {
    const QString file = folder.filePath(QStringLiteral("forty.dat"));
    game played;
    for (int t = 0; t < kLastPeriod; ++t) {
      played.SetVarValue(varnum::decidemarketingfraction, -1, 0, t % 2 ? 0.12 : 0.1);
      played.SetVarValue(varnum::talvairfare, -1, 0, 0.1);
      played.GoForward();
    }
    storage::SaveGame(played, file.toStdString(), true, "Forty quarters");
    return file;
  }();
  return path;
}

void OpenGame(benchmark::State& state, Open open) {
  const QString path = FortyQuarterGame();
  Program program(open);
  for (auto _ : state) program.OpenGame(path);
  program.Check(state);
}

// Medians over single runs: one slow run (a page fault, the X server busy) does not
// move them.
void Repeated(benchmark::internal::Benchmark* b) {
  b->Unit(benchmark::kMillisecond)
      ->Iterations(1)
      ->Repetitions(15)
      ->ReportAggregatesOnly(true)
      ->UseRealTime();
}

void BM_RunContinuouslyThroughTheWindow(benchmark::State& state) {
  RunContinuously(state, Open::Nothing);
}
BENCHMARK(BM_RunContinuouslyThroughTheWindow)->Apply(Repeated);

void BM_RunContinuouslyWithEveryGraphOpen(benchmark::State& state) {
  RunContinuously(state, Open::Graphs);
}
BENCHMARK(BM_RunContinuouslyWithEveryGraphOpen)->Apply(Repeated);

void BM_RunContinuouslyWithEveryWindowOpen(benchmark::State& state) {
  RunContinuously(state, Open::Everything);
}
BENCHMARK(BM_RunContinuouslyWithEveryWindowOpen)->Apply(Repeated);

void BM_OpenGameThroughTheWindow(benchmark::State& state) { OpenGame(state, Open::Nothing); }
BENCHMARK(BM_OpenGameThroughTheWindow)->Apply(Repeated);

void BM_OpenGameWithEveryWindowOpen(benchmark::State& state) { OpenGame(state, Open::Everything); }
BENCHMARK(BM_OpenGameWithEveryWindowOpen)->Apply(Repeated);

}  // namespace
}  // namespace talvair::shell

int main(int argc, char* argv[]) {
  // The real screen when there is one; otherwise the windows are real and the screen is not.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
      qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
