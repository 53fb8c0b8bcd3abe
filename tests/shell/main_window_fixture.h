// The main window and its decision window over a fresh game, as the program's start leaves
// them: what the tests of the menu commands start from.
#pragma once

#include <memory>

#include "model/game.h"
#include "shell/decision_window.h"
#include "shell/main_window.h"

namespace talvair::shell {

// Restarts the game at one quarter per run and builds both windows anew; returns the
// decision window.
inline frmDecision* LoadMainWindow(game& model, std::unique_ptr<frmMDI>& window) {
  window.reset();
  model.RunPeriod(1);
  model.Restart();
  window = std::make_unique<frmMDI>(model);
  window->Load();
  window->AttachModel();
  return CreateDecisionWindow(*window->MdiArea(), model, window->TimeStepCaption());
}

}  // namespace talvair::shell
