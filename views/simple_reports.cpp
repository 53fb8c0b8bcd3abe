#include "views/simple_reports.h"

#include <QString>
#include <optional>

#include "model/game.h"
#include "platform/colour_dialog.h"
#include "platform/grid_control.h"
#include "views/text.h"

namespace talvair::views {

namespace {

// Labels and values, by grid row from 1; a label of several lines has them joined by CR LF.
const SimpleReportLayout kBreakeven{
    {"Breakeven Analysis", "Análisis de equilibrio", "Análise de Breakeven"},
    false,
    0,
    440,
    {"(    Passenger Miles/Year    )", "(    Passenger Miles/Year    )",
     "(    Passenger Miles/Year    )"},
    0,
    true,
    {
        {"Revenues", "Ingresos", "Receita", 305, "$#,##0.0", 440},
        {"Breakeven Revenues\r\n  ($ Million/Year)",
         "Ingreso de equilibrio\r\n (en millones de US$ por año)",
         "Receita - Breakeven\r\n ($ Milhões/Ano)", 306, "$#,##0.0", 440},
        {"Passengers Carried", "Pasajeros transportados", "Passageiros Transportados", 307,
         "#,##0.0", 590},
        {"Breakeven Passengers\r\n (Million Revenue Passenger Miles/Year)",
         "Número de pasajeros de equilibrio\r\n (en millones de pasajeros pagos-milla)",
         "Passageiros - Breakeven\r\n (Milhões Passageiros x Tarifa x Milhas / Ano)", 308,
         "#,##0.0", 590},  // 4
        {"Load Factor", "Coeficiente de ocupación", "Fator de Carga", 1, "#,##0.00", 590},
        {"Breakeven Load Factor\r\n (Fraction of Capacity)",
         "Coeficiente de ocupación de equilibrio\r\n (% de la capacidad)",
         "Fator de Carga - Breakeven\r\n (Fração da Capacidade)", 2, "#,##0.00", 590},
    },
    true};

const SimpleReportLayout kCapacity{
    {"Capacity and Load", "Capacidad y ocupación", "Capacidade e Carga"},
    true,
    300,
    440,
    {"(   (Million Seat-Miles/Year)   ", "(   (Million Seat-Miles/Year)plus a bit   ",
     "(   (Million Seat-Miles/Year)plus a bit   "},
    0,
    true,
    {
        {"Aircraft", "Aeronave", "Aeronaves", 9, "##0", 440},
        {"Aircraft Acquisitions\r\n  (Aircraft/Quarter)",
         "Adquisiciones de aeronaves\r\n (aeronaves por trimestre)",
         "Aquisição de Aeronaves\r\n (Aeronaves/Trim)", 68, "##0", 440},
        {"Available Seat Miles\r\n (Million Seat-Miles/Year)",
         "Asientos- milla disponibles\r\n (en millones de asientos-milla por año)",
         "Assentos-Milhas Disponíveis", 19, "#,##0", 590},
        {"Revenue Passenger Miles\r\n (Million Seat-Miles/Year)",
         "Pasajeros pagos-milla\r\n (en millones de asientos-milla por año)",
         "Receita Passageiros-Milhas\r\n (Milhões Assentos-Milhas/Ano)", 307, "#,##0", 590},
        {"Load Factor\r\n  (Average Fraction of Capacity Utilized)",
         "Coeficiente de ocupación\r\n (% promedio de la capacidad utilizada)",
         "Fator de Carga\r\n (Fração Média de Assentos-Milhas Utilizados)", 1, "##0.00", 620},
        {"Cost of Fleet Operations\r\n ($ Million/Year)",
         "Costo de las operaciones de la flota\r\n (en US$ millones por año)",
         "Custo das Operações com Frota\r\n ($ Milhões/Ano)", 320, "$##0.0", 590},
    }};

// Row 3 is a sub-heading; the rows under it are indented in their texts.
const SimpleReportLayout kEmployees{
    {"Employees", "Personal", "Funcionários"},
    true,
    0,
    350,
    {"(Average market Value of Employee  )", " de los empleados (en miles de US$ por empleado)",
     " de los empleados (en miles de US$ por empleado)"},
    100,
    false,
    {
        {"Total Employees", "Número total de empleados", "Total de Funcionários", 286, "#,##0",
         350},
        {"Rookie Fraction", "% de \"novatos\"", "Percentual de Novatos", 253, "#,##0.00", 350},
        {"Labour Flows (People/quarter)", "Flujo de empleados (empleados por trimestre)",
         "Fluxos de Funcionários (Pessoas/trim)", 0, nullptr, 220},  // 3
        {"    Hiring", "    Contrataciones", "    Contratações", 69, "#,##0", 220},
        {"    Employee Turnover", "    Rotación de empleados", "    Saída de Funcionários", 304,
         "#,##0", 220},
        {"    Net Change in Employees", "    Cambio neto en el número de empleados",
         "    Variação Líquida Funcionários", 312, "#,##0", 220},
        {"Fractional Turnover\r\n    (Fraction/quarter)",
         "Rotación fraccional\r\n    (% por trimestre)", "Turnover\r\n    (Fração/trim)", 313,
         "#,##0.00", 590},
        {"Average Workweek (Hours/week)", "Semana laboral promedio (en horas por semana)",
         "Jornada Média de Trabalho (Horas/semana)", 314, "#,##0.0", 350},
        {"Productivity\r\n    (Thousand Rev Passenger \r\n      Miles/Year/Employee)",
         "Productividad\r\n    (en miles de ingresos por pasajero-milla anuales, \r\n     por "
         "empleado)",
         "Produtividade\r\n    ($ Mil-Passageiros-Milhas/Ano/Funcionário)", 315, "#,##0", 620},
        {"Reported Service Quality \r\n    (Index: Year 1 = 1.00)",
         "Percepción de la calidad del servicio\r\n    (Índice: Año 1 = 1,00)",
         "Qualidade de Serviço Reportada\r\n    (Índice: Ano 1 = 1.00)", 207, "#,##0.00", 590},
        {"Average market Value of Employee\r\n Shares ($ Thousand/Employee)",
         "Valor de mercado promedio de las acciones\r\n de los empleados (en miles de US$ por "
         "empleado)",
         "Valor Médio de Mercado das Ações\r\n dos Funcionários ($ Mil/Funcionário)", 316,
         "#,##0.0", 590},
    },
    false,
    true};

const SimpleReportLayout kStock{
    {"Stock Price and Earnings", "Precio de la acción y ganancias",
     "Ações e Distribuição de Lucros"},
    true,
    900,
    360,
    {"    Cumulative Net Income         ", "    (en US$ por trimestre por acción)    ",
     "     Valor de Mercado ($ Milhão)    "},
    0,
    true,
    {
        {"Share Price\r\n ($/share)", "Precio de la acción \r\n(en US$ por acción)",
         "Preço das Ações\r\n ($/ação)", 331, "##,##0.00", 550},
        {"Earnings per Share\r\n  ($/quarter/share)",
         "Ganancias por acción\r\n (en US$ por trimestre por acción)",
         "Lucro por Ação\r\n ($/trim/ação)", 332, "##,##0.00", 550},
        {"Shares Outstanding\r\n  (Million)", "Acciones en circulación\r\n (en millones)",
         "Nº de Ações no Mercado\r\n (Milhão)", 188, "##,##0.00", 550},
        {"Market Value of Firm\r\n ($ Million)",
         "Valor de mercado de la empresa\r\n (en millones de US$)",
         "Valor de Mercado da Empresa\r\n ($ Milhão)", 334, "##,##0.0", 550},
        {"Cumulative Net Income\r\n  ($ Million)", "Ganancias acumuladas\r\n (en millones de US$)",
         "Lucro Líquido Acumulado\r\n ($ Milhão)", 335, "##,##0.0", 550},
        {"Cumulative Net Income\r\n + Market Value ($ Million)",
         "Ganancias acumuladas + valor\r\n de mercado (en millones de US$)",
         "Lucro Líquido Acumulado +\r\n Valor de Mercado ($ Milhão)", 336, "##,##0.0", 600},
    }};

constexpr int kValueColumnWidth = 1000;
constexpr int kGridLeft = 80;
// Room under the rows, and the window's frame around the grid.
constexpr int kGridSlack = 400;
constexpr int kWindowExtraWidth = 300;
constexpr int kWindowExtraHeight = 200;

constexpr int kReportedServiceQuality = 207;

QString Title(const char* const (&texts)[3]) { return Text(texts[0], texts[1], texts[2]); }

}  // namespace

SimpleReport::SimpleReport(game& model, const SimpleReportLayout& layout, QWidget* parent)
    : ReportWindow(model, parent), layout_(layout), FlxGrid_(new platform::GridControl(this)) {
  FlxGrid_->setObjectName(QStringLiteral("FlxGrid"));
  FlxGrid_->setFont(ReportGridFont());
  WatchGrid(FlxGrid_);

  if (!layout.titleInUpdate) setWindowTitle(Title(layout.titles));

  const int rows = static_cast<int>(layout.rows.size()) + 1;
  for (int r = 1; r < rows; ++r) {
    const ReportRow& row = layout.rows[static_cast<std::size_t>(r - 1)];
    if (row.var == 0) continue;
    reportVarNumbers_.push_back(row.var);
    valueRows_.push_back(r);
  }

  platform::GridControl& grid = *FlxGrid_;
  grid.SetRows(rows);
  grid.SetCols(2);
  grid.SetMergeCells(platform::kMergeRestrictRows);
  grid.SetMergeRow(0, true);
  grid.SetTextMatrix(0, 0, QStringLiteral("1980"));
  grid.SetTextMatrix(0, 1, QStringLiteral("1980"));
  for (int r = 1; r < rows; ++r) {
    const ReportRow& row = layout.rows[static_cast<std::size_t>(r - 1)];
    grid.SetTextMatrix(r, 0, Text(row.english, row.spanish, row.portuguese));
  }

  const QString measuring = Text(layout.measuring[0], layout.measuring[1], layout.measuring[2]);
  grid.SetColWidth(0, TextWidthTwips(font(), measuring) + layout.labelColumnExtra);
  if (layout.valueColumnSet) grid.SetColWidth(1, kValueColumnWidth);

  int rowHeights = 0;
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 2; ++c) {
      grid.SetRow(r);
      grid.SetCol(c);
      grid.SetCellForeColor(Qt::black);
      grid.SetCellAlignment(c == 1   ? platform::kAlignRightCentre
                            : r == 0 ? platform::kAlignCentreCentre
                                     : platform::kAlignLeftCentre);
      grid.SetCellFontBold(true);
    }
    const int height =
        r == 0 ? layout.headerHeight : layout.rows[static_cast<std::size_t>(r - 1)].height;
    grid.SetRowHeight(r, height);
    rowHeights += height;
  }

  const int gridWidth = grid.ColWidth(0) + grid.ColWidth(1);
  const int gridHeight = kGridSlack + rowHeights;
  grid.Move(kGridLeft, 0, gridWidth, gridHeight);
  SetWindowSize(gridWidth + kWindowExtraWidth, gridHeight + kWindowExtraHeight);

  Update();
  Complete(true);
}

