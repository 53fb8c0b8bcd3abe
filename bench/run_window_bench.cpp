// Speed of the windows where the player meets it: Run with the time step "Continuously" (a
// whole game) and Open Game of a forty-quarter game, from the command until the program is
// idle again (no event pending, the X server caught up), with no window open, with every
// graph open, and with every graph, table (of the Tables menu) and report open.
//
// The program starts as it always does (application set-up, language window, main window
// behind the splash, decision window), with the player's part played in the two start-up
// windows, and the windows are opened through their menu items in menu order, each once
// the one before has settled, so they land where a player's do. Beside the time each Run
// reports the charts it drew (chart paints while timed).
//
// With a display it runs on the real screen; run it under a window manager at 1280 x 1024:
//   xvfb-run -a -s '-screen 0 1280x1024x24' sh -c 'openbox & sleep 1; build/bench/run_window_bench'
// Without one it runs on the offscreen platform, where nothing is flushed to a screen.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <cstdlib>

#include "model/game.h"
#include "model/var_number.h"
#include "platform/file_dialog.h"
#include "platform/message_box.h"
#include "platform/modal.h"
#include "platform/pause.h"
#include "platform/registry_store.h"
#include "shell/language_window.h"
#include "shell/main_window.h"
#include "shell/program_start.h"
#include "shell/splash_window.h"
#include "storage/saved_game.h"
#include "views/window_manager.h"

#ifdef TALVAIR_BENCH_XCB
#include <xcb/xcb.h>

#include <QGuiApplication>
#endif

