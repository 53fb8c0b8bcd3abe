// The model's way to the windows: the decision boxes, the liquidation message, the run
// controls and the graphs. The main window owns it and attaches it to the model object.
#pragma once

#include <string>

#include "model/game_host.h"

namespace talvair {
class game;
}

namespace talvair::shell {

class frmMDI;

class MainWindowHost final : public GameHost {
 public:
  explicit MainWindowHost(frmMDI& window) : window_(window) {}
  // Detaches, so the model never calls a host that has gone.
  ~MainWindowHost() override;
  MainWindowHost(const MainWindowHost&) = delete;
  MainWindowHost& operator=(const MainWindowHost&) = delete;

  // Becomes the host of `model`, which must outlive this host or be detached from it first.
  void AttachTo(game& model);
  void Detach();

  std::string DecisionText(int box) override;
  void ShowMessage(const std::string& text) override;
  void DeactivateRun() override;
  void DisableGoBack() override;
  void UpdateAllGraphs() override;

 private:
  frmMDI& window_;
  game* model_ = nullptr;
};

}  // namespace talvair::shell