double SimpleReport::ValueOf(int var) const {
  if (layout_.firstQuarterQualityIsOne && var == kReportedServiceQuality && Model().TValue() == 0) {
    return 1.0;
  }
  return Single(Model().GetVarValue(var, Model().Period(), 0));
}

void SimpleReport::Update() {
  if (layout_.titleInUpdate) setWindowTitle(Title(layout_.titles));
  const QString period = QString::fromStdString(Model().PeriodDescription(-1, false));
  for (int c = 0; c < FlxGrid_->Cols(); ++c) FlxGrid_->SetTextMatrix(0, c, period);
  if (layout_.rowOneCurrent) FlxGrid_->SetRow(1);
  for (std::size_t k = 0; k < reportVarNumbers_.size(); ++k) {
    const int row = valueRows_[k];
    const char* pattern = layout_.rows[static_cast<std::size_t>(row - 1)].pattern;
    FlxGrid_->SetTextMatrix(row, 1, FormatValue(ValueOf(reportVarNumbers_[k]), pattern));
  }
}

frmRptBreakeven::frmRptBreakeven(game& model, QWidget* parent)
    : SimpleReport(model, kBreakeven, parent) {
  setObjectName(QStringLiteral("frmRptBreakeven"));
  RefuseCloseWhileLoading();
}

frmRptCapacity::frmRptCapacity(game& model, QWidget* parent)
    : SimpleReport(model, kCapacity, parent) {
  setObjectName(QStringLiteral("frmRptCapacity"));
}

void frmRptCapacity::Form_Activate() {
  if (IsNormalState() && CascadingReports) {
    PositionWindow();
    FlxGrid()->SetLeft(0);
    FlxGrid()->SetTop(0);
  }
}

void frmRptCapacity::Form_MouseDown(int button, int /*shift*/, int /*x*/, int /*y*/) {
  if (button != platform::kButtonRight) return;
  if (const std::optional<QColor> colour = platform::ChooseColour(BackColor(), this)) {
    SetBackColor(*colour);
  }
  setFocus(Qt::MouseFocusReason);
}

frmRptEmployees::frmRptEmployees(game& model, QWidget* parent)
    : SimpleReport(model, kEmployees, parent) {
  setObjectName(QStringLiteral("frmRptEmployees"));
  RefuseCloseWhileLoading();
}

frmRptStock::frmRptStock(game& model, QWidget* parent) : SimpleReport(model, kStock, parent) {
  setObjectName(QStringLiteral("frmRptStock"));
}

}  // namespace talvair::views
