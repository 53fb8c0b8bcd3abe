// The Reports menu: one opening command per report window, and the hidden End of Game
// Summary item, which does nothing.
#pragma once

namespace talvair::shell {

class frmMDI;

// Connects the Reports menu items of the main window to the commands below.
void ConnectReportCommands(frmMDI& window);

void mnuRptSummary_Click(frmMDI& window);
void mnuRptBreakEvenAnalysis_Click(frmMDI& window);
void mnuRptCapacityAndLoad_Click(frmMDI& window);
void mnuRptEmployees_Click(frmMDI& window);
void mnuRptFinancialReport_Click(frmMDI& window);
void mnuRptMarketResearch_Click(frmMDI& window);
void mnuRptStockprice_Click(frmMDI& window);
void mnuRptEndofGame_Click(frmMDI& window);

}  // namespace talvair::shell
