// Base constants, initial stocks and default decisions; the Euler step of the stocks.
#include "model/constants.h"
#include "model/game.h"
#include "model/pass.h"
#include "model/var_index.h"

namespace talvair {

using namespace talvair::var;

void game::SetBaseValues() {
  ValueTable& v = *varValues_;
  // The period field is the row counter, as the equations' fill loops use it.
  for (period_ = 0; period_ <= kMaxRow; ++period_) {
    const int t = period_;
    auto set = [&](Index x, double value) { v.Set(x, t, value); };
    auto at = [&](Index x) { return v.Get(x, t); };
    // The constants first: the values below read only constants of their own row and
    // variables that the equations compute.
    for (const ModelConstant& c : kModelConstants) set(c.var, c.value);
    set(book_value_fleet, at(unit_cost_planes) * at(aircraft));
    set(scope_of_service, at(target_serv_scope));
    set(traditional_quality, at(zk_perc_quality));
    set(qual_of_pros, at(pros));
    set(std_value_per_csm, at(mkt_value_per_csm));
    set(qual_of_rookies, at(rookies));
    set(qual_of_novices, at(novices));
    set(zkcustomersl, at(passengercapacity) * 0.627);
    set(zk_debt, at(debt_finance_frac) * at(book_value_fleet));
    set(averevenues, at(revenue));
    set(avepasscarried, at(passengerscarried));
    set(aveaircraft, at(aircraft));
    set(ave_revenues, at(revenue));
    set(percscopeofservice, at(scope_of_service));
  }
  period_ = 0;
}

void game::IntegrateStocks() {
  Pass p(*varValues_, period_);
  // Each stock adds its inflows and takes its outflows for one quarter, in this order.
  p.Integrate(aircraft, {In(aircraft_purch_rate)});
  p.Integrate(ave_comp_fare, {In(chcompfare)});
  p.Integrate(ave_rel_workweek, {In(ch_ave_workweek)});
  p.Integrate(ave_revenues, {In(ch_ave_revenues)});
  p.Integrate(aveaircraft, {In(chaveaircraft)});
  p.Integrate(avepasscarried, {In(chavedem)});
  p.Integrate(averevenues, {In(chaverev)});
  p.Integrate(book_value_fleet, {Out(redbvfromsales), In(aircraft_acq_cost), Out(zk_depreciation)});
  p.Integrate(cum_net_profit, {In(inc_cum_net_profit)});
  p.Integrate(novices, {In(promrn), Out(novice_outlow)});
  p.Integrate(zk_debt, {In(net_borrowing)});
  p.Integrate(zk_perc_quality, {In(ch_zk_perc_qual)});
  p.Integrate(zkcustomersl, {Out(lossofcustomers), In(chngzkcust)});
  p.Integrate(percadeqserv, {In(cpsq)});
  p.Integrate(percdindusfare, {In(chngpercdindfare)});
  p.Integrate(percscopeofservice, {In(chpercscopeservice)});
  p.Integrate(pros, {Out(pros_outflow), In(promnp)});
  p.Integrate(qual_of_novices,
              {Out(transfer_qual_np), In(transfer_qual_rn), Out(reduct_qual_novices)});
  p.Integrate(qual_of_pros, {In(transfer_qual_np), Out(reduct_qual_pros)});
  p.Integrate(qual_of_rookies,
              {Out(transfer_qual_rn), Out(reduct_qual_rookies), In(inc_qual_rookies)});
  p.Integrate(rookies, {Out(rookie_outflow), In(hire_rate)});
  p.Integrate(scope_of_service, {In(ch_scope_service)});
  p.Integrate(total_shares, {In(shares_issued)});
  p.Integrate(traditional_quality, {In(ch_trad_quality)});
}

void game::RecomputeStocks() {
  // Its only caller runs it at period 0, where there is nothing to recompute.
  if (period_ < 1) return;
}

}  // namespace talvair