namespace talvair::shell {
namespace {

// What the application delivered: every event, to tell when nothing is pending any more,
// and the paints of charts, which are their draws reaching the screen.
struct Delivered {
  int events = 0;
  int timers = 0;
  int chartPaints = 0;
};

class EventCount : public QObject {
 public:
  Delivered delivered;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    ++delivered.events;
    if (event->type() == QEvent::Timer) ++delivered.timers;
    if (event->type() == QEvent::Paint && watched->inherits("QCustomPlot")) {
      ++delivered.chartPaints;
    }
    return false;
  }
};

// A round trip to the X server: everything sent before has been handled by the server,
// and what it answered is waiting to be read. Only on the X platform: others (offscreen
// among them) may answer the X11 interface without a connection behind it.
void SyncWithServer() {
#ifdef TALVAIR_BENCH_XCB
  static const bool onX = QGuiApplication::platformName() == QLatin1String("xcb");
  if (!onX) return;
  if (auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>()) {
    if (xcb_connection_t* connection = x11->connection()) {
      std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
  }
#endif
}

// Until a whole pass delivers no event; what it delivered.
Delivered Idle() {
  EventCount count;
  qApp->installEventFilter(&count);
  int before = 0;
  do {
    before = count.delivered.events;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    SyncWithServer();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  } while (count.delivered.events > before);
  qApp->removeEventFilter(&count);
  return count.delivered;
}

// As a player goes on only once the screen has stopped changing: until nothing but timers
// (a blinking cursor) came for a while, as long as the window manager may take to answer.
void Settle() {
  QElapsedTimer quiet;
  QElapsedTimer waited;
  quiet.start();
  waited.start();
  while (quiet.elapsed() < 150 && waited.elapsed() < 5000) {
    const Delivered delivered = Idle();
    if (delivered.events > delivered.timers) quiet.restart();
    QThread::msleep(10);
  }
}

// The player's part in the start-up windows: English, and the start button.
class StartingPlayer : public platform::ModalService {
 public:
  StartingPlayer() { platform::SetModalService(this); }
  ~StartingPlayer() override { platform::SetModalService(nullptr); }
  StartingPlayer(const StartingPlayer&) = delete;
  StartingPlayer& operator=(const StartingPlayer&) = delete;

  int Run(QDialog& form) override {
    form.show();
    Settle();
    if (auto* language = qobject_cast<frmLangSelect*>(&form)) {
      language->cmdStart()->click();
    } else if (auto* splash = qobject_cast<frmSplash*>(&form)) {
      splash->Command1()->click();
    } else {
      form.reject();
    }
    return form.result();
  }
};

// The nineteen items of the Graphs menu that open a graph, in menu order.
constexpr int kGraphItems[] = {101, 102, 103, 104, 105, 106, 107, 108, 109, 110,
                               113, 114, 115, 117, 118, 120, 121, 122, 123};
// The Reports menu's items, in menu order.
constexpr const char* kReportItems[] = {
    "mnuRptSummary",         "mnuRptBreakEvenAnalysis", "mnuRptCapacityAndLoad", "mnuRptEmployees",
    "mnuRptFinancialReport", "mnuRptMarketResearch",    "mnuRptStockprice"};

enum class Open { Nothing, Graphs, Everything };

double MaxResidentMegabytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

class Program {
 public:
  explicit Program(Open open) : open_(open) {
    StartOptions options;
    options.settingsFolder = settings_.path();
    options.instanceKey =
        QStringLiteral("talvair-bench-%1").arg(QCoreApplication::applicationPid());
    {
      StartingPlayer player;
      Main(options);
    }
    window_ = MainWindow();
    Settle();
    Choose(window_->mnuSimTimeStepItems(40));
    if (open != Open::Nothing) {
      for (const int item : kGraphItems) {
        Choose(window_->MenuItem(QStringLiteral("mnuGph"), item));
      }
    }
    if (open == Open::Everything) {
      for (int table = 1; table <= 9; ++table) {
        Choose(window_->MenuItem(QStringLiteral("mnuTable"), table));
      }
      for (const char* report : kReportItems)
        Choose(window_->MenuItem(QString::fromLatin1(report)));
    }
    // One game first, so that fonts and caches are warm.
    Restart();
    Run();
  }
  ~Program() {
    ReleaseProgram();
    platform::RegistryStore::SetFolder(QString());
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  void Restart() { Choose(window_->mnuSimRestart()); }
  // The charts drawn.
  int Run() {
    EventCount count;
    qApp->installEventFilter(&count);
    window_->mnuSimRun()->trigger();
    Idle();
    qApp->removeEventFilter(&count);
    return count.delivered.chartPaints;
  }
  void OpenGame(const QString& path) {
    messages_.Answer(platform::kAnswerYes);  // the current game may go
    dialogs_.Choose(path);
    window_->MenuItem(QStringLiteral("mnuFileOpen"))->trigger();
    Idle();
  }

  // Skips the benchmark when the windows or the game did not come out as they should.
  void Check(benchmark::State& state) {
    if (window_->Model().TValue() != 40) state.SkipWithError("the game did not reach its end");
    const int reportsAndTables = open_ == Open::Everything ? 16 : 0;
    if (window_->Views().OpenViews().Count() != reportsAndTables) {
      state.SkipWithError("the windows did not stay open");
    }
    state.counters["maxrss_MB"] = MaxResidentMegabytes();
  }

 private:
  // A menu item chosen, and the screen left to settle, at a player's pace.
  static void Choose(QAction* item) {
    item->trigger();
    Settle();
  }

  Open open_;
  QTemporaryDir settings_;                     // no language stored: the window asks
  platform::ScopedScriptedMessages messages_;  // questions get their default answer
  platform::RecordedPauses pauses_;            // the reports' opening wipes do not wait
  platform::ScriptedFileDialogs dialogs_;
  frmMDI* window_ = nullptr;
};

void RunContinuously(benchmark::State& state, Open open) {
  Program program(open);
  int charts = 0;
  for (auto _ : state) {
    state.PauseTiming();
    program.Restart();
    state.ResumeTiming();
    charts += program.Run();
  }
  state.counters["charts_per_run"] = benchmark::Counter(charts, benchmark::Counter::kAvgIterations);
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
  talvair::shell::PrepareApplication();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
