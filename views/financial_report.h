// frmRptFinancialReport: the quarter's balance sheet, with equity as the shown assets less the
// shown debt, and below it the income statement and the cash flow, all in millions of dollars.
#pragma once

#include <vector>

#include "views/report_window.h"

namespace talvair::views {

class frmRptFinancialReport : public ReportWindow {
  Q_OBJECT

 public:
  explicit frmRptFinancialReport(game& model, QWidget* parent = nullptr);

  void Update() override;
  std::vector<platform::GridControl*> Grids() const override {
    return {flxBalance_, flxProfitLoss_};
  }

  platform::GridControl* flxBalance() const { return flxBalance_; }
  platform::GridControl* flxProfitLoss() const { return flxProfitLoss_; }

 protected:
  int HomeTop() const override { return 900; }
  void Form_Activate() override;
  // The window's own focus enables Edit > Copy whatever its state.
  void Form_GotFocus() override;
  void FlxGrid_Click() override { EnableCopyInNormalState(); }
  void Form_MouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) override {}

 private:
  platform::GridControl* flxBalance_;
  platform::GridControl* flxProfitLoss_;
};

}  // namespace talvair::views
