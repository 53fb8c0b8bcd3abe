#include "views/table_catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "model/game.h"
#include "numtext/number_text.h"
#include "views/text.h"

namespace talvair::views {

namespace {

constexpr int32_t kSummary[] = {300, 301, 9,   68,  1,   2,   204, 21, 286,
                                109, 69,  304, 328, 337, 207, 305, 325};
constexpr int32_t kBreakeven[] = {305, 306, 307, 308, 1, 2};
constexpr int32_t kCapacity[] = {9, 68, 19, 307, 1, 320};
constexpr int32_t kEmployees[] = {286, 253, 69, 304, 312, 313, 314, 315, 207, 316};
constexpr int32_t kFinancial[] = {317, 318, 319, 305, 320, 321, 328, 322, 323, 324, 325, 326, 327};
constexpr int32_t kMarketResearch[] = {204, 21, 256, 207, 301, 337, 328, 329, 330};
constexpr int32_t kStockPrice[] = {331, 332, 188, 334, 335, 336};
// The groups of tables 1 to 7 side by side. Where two variables carry the same label the
// other one stands here (32 for 314, 269 for 331), and the fare of the rivals comes twice in
// the market group.
constexpr int32_t kAllPublic[] = {
    300, 301, 9,   68,  1,   2,   204, 21,  286, 109, 69,  304, 328, 337, 207, 305, 325, 0,   305,
    306, 307, 308, 1,   2,   0,   9,   68,  19,  307, 1,   320, 0,   286, 253, 69,  304, 312, 313,
    32,  315, 207, 316, 0,   317, 318, 319, 305, 320, 321, 328, 322, 323, 324, 325, 326, 327, 0,
    204, 21,  256, 207, 301, 337, 328, 21,  329, 330, 269, 332, 188, 334, 335, 336};
constexpr int32_t kDecisions[] = {68, 204, 70, 69, 275};
constexpr int32_t kStocks[] = {9,   21,  28,  29,  30,  31,  33,  35,  65,  186, 194, 196, 202,
                               207, 208, 209, 225, 227, 228, 229, 255, 256, 288, 290, 6,   7,
                               8,   9,   10,  11,  12,  13,  14,  15,  16,  17,  18,  19,  20};

constexpr int kVariables = 339;
// Every variable in order, except that 302 and 338 trade places.
constexpr std::array<int32_t, kVariables> AllVars() {
  std::array<int32_t, kVariables> columns{};
  for (int i = 0; i < kVariables; ++i) columns[static_cast<std::size_t>(i)] = i + 1;
  std::swap(columns[302 - 1], columns[338 - 1]);
  return columns;
}
constexpr std::array<int32_t, kVariables> kAllVars = AllVars();

const TableEntry kTables[] = {
    {1, "Summary data", "Resumen de datos", "Resumo de dados", kSummary},
    {2, "Breakeven analysis", "Análisis del punto de equilibrio", "Análise de breakeven",
     kBreakeven},
    {3, "Capacity and load", "Capacidad y ocupación", "Capacidade e carga", kCapacity},
    {4, "Employees", "Personal", "Funcionários", kEmployees},
    {5, "Financial report data", "Datos de estados contables", "Dados do relatório financeiro",
     kFinancial},
    {6, "Market Research data", "Datos de investigacón de mercado", "Dados da pesquisa de mercado",
     kMarketResearch},
    {7, "Stock Price and Earnings", "Precio de la acción y ganancias", "Valor das Ações e Lucros",
     kStockPrice},
    {8, "All public variables - in report order",
     "Todas las variables públicas de acuerdo con el orden de los informes",
     "Todas as variáveis públicas", kAllPublic},
    {9, "Users decisions", "Decisiones del usuario", "Decisões do usuário", kDecisions},
    {10, "Stocks", "Stocks", "Stocks", kStocks},
    {11, "All Vars", "All Vars", "All Vars", kAllVars},
};

// Display patterns by group of variables.
bool In(std::initializer_list<int32_t> group, int32_t varNumber) {
  return std::find(group.begin(), group.end(), varNumber) != group.end();
}

const char* PatternOf(int32_t varNumber) {
  if (In({19, 32, 300, 301, 305, 306, 307, 308, 334, 335, 336}, varNumber) ||
      (varNumber >= 316 && varNumber <= 328)) {
    return "#,##0.0000";
  }
  if (In({21, 204, 337}, varNumber)) return "#,##0.000";
  if (In({9, 68, 69, 286, 304, 312, 315}, varNumber)) return "#,##0";
  return "#,##0.00";
}

constexpr int32_t kEmployeesPerPlane = 109;
constexpr int32_t kEmployeesVar = 286;
constexpr int32_t kAircraftVar = 9;

// To the nearest whole number, a half to the even neighbour.
double Whole(double value) { return std::nearbyint(value); }

std::string ValueText(game& model, int32_t varNumber, int16_t period) {
  if (varNumber == kBlankColumn) return {};
  if (varNumber == kEmployeesPerPlane) {
    // From whole employees and whole planes, so the figure matches the two columns beside it.
    const double employees = Whole(model.GetDisplayValue(kEmployeesVar, period, 0));
    const double aircraft = Whole(model.GetDisplayValue(kAircraftVar, period, 0));
    if (!(aircraft > 0)) return "n/a";
    return numtext::FormatNumber(Whole(employees / aircraft), "#,##0");
  }
  return numtext::FormatNumber(model.GetDisplayValue(varNumber, period, 0), PatternOf(varNumber));
}

}  // namespace

const TableEntry* FindTable(int number) {
  for (const TableEntry& entry : kTables) {
    if (entry.number == number) return &entry;
  }
  return nullptr;
}

QString TableCaption(const TableEntry& entry) {
  return Text(entry.english, entry.spanish, entry.portuguese);
}

QString TableCellText(game& model, int32_t varNumber, int16_t period) {
  // The blanks joined before the conversion, so the text is made once.
  std::string text = ValueText(model, varNumber, period);
  text.append("  ");
  return QString::fromStdString(text);
}

int TableContentWidth(int screenWidth, int columns) {
  // Up to a screenful of columns the window shows them all; beyond that it takes most of the
  // screen and scrolls.
  int fitting = 14;
  int margin = 750;
  if (screenWidth < 15000) {
    fitting = 8;
    margin = 500;
  } else if (screenWidth <= 19000) {
    fitting = 9;
    margin = 500;
  }
  if (columns <= fitting) return columns * 1180 + 1750;
  return screenWidth - margin;
}

}  // namespace talvair::views
