// frmMDI: the program's one main window. It holds the menu bar, the toolbar with the run
// buttons and the timeline, and the MDI area that parents every other window. It runs only
// maximised, and closing it ends the program.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

#include "shell/run_state.h"

class QAction;
class QFrame;
class QLabel;
class QMdiArea;
class QMenu;
class QPushButton;

namespace talvair {
class game;
}

namespace talvair::views {
class GraphRegistry;
class WindowManager;
}  // namespace talvair::views

namespace talvair::shell {

class frmDecision;
class MainWindowHost;
class RunControl;
class TimelineBox;

class frmMDI : public QMainWindow {
  Q_OBJECT
  Q_PROPERTY(QString CurrentLang READ CurrentLang WRITE CurrentLang)

 public:
  // Builds the controls in their designed state; Load() then fits them to the language and
  // the edition. The language code is taken from CurrentLanguage, so the window must be
  // built once the player's language is settled. `model` is the game the window plays; it
  // must outlive the window.
  explicit frmMDI(game& model, QWidget* parent = nullptr);
  ~frmMDI() override;

  // Runs once, before the window is first shown.
  void Load();
  // The caption of the checked Time Step item.
  QString TimeStepCaption() const;

  // The language code of the run: "English", "Spanish" or "Port".
  const QString& CurrentLang() const { return currentLang_; }
  void CurrentLang(const QString& code) { currentLang_ = code; }

  QMdiArea* MdiArea() const { return mdiArea_; }

  // Menu items by control name; array items by name and Index (nullptr when absent).
  QAction* MenuItem(const QString& name) const;
  QAction* MenuItem(const QString& name, int index) const;
  QAction* mnuSimRun() const { return MenuItem(QStringLiteral("mnuSimRun")); }
  QAction* mnuSimStop() const { return MenuItem(QStringLiteral("mnuSimStop")); }
  QAction* mnuSimRestart() const { return MenuItem(QStringLiteral("mnuSimRestart")); }
  QAction* mnuSimGoBack() const { return MenuItem(QStringLiteral("mnuSimGoBack")); }
  QAction* mnuSimToggleGBW() const { return MenuItem(QStringLiteral("mnuSimToggleGBW")); }
  QAction* mnuEditCopy() const { return MenuItem(QStringLiteral("mnuEditCopy")); }
  QAction* mnuSimTimeStepItems(int index) const {
    return MenuItem(QStringLiteral("mnuSimTimeStepItems"), index);
  }

  QPushButton* cmdRun() const { return cmdRun_; }
  QPushButton* cmdRestart() const { return cmdRestart_; }
  QPushButton* cmdStop() const { return cmdStop_; }
  TimelineBox* picTimeline() const { return picTimeline_; }
  // Tick lines 0 to 5 (1 to 5 exist once the window is loaded) and year labels 0 to 5.
  QFrame* Line1(int index) const;
  QLabel* Label1(int index) const;

  // The decision window, once Main has loaded it.
  frmDecision* DecisionWindow() const;

  // The open report, table and graph windows of this window's MDI area.
  views::WindowManager& Views() const { return *views_; }
  // The open graphs, refreshed from the model after every change of its trajectory.
  views::GraphRegistry& Graphs() const { return *graphs_; }
  // The commands that move the game through time.
  RunControl& RunControls() const { return *runControl_; }
  // The game this window plays.
  game& Model() const { return model_; }
  // Makes this window the model's host until the window goes (or another host is attached).
  void AttachModel();

  // The run controls' state, and the one place that applies it to the buttons and items
  // (Stop always off).
  const RunState& RunControlState() const { return runState_; }
  void SetRunState(const RunState& state);
  // The game notepad's text, kept with the game, and whether the notepad is open.
  const QString& GameComments() const { return gameComments_; }
  void GameComments(const QString& text) { gameComments_ = text; }
  bool Notepad() const { return notepad_; }
  void Notepad(bool open) { notepad_ = open; }
  // Nothing in the program sets it; clearing it closes the rival graphs' windows, which
  // never exist. TeachOption is always 0.
  bool RivalsActivated() const { return rivalsActivated_; }
  void RivalsActivated(bool value);
  int TeachOption() const { return 0; }
  void TeachOption(int /*value*/) {}

  // Run and Stop off, Restart on: the game can only be restarted, opened or gone back.
  void DeactivateRun();
  // Redraws the timeline from the model's current period. With mode 0 the bar shows the
  // game's progress and Run is switched off past the last period; any other mode draws an
  // empty bar.
  void UpdateTimeline(int mode);

 public slots:
  // Simulation > Show/Hide Warnings for Go Back: switches GoBackWarnings and offers the
  // opposite in the item's caption.
  void mnuSimToggleGBW_Click();
  // View > Decision Window: brings the decision window home to the client area's corner.
  void mdwa_Click();
  // File > Exit: asks, then ends the program without asking again.
  void mnuFileExit_Click();

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // Asks the window system to maximise the window; a window manager may delay or refuse.
  virtual void RequestMaximised();

 private:
  struct CaptionedItem;

  void BuildMenus();
  void BuildToolbar();
  void ApplyCaptions();
  void PlaceTimelineTicks();
  // "End Yr:" keeps its designed right edge and grows to the left to its caption.
  void FitEndYearLabel(QLabel* label) const;
  void WindowStateChanged();
  void Unload();
  void ConnectRunControl();

  game& model_;
  QString currentLang_;
  RunState runState_;
  QMdiArea* mdiArea_ = nullptr;
  // The decision window last found; asked for by every decision box of every quarter.
  mutable QPointer<frmDecision> decisionWindow_;
  QWidget* picToolbar_ = nullptr;
  QPushButton* cmdRun_ = nullptr;
  QPushButton* cmdRestart_ = nullptr;
  QPushButton* cmdStop_ = nullptr;
  QFrame* picture3_ = nullptr;
  TimelineBox* picTimeline_ = nullptr;
  QLabel* imgXqbLogo_ = nullptr;
  std::vector<QFrame*> line1_;
  std::vector<QLabel*> label1_;
  std::vector<CaptionedItem> captioned_;
  bool loaded_ = false;
  QString gameComments_;
  bool notepad_ = false;
  bool rivalsActivated_ = false;
  // Set from the window-size message until the window system reports the window maximised
  // again, so the state changes on the way back (late echoes of the restore included) never
  // ask a second time.
  bool restoringMaximised_ = false;
  // Declared last so they go first: the host detaches from the model before anything else
  // of the window is gone.
  std::unique_ptr<views::GraphRegistry> graphs_;
  std::unique_ptr<views::WindowManager> views_;
  std::unique_ptr<RunControl> runControl_;
  std::unique_ptr<MainWindowHost> host_;
};

// The loaded main window, nullptr before Main loads it and after it is gone.
frmMDI* MainWindow();

}  // namespace talvair::shell
