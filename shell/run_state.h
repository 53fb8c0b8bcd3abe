// The run controls' state: which of Run, Restart and Go Back the player can use. The main
// window applies it to the toolbar buttons and the Simulation menu in one place
// (frmMDI::SetRunState); commands change a copy of the current state and hand it back.
#pragma once

namespace talvair::shell {

struct RunState {
  // The button and the menu item are separate fields: Go Back re-enables only the button,
  // and Restart's button is off until a game is over or restarted.
  bool runButton = true;       // cmdRun
  bool runItem = true;         // mnuSimRun
  bool restartButton = false;  // cmdRestart
  bool restartItem = true;     // mnuSimRestart
  // A research run with auto-save hides the Restart button until its game ends; the
  // research edition hides it from the start.
  bool restartButtonShown = true;
  bool goBack = true;  // mnuSimGoBack
  // Stop has no field: no command ever enables it.

  // Run off, the Restart button on: the game can only be restarted, opened or gone back.
  RunState Deactivated() const {
    RunState state = *this;
    state.runButton = state.runItem = false;
    state.restartButton = true;
    return state;
  }
  // Run and Restart on, button and menu item: a game that can be played.
  RunState Enabled() const {
    RunState state = *this;
    state.runButton = state.runItem = true;
    state.restartButton = state.restartItem = true;
    return state;
  }

  bool operator==(const RunState&) const = default;
};

}  // namespace talvair::shell
