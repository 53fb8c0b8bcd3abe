#include "shell/main_window_host.h"

#include <QApplication>
#include <QCursor>

#include "model/game.h"
#include "platform/message_box.h"
#include "shell/decision_window.h"
#include "shell/globals.h"
#include "shell/main_window.h"
#include "views/graph_registry.h"

namespace talvair::shell {

MainWindowHost::~MainWindowHost() { Detach(); }

void MainWindowHost::AttachTo(game& model) {
  Detach();
  model.SetHost(this);
  model_ = &model;
}

void MainWindowHost::Detach() {
  if (model_ != nullptr && model_->Host() == this) model_->SetHost(nullptr);
  model_ = nullptr;
}

std::string MainWindowHost::DecisionText(int box) {
  const frmDecision* decision = window_.DecisionWindow();
  return decision != nullptr ? decision->DecisionText(box).toStdString() : std::string();
}

void MainWindowHost::ShowMessage(const std::string& text) {
  // The message comes in the middle of a run, under its hourglass; the player needs the
  // ordinary pointer to press OK.
  struct ArrowWhileBusy {
    bool busy = QApplication::overrideCursor() != nullptr;
    ArrowWhileBusy() {
      if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowWhileBusy() {
      if (busy) QApplication::restoreOverrideCursor();
    }
  } arrow;
  platform::MsgBox(QString::fromStdString(text), platform::kStyleOkOnly, AppTitle);
}

void MainWindowHost::DeactivateRun() { window_.DeactivateRun(); }

void MainWindowHost::DisableGoBack() {
  RunState state = window_.RunControlState();
  state.goBack = false;
  window_.SetRunState(state);
}

void MainWindowHost::UpdateAllGraphs() { window_.Graphs().UpdateAllGraphs(); }

}  // namespace talvair::shell
