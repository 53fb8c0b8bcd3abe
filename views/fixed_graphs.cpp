#include "views/fixed_graphs.h"

#include <algorithm>
#include <array>

namespace talvair::views {

namespace {

// The legends are not kept here: each series takes the short legend of its variable.
constexpr std::array<FixedGraphDefinition, 24> kDefinitions = {{
    {1, {"Aircraft Purchases", "Compra de aeronaves", "Compras de Aeronaves"}, {68}},
    {2, {"Talvair fare", "Tarifa de Talvair", "Tarifa Talvair"}, {204}},
    {3, {"Marketing Fraction", "% de marketing", "Percentual Marketing"}, {70}},
    {4, {"Hiring", "Contrataciones", "Contratações"}, {69}},
    {5, {"Target Serv Scope", "Rango de servicios objetivo", "Escopo de Serviço - Meta"}, {275}},
    {101, {"Balance Sheet", "Balance general", "Balanço"}, {317, 318, 319}},
    {102,
     {"Breakeven Loadfactor", "Factor de carga de equilibrio", "Fator de Carga (breakeven)"},
     {1, 2}},
    {103,
     {"Breakeven Passengers", "Número de pasajeros de equilibrio", "Passageiros (breakeven)"},
     {307, 308}},
    {104, {"Breakeven Revenue", "Ingresos de equilibrio", "Receita (breakeven)"}, {305, 306}},
    {105, {"Cash Flow", "Flujo de fondos", "Fluxo de Caixa"}, {327}},
    {106, {"Competitors - Fares", "Competidores - Tarifa", "Concorrentes - Tarifa"}, {21, 204}},
    {107, {"Cost Fractions", "% de costo", "Percentuais de Custo"}, {121, 124, 123, 122}},
    {108,
     {"Customer Service", "Percepción de la calidad del servicio",
      "Qualidade de Serviço Reportada"},
     {207}},
    {109, {"Cumulative profits", "Ganancias acumuladas", "Lucro Acumulado"}, {336, 335}},
    {110,
     {"Costs $ m/year", "Costos en millones de US$ por año", "Custos $ m/ano"},
     {320, 321, 328, 322}},
    {113, {"Flight Operations", "Operaciones de la flota", "Operações Frota"}, {307, 19}},
    {114, {"Growth Rates", "Tasas de crecimiento", "Taxas de Crescimento"}, {301, 300, 339}},
    {115,
     {"Hire/Fire Rates", "Tasas de contrataciones/despidos", "Taxas de Contratação/Demissão"},
     {182, 304}},
    {117,
     {"Income Statement", "Estado de resultados", "Demonstração de Lucros e Perdas"},
     {305, 323, 324, 325}},
    {118, {"Load Factor", "Coeficiente de ocupación", "Fator de Carga"}, {1}},
    {120,
     {"Productivity - Revenue Miles per Employee", "Productividad: millas pagas por empleado",
      "Produtividade - Receita Milhas por Funcionário"},
     {315}},
    {121, {"Rookie Fraction", "% de 'novatos'", "Fração de Novatos"}, {253}},
    {122, {"Stock Price", "Precio de la acción", "Valor da Ação"}, {269}},
    {123, {"Average Workweek", "Semana laboral promedio", "Semana de trabalho média"}, {32}},
}};

}  // namespace

int FixedGraphDefinition::SeriesCount() const {
  return static_cast<int>(std::count_if(std::begin(series), std::end(series),
                                        [](int32_t varNumber) { return varNumber != 0; }));
}

std::span<const FixedGraphDefinition> FixedGraphDefinitions() { return kDefinitions; }

const FixedGraphDefinition* FindFixedGraph(int fixedNumber) {
  const auto it = std::find_if(kDefinitions.begin(), kDefinitions.end(),
                               [&](const auto& d) { return d.fixedNumber == fixedNumber; });
  return it == kDefinitions.end() ? nullptr : &*it;
}

}  // namespace talvair::views
