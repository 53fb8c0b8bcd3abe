#include "shell/report_commands.h"

#include <QString>

#include "model/game.h"
#include "shell/main_window.h"
#include "shell/menu_wiring.h"
#include "views/financial_report.h"
#include "views/market_research_report.h"
#include "views/report_opening.h"
#include "views/simple_reports.h"
#include "views/summary_report.h"
#include "views/window_manager.h"

namespace talvair::shell {

namespace {

// Brings the report forward when it is open, else builds and opens it with its wipe.
template <class Report>
void Open(frmMDI& window, const QString& key) {
  game& model = window.Model();
  views::OpenReport(window.Views(), key, [&model] { return new Report(model); });
}

}  // namespace

void ConnectReportCommands(frmMDI& window) {
  using Command = void (*)(frmMDI&);
  const struct {
    const char* item;
    Command command;
  } kCommands[] = {
      {"mnuRptSummary", mnuRptSummary_Click},
      {"mnuRptBreakEvenAnalysis", mnuRptBreakEvenAnalysis_Click},
      {"mnuRptCapacityAndLoad", mnuRptCapacityAndLoad_Click},
      {"mnuRptEmployees", mnuRptEmployees_Click},
      {"mnuRptFinancialReport", mnuRptFinancialReport_Click},
      {"mnuRptMarketResearch", mnuRptMarketResearch_Click},
      {"mnuRptStockprice", mnuRptStockprice_Click},
      {"mnuRptEndofGame", mnuRptEndofGame_Click},
  };
  for (const auto& [item, command] : kCommands) {
    OnMenuItem(window, item, [&window, command = command] { command(window); });
  }
}

void mnuRptSummary_Click(frmMDI& window) {
  Open<views::frmRptSummary>(window, views::kReportSummaryKey);
}

void mnuRptBreakEvenAnalysis_Click(frmMDI& window) {
  Open<views::frmRptBreakeven>(window, views::kReportBreakevenKey);
}

void mnuRptCapacityAndLoad_Click(frmMDI& window) {
  Open<views::frmRptCapacity>(window, views::kReportCapacityKey);
}

void mnuRptEmployees_Click(frmMDI& window) {
  Open<views::frmRptEmployees>(window, views::kReportEmployeesKey);
}

void mnuRptFinancialReport_Click(frmMDI& window) {
  Open<views::frmRptFinancialReport>(window, views::kReportFinanceKey);
}

void mnuRptMarketResearch_Click(frmMDI& window) {
  Open<views::frmRptMarketResearch>(window, views::kReportMktResearchKey);
}

void mnuRptStockprice_Click(frmMDI& window) {
  Open<views::frmRptStock>(window, views::kReportStockKey);
}

void mnuRptEndofGame_Click(frmMDI& /*window*/) {}

}  // namespace talvair::shell
