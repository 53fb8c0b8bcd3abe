// frmRptMarketResearch: the airline beside its competitors (fares, scope of service, reported
// quality), then three figures of the airline alone, each merged across both value columns.
#pragma once

#include <vector>

#include "views/report_window.h"

namespace talvair::views {

class frmRptMarketResearch : public ReportWindow {
  Q_OBJECT

 public:
  explicit frmRptMarketResearch(game& model, QWidget* parent = nullptr);

  void Update() override;
  std::vector<platform::GridControl*> Grids() const override { return {FlxGrid_}; }
  platform::GridControl* FlxGrid() const { return FlxGrid_; }

 private:
  platform::GridControl* FlxGrid_;
};

}  // namespace talvair::views
