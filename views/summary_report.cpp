#include "views/summary_report.h"

#include <QLabel>
#include <cmath>
#include <optional>
#include <string>

#include "model/game.h"
#include "model/language.h"
#include "numtext/number_text.h"
#include "platform/grid_control.h"
#include "platform/screen.h"
#include "platform/twips.h"
#include "views/text.h"

namespace talvair::views {

namespace {

struct SummaryFigure {
  int var;
  int grid;
  int row;
  const char* english;
  const char* spanish;
  const char* portuguese;
  int height;
  const char* pattern;
};

// In display order; index 9 shows employees per plane rather than its variable.
constexpr SummaryFigure kFigures[] = {
    {300, 1, 0, "Capacity growth rate (%/year)", "Tasa de crecimiento de la capacidad (% anual)",
     "Taxa de Crescimento da Capacidade (%/ano)", 550, "#,##0.0"},
    {301, 1, 1, "Demand growth rate (%/year)", "Tasa de crecimiento de la demanda (% anual)",
     "Taxa de Crescimento da Demanda (%/ano)", 550, "#,##0.0"},
    {9, 2, 0, "Aircraft", "Aeronave", "Aeronaves", 480, "#,##0"},
    {68, 2, 1, "Aircraft acquisition", "Adquisición de aeronaves", "Aquisição de Aeronaves", 500,
     "#,##0"},
    {1, 2, 2, "Load Factor", "Coeficiente de ocupación", "Fator de Carga", 500, "#,##0.00"},
    {2, 2, 3, "Breakeven Load Factor", "Coeficiente de ocupación de equilibrio",
     "Fator de Carga - Breakeven", 500, "#,##0.00"},
    {204, 3, 0, "Fare ($/seat-mile)", "Tarifas (en US$ por asiento-milla)",
     "Tarifa ($/assento-milha)", 500, "#,##0.000"},
    {21, 3, 1, "Competitor Fare", "Tarifas de la competencia", "Tarifa Concorrentes", 500,
     "#,##0.000"},
    {286, 4, 0, "Employees", "Personal", "Funcionários", 350, "#,##0"},
    {109, 4, 1, "Emp./plane", "Empleados por avión", "Func./Aeronave", 350, "#,##0"},
    {69, 4, 2, "Hiring", "Contrataciones", "Contratações", 350, "#,##0"},
    {304, 4, 3, "Turnover", "Rotación", "Saídas", 450, "#,##0"},
    {328, 5, 0, "Marketing ($ Million/year)", "Marketing (en millones de US$ por año)",
     "Marketing ($ Milhões/ano)", 500, "#,##0.0"},
    {337, 5, 1, "Market Share", "Participación de mercado", "Participação de Mercado", 500,
     "#,##0.000"},
    {207, 5, 2, "Reported Service Quality", "Percepción de la calidad del servicio",
     "Qualidade de Serviço Reportada", 600, "#,##0.00"},
    {305, 6, 0, "Revenues ($ Million/year)", "Ingresos ( en millones de US$ por año)",
     "Receita ($ Milhão/ano)", 500, "#,##0.0"},
    {325, 6, 1, "Net income", "Ganancias", "Lucro Líquido", 500, "#,##0.0"},
};

constexpr int kRowsOfGrid[7] = {0, 2, 4, 2, 4, 3, 2};
constexpr int kAircraftIndex = 2;
constexpr int kEmployeesIndex = 8;
constexpr int kPerPlaneIndex = 9;
constexpr int kLiquidationSwitch = 162;
constexpr int kValueColumnWidth = 900;
constexpr int kGap = 60;
constexpr int kGridLeft = 80;
constexpr int kGridTop = 300;

// The locale's signs that wrote a figure read it back.
std::optional<double> ReadBack(const QString& text) {
  return numtext::ParseNumber(text.toStdString(), numtext::CurrentNumberLocale());
}

}  // namespace

const QString frmRptSummary::kNotAvailable = QStringLiteral("          n/a");

frmRptSummary::frmRptSummary(game& model, QWidget* parent)
    : ReportWindow(model, parent), lblDate_(new QLabel(this)) {
  setObjectName(QStringLiteral("frmRptSummary"));
  setFont(ReportGridFont());
  lblDate_->setObjectName(QStringLiteral("lblDate"));
  lblDate_->setAlignment(Qt::AlignCenter);
  lblDate_->setGeometry(platform::PixelRect(1200, 45, 3045, 300));

  for (int g = 1; g <= 6; ++g) {
    auto* grid = new platform::GridControl(this);
    grid->setObjectName(QStringLiteral("FlxGrid_%1").arg(g));
    grid->setFont(ReportGridFont());
    grid->SetCols(2);
    grid->SetRows(kRowsOfGrid[g]);
    for (int r = 0; r < kRowsOfGrid[g]; ++r) {
      for (int c = 0; c < 2; ++c) {
        grid->SetRow(r);
        grid->SetCol(c);
        grid->SetCellForeColor(Qt::black);
        grid->SetCellFontBold(true);
      }
    }
    grids_[static_cast<std::size_t>(g)] = grid;
    WatchGrid(grid);
  }

  for (const SummaryFigure& figure : kFigures) {
    platform::GridControl* grid = FlxGrid(figure.grid);
    grid->SetTextMatrix(figure.row, 0, Text(figure.english, figure.spanish, figure.portuguese));
    grid->SetRowHeight(figure.row, figure.height);
  }

  const bool english = CurrentLanguage != "Spanish" && CurrentLanguage != "Port";
  const int labelWidth =
      TextWidthTwips(font(), english ? QStringLiteral("Capacity growth rate")
                                     : QStringLiteral("Capacity growth rate and"));
  for (int g = 1; g <= 6; ++g) {
    platform::GridControl* grid = FlxGrid(g);
    grid->SetColWidth(0, labelWidth);
    // The value column still has the grid's first width here; it narrows below.
    grid->SetWidth(grid->ColWidth(0) + grid->ColWidth(1));
    int height = 0;
    for (int r = 0; r < grid->Rows(); ++r) height += grid->RowHeight(r);
    grid->SetHeight(height);
  }

  FlxGrid(1)->SetLeft(kGridLeft);
  FlxGrid(1)->SetTop(kGridTop);
  for (int g : {2, 3}) {
    FlxGrid(g)->SetLeft(kGridLeft);
    FlxGrid(g)->SetTop(FlxGrid(g - 1)->Top() + FlxGrid(g - 1)->Height() + kGap);
  }
  FlxGrid(4)->SetTop(kGridTop);
  FlxGrid(4)->SetLeft(FlxGrid(1)->Left() + FlxGrid(1)->Width() + kGap);
  for (int g : {5, 6}) {
    FlxGrid(g)->SetLeft(FlxGrid(4)->Left());
    FlxGrid(g)->SetTop(FlxGrid(g - 1)->Top() + FlxGrid(g - 1)->Height() + kGap);
  }

  for (int g = 1; g <= 6; ++g) {
    platform::GridControl* grid = FlxGrid(g);
    grid->SetColWidth(1, kValueColumnWidth);
    for (int r = 0; r < grid->Rows(); ++r) {
      grid->SetRow(r);
      grid->SetCol(0);
      grid->SetCellAlignment(platform::kAlignLeftCentre);
    }
    grid->SetRow(0);
    grid->SetCol(1);
    grid->SetCellAlignment(platform::kAlignRightCentre);
  }

  // The right-hand column does not enter the height.
  SetWindowSize(FlxGrid(1)->Width() + FlxGrid(4)->Width() + 300,
                FlxGrid(1)->Height() + FlxGrid(2)->Height() + FlxGrid(3)->Height() + 1000);
  Update();
}

platform::GridControl* frmRptSummary::FlxGrid(int index) const {
  if (index < 1 || index > 6) return nullptr;
  return grids_[static_cast<std::size_t>(index)];
}

std::vector<platform::GridControl*> frmRptSummary::Grids() const {
  return {grids_.begin() + 1, grids_.end()};
}

void frmRptSummary::PositionWindow() { Move(platform::ScreenWidth() - Width() - 150, 0); }

void frmRptSummary::Form_Activate() {
  if (IsNormalState() && CascadingReports) PositionWindow();
  EnableCopyInNormalState();
}

void frmRptSummary::Form_MouseDown(int /*button*/, int /*shift*/, int /*x*/, int /*y*/) {
  setFocus(Qt::MouseFocusReason);
}

void frmRptSummary::Update() {
  game& model = Model();
  const int t = model.TValue();
  // The flag of the previous quarter: the row the model tests when it liquidates. Compared
  // as a number, so a fault in the model (not a number) reads as not liquidated.
  bool liquidated = false;
  if (t > 1) {
    liquidated =
        std::nearbyint(model.GetVarValue(kLiquidationSwitch, static_cast<int16_t>(t - 1), 0)) == 1;
  }

  const QString period = QString::fromStdString(model.PeriodDescription(-1, false));
  setWindowTitle(Text("Summary report", "Informe resumido", "Relatório sumário") +
                 QStringLiteral(" - ") + period);
  lblDate_->setText(period);

  double aircraft = 0;
  QString employees;
  for (int i = 0; i < static_cast<int>(std::size(kFigures)); ++i) {
    const SummaryFigure& figure = kFigures[i];
    const double value = model.GetVarValue(figure.var, static_cast<int16_t>(t), 0);
    // Rounded to the pattern, carried in single precision, and shown again.
    const QString first = FormatValue(value, figure.pattern);
    const double shown = Single(ReadBack(first).value_or(value));
    QString text = FormatValue(shown, figure.pattern);
    if (i == kAircraftIndex) aircraft = shown;
    if (i == kEmployeesIndex) employees = text;
    if (i == kPerPlaneIndex) {
      if (liquidated || aircraft == 0) {
        text = kNotAvailable;
      } else {
        text = FormatValue(ReadBack(employees).value_or(0.0) / aircraft, "#,##0");
      }
    }
    FlxGrid(figure.grid)->SetTextMatrix(figure.row, 1, text);
  }
}

}  // namespace talvair::views
