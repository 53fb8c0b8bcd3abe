// frmRptSummary: seventeen key figures of the quarter in six small grids, the quarter's label
// above them and in the caption. Each figure is rounded to its pattern's decimals and carried
// in single precision before it is shown; employees per plane is derived from the shown
// employees and aircraft.
#pragma once

#include <array>
#include <vector>

#include "views/report_window.h"

class QLabel;

namespace talvair::views {

class frmRptSummary : public ReportWindow {
  Q_OBJECT

 public:
  explicit frmRptSummary(game& model, QWidget* parent = nullptr);

  void Update() override;
  std::vector<platform::GridControl*> Grids() const override;
  // Right edge 150 twips from the screen's right edge, at the top.
  void PositionWindow() override;

  // Grids 1 to 6.
  platform::GridControl* FlxGrid(int index) const;
  QLabel* lblDate() const { return lblDate_; }

  // The employees-per-plane cell when it cannot be computed: ten blanks, then n/a.
  static const QString kNotAvailable;

 protected:
  void Form_Activate() override;
  void FlxGrid_Click() override { EnableCopyInNormalState(); }
  void Form_MouseDown(int button, int shift, int x, int y) override;
  void Form_MouseMove() override {}

 private:
  std::array<platform::GridControl*, 7> grids_{};
  QLabel* lblDate_;
};

}  // namespace talvair::views
