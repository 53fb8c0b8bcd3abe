// Constant tables behind the variable catalogue and the variable labels.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "model/catalogue.h"
#include "model/var_number.h"

namespace talvair::catalogue::data {

// A label: one fixed text, or one text per language.
struct Text {
  std::string_view english;
  std::string_view spanish;
  std::string_view portuguese;
  bool translated = false;
};

struct NumberIndex {
  int32_t varNumber;
  int16_t varIndex;
};

// The numbers that do not follow VarIndex = VarNumber - 5: the report variables, the three
// stores and 302, which holds no variable.
inline constexpr std::array<NumberIndex, 45> kOddNumbers = {{
    {1, 336},   {2, 337},   {3, 295},   {4, 296},   {5, 297},   {300, 298}, {301, 299}, {302, -1},
    {303, 301}, {304, 302}, {305, 305}, {306, 307}, {307, 308}, {308, 309}, {309, 310}, {310, 312},
    {311, 313}, {312, 314}, {313, 315}, {314, 316}, {315, 317}, {316, 318}, {317, 319}, {318, 320},
    {319, 321}, {320, 311}, {321, 322}, {322, 323}, {323, 324}, {324, 325}, {325, 306}, {326, 326},
    {327, 327}, {328, 303}, {329, 328}, {330, 329}, {331, 330}, {332, 331}, {333, 332}, {334, 333},
    {335, 334}, {336, 335}, {337, 304}, {338, 300}, {339, 338},
}};

inline constexpr std::array<int32_t, 24> kStockNumbers = {varnum::aircraft,
                                                          varnum::ave_comp_fare,
                                                          varnum::ave_rel_workweek,
                                                          varnum::ave_revenues,
                                                          varnum::aveaircraft,
                                                          varnum::avepasscarried,
                                                          varnum::averevenues,
                                                          varnum::book_value_fleet,
                                                          varnum::cum_net_profit,
                                                          varnum::novices,
                                                          varnum::zk_debt,
                                                          varnum::zk_perc_quality,
                                                          varnum::zkcustomersl,
                                                          varnum::percadeqserv,
                                                          varnum::percdindusfare,
                                                          varnum::percscopeofservice,
                                                          varnum::pros,
                                                          varnum::qual_of_novices,
                                                          varnum::qual_of_pros,
                                                          varnum::qual_of_rookies,
                                                          varnum::rookies,
                                                          varnum::scope_of_service,
                                                          varnum::total_shares,
                                                          varnum::traditional_quality};

inline constexpr std::array<int32_t, kReportListSize> kReportList = {
    varnum::rpt_capgrrate,
    varnum::rpt_demgrrate,
    varnum::aircraft,
    varnum::decideaircraftpurchase,
    varnum::rpt_miles_load_factor,
    varnum::rpt_brkeven_miles_load_factor,
    varnum::talvairfare,
    varnum::ave_comp_fare,
    varnum::total_csms1,
    varnum::employeesperplane,
    varnum::decidehiring,
    varnum::rpt_employee_turnover,
    varnum::rpt_marketing,
    varnum::rpt_mkt_share,
    varnum::percadeqserv,
    varnum::rpt_revenues,
    varnum::rpt_net_income,
    varnum::rpt_revenues,
    varnum::rpt_brkevenrev,
    varnum::rpt_zk_rev_pass_miles,
    varnum::rpt_brkevepass,
    varnum::rpt_miles_load_factor,
    varnum::rpt_brkeven_miles_load_factor,
    varnum::aircraft,
    varnum::decideaircraftpurchase,
    varnum::avail_seat_miles1,
    varnum::rpt_zk_rev_pass_miles,
    varnum::rpt_miles_load_factor,
    varnum::rpt_fleet_costs,
    varnum::total_csms1,
    varnum::rookie_fraction,
    varnum::decidehiring,
    varnum::rpt_employee_turnover,
    varnum::rpt_net_change_csms,
    varnum::rpt_fractional_turnover,
    varnum::average_workweek,
    varnum::rpt_rev_miles_per_csm,
    varnum::percadeqserv,
    varnum::rpt_mkt_value_per_csm,
    varnum::rpt_assets,
    varnum::rpt_debt,
    varnum::rpt_equity,
    varnum::rpt_revenues,
    varnum::rpt_fleet_costs,
    varnum::rpt_service_costs,
    varnum::rpt_marketing,
    varnum::rpt_interest,
    varnum::rpt_operating_costs,
    varnum::rpt_depreciation,
    varnum::rpt_net_income,
    varnum::rpt_net_aircraft_cost,
    varnum::rpt_cash_flow,
    varnum::talvairfare,
    varnum::ave_comp_fare,
    varnum::scope_of_service,
    varnum::percadeqserv,
    varnum::rpt_demgrrate,
    varnum::rpt_mkt_share,
    varnum::rpt_marketing,
    varnum::ave_comp_fare,
    varnum::rpt_comp_scope_of_serv,
    varnum::rpt_ave_comp_quality,
    varnum::stock_price,
    varnum::rpt_earnings_per_share,
    varnum::outstanding_shares,
    varnum::rpt_market_value,
    varnum::rpt_cum_net_income,
    varnum::rpt_cum_mkt_value,
    varnum::decideaircraftpurchase,
    varnum::talvairfare,
    varnum::decidemarketingfraction,
    varnum::decidehiring,
    varnum::target_serv_scope};

inline constexpr int kLastNamedIndex = 297;
// Internal names of VarIndex 0..297 (0 holds no variable).
extern const std::array<std::string_view, kLastNamedIndex + 1> kInternalNames;

inline constexpr int kLastEquationIndex = 294;
// The name both label lookups give for VarIndex 1..294; empty where kNameExceptions has a row.
extern const std::array<std::string_view, kLastEquationIndex + 1> kSharedNames;

// Display labels by VarNumber, ahead of every name.
struct Label {
  int32_t varNumber;
  int16_t varIndex;
  Text text;
};
extern const std::array<Label, 57> kLabels;

// VarIndex 1..294 whose legend and display label differ from a shared name.
struct NameException {
  int16_t varIndex;
  Text internalName;
  Text varName;
};
extern const std::array<NameException, 34> kNameExceptions;

// Legends of the stores and report variables, VarIndex 295..338.
inline constexpr int kFirstLegendIndex = 295;
extern const std::array<Text, kVarCount - kFirstLegendIndex> kLegends;

}  // namespace talvair::catalogue::data
