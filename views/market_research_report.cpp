#include "views/market_research_report.h"

#include "model/game.h"
#include "platform/grid_control.h"
#include "views/text.h"

namespace talvair::views {

namespace {

constexpr int kReportVarNumbers[10] = {0, 204, 256, 207, 301, 337, 328, 21, 329, 330};

struct Label {
  const char* english;
  const char* spanish;
  const char* portuguese;
};

// Column 0 of rows 2, 3, 4, 6, 7 and 8: the label, CR LF, the unit line.
struct LabelRow {
  int row;
  Label label;
};
constexpr LabelRow kLabels[] = {
    {2,
     {"Fares\r\n  ($/seat-mile)", "Tarifas\r\n (en US$ por asiento-milla)",
      "Tarifas\r\n ($/assento-milha)"}},
    {3,
     {"Scope of Service\r\n  (1.00 = Full Service)",
      "Rango de servicios\r\n (1,00 = todos los servicios)",
      "Escopo de Serviço\r\n (1.00 = Serviço Máximo)"}},
    {4,
     {"Reported Quality of Service\r\n  (Year 1 = 1.00)",
      "Informe de calidad del servicio\r\n (Año 1 = 1,00)",
      "Qualidade de Serviço Reportada\r\n (Ano 1 = 1.00)"}},
    {6,
     {"ZK Passenger Growth Rate\r\n  (%/year)",
      "Tasa de crecimiento de pasajeros\r\n  de ZK (% anual)",
      "Taxa de Crescimento no Nº \r\n de Passageiros ZK (%/Ano)"}},
    {7,
     {"Market Share\r\n (Fraction)", "Participación en el mercado\r\n (%)",
      "Participação de Mercado\r\n (Fração)"}},
    {8,
     {"Marketing Expenditures\r\n ($ Million/Year)",
      "Gastos de marketing\r\n (en millones de US$ por año)",
      "Gastos com Marketing\r\n ($ Milhão/Ano)"}},
};

constexpr int kRowHeights[9] = {350, 350, 590, 590, 590, 220, 590, 590, 590};
constexpr int kColWidths[3] = {0, 1000, 1400};
// Patterns of rows 2 to 4 (both columns) and of rows 6 to 8 (merged, led by eight blanks).
constexpr const char* kComparedPatterns[3] = {"$##0.000", "#,##0.00", "#,##0.00"};
constexpr const char* kOwnPatterns[3] = {"##0.0", "##0.000", "#,##0.0"};
const QString kEightBlanks = QStringLiteral("        ");

}  // namespace

frmRptMarketResearch::frmRptMarketResearch(game& model, QWidget* parent)
    : ReportWindow(model, parent), FlxGrid_(new platform::GridControl(this)) {
  setObjectName(QStringLiteral("frmRptMarketResearch"));
  FlxGrid_->setObjectName(QStringLiteral("FlxGrid"));
  FlxGrid_->setFont(ReportGridFont());
  WatchGrid(FlxGrid_);
  RefuseCloseWhileLoading();

  platform::GridControl& grid = *FlxGrid_;
  grid.SetRows(9);
  grid.SetCols(3);
  for (int row : {0, 6, 7, 8}) grid.SetMergeRow(row, true);
  grid.SetTextMatrix(0, 0, QStringLiteral("Qtr"));
  grid.SetTextMatrix(0, 1, QStringLiteral("Qtr"));

  grid.SetTextMatrix(1, 1, QStringLiteral("Talvair"));
  grid.SetTextMatrix(1, 2, Text("Competitors", "Competidores", "Concorrentes"));
  for (const LabelRow& label : kLabels) {
    grid.SetTextMatrix(label.row, 0,
                       Text(label.label.english, label.label.spanish, label.label.portuguese));
  }

  const QString measuring = Text("Reported Quality of Service", "asa de crecimiento de pasajeros ",
                                 "Taxa de Crescimento no Nº ");
  grid.SetColWidth(0, TextWidthTwips(font(), measuring) + 100);
  grid.SetColWidth(1, kColWidths[1]);
  grid.SetColWidth(2, kColWidths[2]);
  grid.SetMergeCells(platform::kMergeRestrictRows);
  int rowHeights = 0;
  for (int r = 0; r < 9; ++r) {
    grid.SetRow(r);
    for (int c = 0; c < 3; ++c) {
      grid.SetCol(c);
      grid.SetCellForeColor(Qt::black);
      grid.SetCellFontBold(true);
      if (c == 0) {
        grid.SetCellAlignment(r == 0 ? platform::kAlignCentreCentre : platform::kAlignLeftCentre);
      } else {
        grid.SetCellAlignment(r >= 6 ? platform::kAlignCentreCentre : platform::kAlignRightCentre);
      }
    }
    grid.SetRowHeight(r, kRowHeights[r]);
    rowHeights += kRowHeights[r];
  }

  const int gridWidth = 200 + grid.ColWidth(0) + grid.ColWidth(1) + grid.ColWidth(2);
  const int gridHeight = 200 + rowHeights;
  grid.Move(15, 15, gridWidth, gridHeight);
  SetWindowSize(gridWidth + 100, gridHeight + 400);

  Update();
  Complete(true);
}

void frmRptMarketResearch::Update() {
  game& model = Model();
  setWindowTitle(Text("Market Research", "Estudio de mercados", "Estudos de mercado"));
  const QString period = QString::fromStdString(model.PeriodDescription(-1, false));
  for (int c = 0; c < FlxGrid_->Cols(); ++c) {
    FlxGrid_->SetTextMatrix(0, c, period);
    FlxGrid_->SetRow(0);
    FlxGrid_->SetCol(c);
    FlxGrid_->SetCellAlignment(platform::kAlignCentreCentre);
  }

  const int16_t p = model.Period();
  const auto value = [&](int k) { return Single(model.GetVarValue(kReportVarNumbers[k], p, 0)); };
  for (int k = 1; k <= 3; ++k) {
    const char* pattern = kComparedPatterns[k - 1];
    FlxGrid_->SetTextMatrix(k + 1, 1, FormatValue(value(k), pattern));
    FlxGrid_->SetTextMatrix(k + 1, 2, FormatValue(value(k + 6), pattern));
  }
  for (int k = 4; k <= 6; ++k) {
    const QString text = kEightBlanks + FormatValue(value(k), kOwnPatterns[k - 4]);
    FlxGrid_->SetTextMatrix(k + 2, 1, text);
    FlxGrid_->SetTextMatrix(k + 2, 2, text);
  }
}

}  // namespace talvair::views
