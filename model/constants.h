// The model's constants: the quarter length, and the values that the base values write into
// every row (and the initialising pass writes again), the default decisions among them.
#pragma once

#include "model/var_index.h"

namespace talvair {

// One row of the tables is a quarter; every flow is a rate per year.
inline constexpr double kQuarterLength = 0.25;  // years
inline constexpr double kQuartersPerYear = 4;

struct ModelConstant {
  var::Index var;
  double value;
};

inline constexpr ModelConstant kModelConstants[] = {
    {var::unit_cost_planes, 10000000},
    {var::talvairfare, 0.09},  // default decision
    {var::aircraft, 3},
    {var::target_serv_scope, 0.6},  // default decision
    {var::pros, 120},
    {var::rookies, 20},
    {var::zk_perc_quality, 1},
    {var::novices, 25},
    {var::debt_finance_frac, 0.75},
    {var::percadeqserv, 1},
    {var::adoption_fraction, 0.22},
    {var::aircraft_purch_time, 1},
    {var::annual_csm_cost, 42000},
    {var::ave_comp_quality, 0.7},
    {var::total_shares, 4000000},
    {var::percdindusfare, 0.16},
    {var::contactsperyr, 300},
    {var::cum_net_profit, 0},
    {var::ave_rel_workweek, 1},
    {var::ave_comp_fare, 0.16},
    {var::netyieldequityissue, 0.7},
    {var::unitplaneopcost, 5500000},
    {var::trad_formation_time, 2},
    {var::tonewcsms, 0.4},
    {var::system_capacity, 40000000000.0},
    {var::switch_exog_planes, 1},
    {var::switch_exog_mktg, 1},
    {var::switch_exog_hiring, 1},
    {var::servicedaysperplane, 300},
    {var::revavetime, 0.25},
    {var::rev_averaging_time, 1},
    {var::potcompcostrelzk, 1},
    {var::capavetime, 0.25},
    {var::normal_load_factor, 0.7},
    {var::ave_life_aircraft, 16},
    {var::mkt_growth_rate, 0.04},
    {var::maxgrowthrate, 0.75},
    {var::hiringtime, 0.5},
    {var::exp_return_on_revs, 0.03},
    {var::discount_rate, 0.2},
    {var::des_startup_growth, 0.8},
    {var::demavetime, 0.25},
    {var::decidemarketingfraction, 0.1},  // default decision
    {var::decidehiring, 9},               // default decision
    {var::decideaircraftpurchase, 0},     // default decision
    {var::csm_prody_for_hires, 1200000},
    {var::zero, 0},
    {var::comp_scope_of_serv, 1},
    {var::passmilesperplane, 700000},
};

// A variable of the table with its value; naming a variable that has no constant does not
// compile.
class Constant {
 public:
  // Implicit, so that a fill names just the variable.
  consteval Constant(var::Index v) : var_(v), value_(Lookup(v)) {}
  var::Index Var() const { return var_; }
  double Value() const { return value_; }

 private:
  static consteval double Lookup(var::Index v) {
    for (const ModelConstant& c : kModelConstants) {
      if (c.var == v) return c.value;
    }
    throw "not a model constant";
  }
  var::Index var_;
  double value_;
};

}  // namespace talvair
