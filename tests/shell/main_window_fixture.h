// The main window and its decision window over a fresh game, as the program's start leaves
// them: what the tests of the menu commands start from.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

#include "model/game.h"
#include "model/language.h"
#include "platform/message_box.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
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

// Shows both windows, active, with message boxes scripted and Go Back's warning off.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppTitle = QStringLiteral("Talvair");
    GoBackWarnings = false;
    decision_ = LoadMainWindow(model_, window_);
    window_->show();
    QApplication::setActiveWindow(window_.get());
  }
  void TearDown() override {
    window_.reset();
    GoBackWarnings = true;
    CurrentLanguage = "English";
  }

  game model_;
  platform::ScopedScriptedMessages messages_;
  std::unique_ptr<frmMDI> window_;
  frmDecision* decision_ = nullptr;
};

}  // namespace talvair::shell
