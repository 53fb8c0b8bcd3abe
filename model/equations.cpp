// The two passes over the equations: the sectors in their fixed order.
#include "model/game.h"
#include "model/pass.h"
#include "model/sectors.h"

namespace talvair {

namespace sectors {

using namespace talvair::var;

void Prologue(Pass& p) {
  p.FillConstant(aircraft);
  p.FillConstant(ave_comp_fare);
  p.FillConstant(ave_rel_workweek);
  p.FillCopy(ave_revenues, [&] { return p.V(revenue); });
  p.FillCopy(aveaircraft, [&] { return p.V(aircraft); });
  p.Fill(book_value_fleet, [&] { return p.V(unit_cost_planes) * p.V(aircraft); });
  p.FillConstant(cum_net_profit);
  p.FillConstant(novices);
  p.Fill(zk_debt, [&] { return p.V(debt_finance_frac) * p.V(book_value_fleet); });
  p.FillConstant(zk_perc_quality);
  p.FillConstant(percadeqserv);
  p.FillConstant(percdindusfare);
  p.FillCopy(percscopeofservice, [&] { return p.V(scope_of_service); });
  p.FillConstant(pros);
  p.FillCopy(qual_of_novices, [&] { return p.V(novices); });
  p.FillCopy(qual_of_pros, [&] { return p.V(pros); });
  p.FillCopy(qual_of_rookies, [&] { return p.V(rookies); });
  p.FillConstant(rookies);
}

namespace {

void RunSectors(Pass& p, bool initialising) {
  Sector1Capacity(p, initialising);
  Sector2Revenue(p, initialising);
  Sector3Fleet(p, initialising);
  Sector4Service(p, initialising);
  Sector5Market(p, initialising);
  Sector5Customers(p, initialising);
  Sector6StaffCash(p, initialising);
  Sector7StockMarket(p, initialising);
  Sector8Growth(p, initialising);
  Sector9Financials(p, initialising);
  Sector9Tail(p, initialising);
}

}  // namespace
}  // namespace sectors

void game::ComputeInitialPeriod() {
  period_ = 0;
  Pass p(*varValues_, period_);
  sectors::Prologue(p);
  sectors::RunSectors(p, true);
  period_ = 0;
}

void game::ComputePeriod() {
  Pass p(*varValues_, period_);
  sectors::RunSectors(p, false);
}

}  // namespace talvair
