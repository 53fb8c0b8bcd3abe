#include "views/financial_report.h"

#include "model/game.h"
#include "model/language.h"
#include "platform/grid_control.h"
#include "views/copy_menu.h"
#include "views/text.h"

namespace talvair::views {

namespace {

constexpr int kReportVarNumbers[13] = {317, 318, 319, 305, 320, 321, 328,
                                       322, 323, 324, 325, 326, 327};
constexpr const char* kPattern = "##,##0.0";

struct StatementRow {
  const char* english;
  const char* spanish;
  const char* portuguese;
  // Index into kReportVarNumbers, or -1 for a row without a value; and its column.
  int figure;
  int column;
};

// Rows 1 to 12 of the income statement; 10 is the cash-flow heading, written separately.
constexpr StatementRow kStatement[] = {
    {"Revenues", "Ingresos", "Receitas", 3, 2},
    {"Costs", "Costos", "Custos", -1, 0},
    {"     Fleet ", "      Flota", "    Frota", 4, 1},
    {"     Service", "     Servicio", "    Serviço", 5, 1},
    {"     Marketing", "     Marketing", "    Marketing", 6, 1},
    {"     Interest", "     Intereses", "    Juros", 7, 1},
    {"Total Operating Costs", "Total de costos de operación", "Total Custos Operacionais", 8, 2},
    {"Depreciation", "Depreciación", "Depreciação", 9, 2},
    {"Net Income", "Ganancias", "Lucro Líquido", 10, 2},
    {nullptr, nullptr, nullptr, -1, 0},
    {"Net Aircraft Purchases", "Adquisiciones netas de aeronaves", "Compra e Venda Aeronaves", 11,
     2},
    {"Net Cash Flow before financing", "Flujo de fondos neto antes \r\n de financiamiento",
     "Fluxo de Caixa Líquido \r\n antes despesas financeiras", 12, 2},
};

constexpr int kBalanceWidths[5] = {1200, 1000, 100, 1200, 1000};
constexpr int kHeadingHeight = 440;

}  // namespace

frmRptFinancialReport::frmRptFinancialReport(game& model, QWidget* parent)
    : ReportWindow(model, parent),
      flxBalance_(new platform::GridControl(this)),
      flxProfitLoss_(new platform::GridControl(this)) {
  setObjectName(QStringLiteral("frmRptFinancialReport"));
  flxBalance_->setObjectName(QStringLiteral("flxBalance"));
  flxProfitLoss_->setObjectName(QStringLiteral("flxProfitLoss"));

  for (platform::GridControl* grid : {flxBalance_, flxProfitLoss_}) {
    grid->setFont(ReportGridFont());
    WatchGrid(grid);
  }
  const auto boldEverywhere = [](platform::GridControl& grid) {
    for (int r = 0; r < grid.Rows(); ++r) {
      for (int c = 0; c < grid.Cols(); ++c) {
        grid.SetRow(r);
        grid.SetCol(c);
        grid.SetCellFontBold(true);
      }
    }
  };
  const auto heading = [](platform::GridControl& grid, int row, const QString& text) {
    for (int c = 0; c < grid.Cols(); ++c) {
      grid.SetTextMatrix(row, c, text);
      grid.SetRow(row);
      grid.SetCol(c);
      grid.SetCellAlignment(platform::kAlignCentreCentre);
      grid.SetCellFontBold(true);
    }
  };

  platform::GridControl& balance = *flxBalance_;
  balance.SetCols(5);
  balance.SetRows(5);
  balance.SetLeft(80);
  balance.SetTop(15);
  boldEverywhere(balance);
  balance.SetMergeCells(platform::kMergeRestrictRows);
  balance.SetMergeRow(0, true);
  balance.SetMergeRow(1, true);
  heading(balance, 0, QStringLiteral("date"));
  heading(balance, 1,
          Text("Balance Sheet ($ Million)", "Balance general (en millones de US$)",
               "Balanço ($ Milhão)"));
  balance.SetTextMatrix(2, 0, Text("Assets", "Activos", "Ativos"));
  balance.SetTextMatrix(2, 3, Text("Debt", "Deuda", "Dívida"));
  balance.SetTextMatrix(3, 3, Text("Equity", "Patrimonio neto", "Valor Líquido"));
  balance.SetRowHeight(1, kHeadingHeight);
  int balanceWidth = 0;
  for (int c = 0; c < 5; ++c) {
    balance.SetColWidth(c, kBalanceWidths[c]);
    balanceWidth += kBalanceWidths[c];
  }
  int balanceHeight = 0;
  for (int r = 0; r < balance.Rows(); ++r) balanceHeight += balance.RowHeight(r);
  balance.SetWidth(balanceWidth);
  balance.SetHeight(balanceHeight);

  platform::GridControl& statement = *flxProfitLoss_;
  statement.SetCols(3);
  statement.SetRows(13);
  statement.SetLeft(80);
  boldEverywhere(statement);
  statement.SetTop(balance.Top() + balance.Height());
  statement.SetWidth(balance.Width());
  statement.SetColWidth(0, statement.Width() - 1600);
  statement.SetColWidth(1, 800);
  statement.SetColWidth(2, 800);
  statement.SetMergeCells(platform::kMergeRestrictRows);
  statement.SetMergeRow(0, true);
  statement.SetMergeRow(10, true);
  heading(
      statement, 0,
      Text("Income Statement ($ Million / Year)",
           "Estado de Resultados (en millones de US$ por año)", "Demonstração de Lucros e Perdas"));
  heading(statement, 10,
          Text("Cash Flow ($ Million / Year)", "Flujo de fondos (en millones de US$ por año)",
               "Fluxo de Caixa ($ Milhão / Ano)"));
  for (int r = 1; r <= 12; ++r) {
    const StatementRow& row = kStatement[r - 1];
    if (row.english != nullptr) {
      statement.SetTextMatrix(r, 0, Text(row.english, row.spanish, row.portuguese));
    }
  }
  statement.SetRowHeight(10, kHeadingHeight);
  if (CurrentLanguage == "Spanish" || CurrentLanguage == "Port") {
    statement.SetRowHeight(12, kHeadingHeight);
  }
  for (int r = 1; r <= 12; ++r) {
    if (r == 10) continue;
    statement.SetRow(r);
    for (int c = 0; c < 3; ++c) {
      statement.SetCol(c);
      statement.SetCellAlignment(c == 0 ? platform::kAlignLeftCentre : platform::kAlignRightCentre);
    }
  }
  int statementHeight = 0;
  for (int r = 0; r < statement.Rows(); ++r) statementHeight += statement.RowHeight(r);
  statement.SetHeight(statementHeight);

  SetWindowSize(balanceWidth + 300, statement.Height() + balance.Height() + 550);
  Update();
}

void frmRptFinancialReport::Form_Activate() {
  if (IsNormalState() && CascadingReports) PositionWindow();
  EnableCopyInNormalState();
}

void frmRptFinancialReport::Form_GotFocus() { EnableCopyMenu(); }

void frmRptFinancialReport::Update() {
  game& model = Model();
  setWindowTitle(Text("Financial report", "Estados contables", "Relatório Financeiro"));
  const QString period = QString::fromStdString(model.PeriodDescription(-1, false));
  for (int c = 0; c < flxBalance_->Cols(); ++c) flxBalance_->SetTextMatrix(0, c, period);

  const int16_t p = model.Period();
  const auto figure = [&](int index) {
    return Single(model.GetVarValue(kReportVarNumbers[index], p, 0));
  };
  const double assets = figure(0);
  const double debt = figure(1);
  flxBalance_->SetTextMatrix(2, 1, FormatValue(assets, kPattern));
  flxBalance_->SetTextMatrix(2, 4, FormatValue(debt, kPattern));
  // Equity is what the sheet shows, not the model's own figure.
  const double equity = Single(static_cast<float>(assets) - static_cast<float>(debt));
  flxBalance_->SetTextMatrix(3, 4, FormatValue(equity, kPattern));

  for (int r = 1; r <= 12; ++r) {
    const StatementRow& row = kStatement[r - 1];
    if (row.figure < 0) continue;
    flxProfitLoss_->SetTextMatrix(r, row.column, FormatValue(figure(row.figure), kPattern));
  }
}

}  // namespace talvair::views
