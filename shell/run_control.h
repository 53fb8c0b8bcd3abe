// Run control: the main window's commands that move the game through time (Run, Go Back,
// Restart, Time Step, the never-available Stop), each calling the model object, then
// refreshing the open windows, the timeline and, where the period went back, the decision
// window.
//
// A failure of the model never ends the program: the command tells the player what failed,
// puts the pointer back, sets the run controls from the model's state and the game goes on.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <utility>

#include "shell/run_state.h"

namespace talvair {
class game;
}

namespace talvair::views {
class WindowManager;
}

namespace talvair::shell {

class frmMDI;

class RunControl {
 public:
  // All three outlive this object: the window owns it, the window manager belongs to the
  // window, and the model is the game the window plays.
  RunControl(frmMDI& window, views::WindowManager& views, game& model)
      : window_(window), views_(views), model_(model) {}

  // Run: validate the decisions, apply them, go forward RunPeriod quarters, refresh.
  void cmdRun_Click();
  void mnuSimRun_Click() { cmdRun_Click(); }
  // Restart: after confirmation (and the choice to keep the open windows), period 0.
  void mnuSimRestart_Click();
  void cmdRestart_Click() { mnuSimRestart_Click(); }
  // Go Back RunPeriod quarters, asking first while the Go Back warnings are on.
  void mnuSimGoBack_Click();
  // Time Step: quarters per run, 1, 2, 4, 10, 15, 20 or 40 ("Continuously").
  void mnuSimTimeStepItems_Click(int index);
  // Stop: no command ever enables it; a run cannot be interrupted.
  void cmdStop_Click();
  void mnuSimStop_Click() { cmdStop_Click(); }

  // Thrown by a call whose failure needs words of its own: the player is told `text` in
  // place of the call's failure.
  struct CommandFailure : std::runtime_error {
    explicit CommandFailure(QString what)
        : std::runtime_error("command failed"), text(std::move(what)) {}
    QString text;
  };
  // One call into the model within a command, and what the player is told when it fails
  // (the model's error number is added when it gives one).
  struct ModelCall {
    QString failure;
    std::function<void()> call;
  };
  // The sequence of every command that moves the game: under the hourglass the calls run
  // in order until one fails, then `refresh(failed)` brings the windows up to date. After a
  // failure the run controls follow what the model can still do and, once the pointer is
  // back, the player is told what failed. True when every call succeeded.
  bool RunCommand(std::initializer_list<ModelCall> calls,
                  const std::function<void(bool failed)>& refresh);
  // Research edition, which hides Restart: at the end of the game or on liquidation, tells the
  // player and shows Restart again; Run comes on too when `run` is set.
  void OfferResearchRestart(bool run);
  // Refreshes the report and table windows; a window that fails to is reported, never
  // fatal.
  void RefreshViews(const std::function<void(views::WindowManager&)>& refresh);

 private:
  // The research data and the survey link after a run; what to tell the player.
  QStringList AfterRunInResearchEdition();

  frmMDI& window_;
  views::WindowManager& views_;
  game& model_;
};

// Neither over (liquidated or at the end) nor at the last period: Run has something to do.
bool CanGoOn(const game& model);

// Run on and focused, Stop off, Restart on: the state of a game that can be played.
void EnableRunControls(frmMDI& window);

// lblTimeStep2's caption for a time step: "10 Qtrs (2.5 yrs)" and its Spanish and
// Portuguese forms, the years with the locale's decimal sign.
QString TimeStepLabel(int index);

}  // namespace talvair::shell
