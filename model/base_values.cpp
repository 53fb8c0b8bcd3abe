// Base constants, initial stocks and default decisions; the Euler step of the stocks.
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
    set(unit_cost_planes, 10000000);
    set(talvairfare, 0.09);
    set(aircraft, 3);
    set(target_serv_scope, 0.6);
    set(book_value_fleet, at(unit_cost_planes) * at(aircraft));
    set(pros, 120);
    set(rookies, 20);
    set(scope_of_service, at(target_serv_scope));
    set(zk_perc_quality, 1);
    set(novices, 25);
    set(debt_finance_frac, 0.75);
    set(percadeqserv, 1);
    set(traditional_quality, at(zk_perc_quality));
    set(qual_of_pros, at(pros));
    set(std_value_per_csm, at(mkt_value_per_csm));
    set(adoption_fraction, 0.22);
    set(aircraft_purch_time, 1);
    set(qual_of_rookies, at(rookies));
    set(annual_csm_cost, 42000);
    set(ave_comp_quality, 0.7);
    set(total_shares, 4000000);
    set(qual_of_novices, at(novices));
    set(percdindusfare, 0.16);
    set(contactsperyr, 300);
    set(zkcustomersl, at(passengercapacity) * 0.627);
    set(zk_debt, at(debt_finance_frac) * at(book_value_fleet));
    set(cum_net_profit, 0);
    set(averevenues, at(revenue));
    set(avepasscarried, at(passengerscarried));
    set(aveaircraft, at(aircraft));
    set(ave_revenues, at(revenue));
    set(ave_rel_workweek, 1);
    set(ave_comp_fare, 0.16);
    set(percscopeofservice, at(scope_of_service));
    set(netyieldequityissue, 0.7);
    set(unitplaneopcost, 5500000);
    set(trad_formation_time, 2);
    set(tonewcsms, 0.4);
    set(system_capacity, 40000000000.0);
    set(switch_exog_planes, 1);
    set(switch_exog_mktg, 1);
    set(switch_exog_hiring, 1);
    set(servicedaysperplane, 300);
    set(revavetime, 0.25);
    set(rev_averaging_time, 1);
    set(potcompcostrelzk, 1);
    set(talvairfare, 0.09);
    set(capavetime, 0.25);
    set(normal_load_factor, 0.7);
    set(ave_life_aircraft, 16);
    set(mkt_growth_rate, 0.04);
    set(maxgrowthrate, 0.75);
    set(hiringtime, 0.5);
    set(exp_return_on_revs, 0.03);
    set(discount_rate, 0.2);
    set(des_startup_growth, 0.8);
    set(demavetime, 0.25);
    set(decidemarketingfraction, 0.1);
    set(decidehiring, 9);
    set(decideaircraftpurchase, 0);
    set(csm_prody_for_hires, 1200000);
    set(zero, 0);
    set(comp_scope_of_serv, 1);
    set(passmilesperplane, 700000);
  }
  period_ = 0;
}

void game::IntegrateStocks() {
  Pass p(*varValues_, period_);
  const int next = p.T() + 1;
  auto integrate = [&](Index stock, double value) { p.SetRow(stock, next, value); };
  integrate(aircraft, p.V(aircraft) + 0.25 * p.V(aircraft_purch_rate));
  integrate(ave_comp_fare, p.V(ave_comp_fare) + 0.25 * p.V(chcompfare));
  integrate(ave_rel_workweek, p.V(ave_rel_workweek) + 0.25 * p.V(ch_ave_workweek));
  integrate(ave_revenues, p.V(ave_revenues) + 0.25 * p.V(ch_ave_revenues));
  integrate(aveaircraft, p.V(aveaircraft) + 0.25 * p.V(chaveaircraft));
  integrate(avepasscarried, p.V(avepasscarried) + 0.25 * p.V(chavedem));
  integrate(averevenues, p.V(averevenues) + 0.25 * p.V(chaverev));
  integrate(book_value_fleet, p.V(book_value_fleet) - 0.25 * p.V(redbvfromsales) +
                                  0.25 * p.V(aircraft_acq_cost) - 0.25 * p.V(zk_depreciation));
  integrate(cum_net_profit, p.V(cum_net_profit) + 0.25 * p.V(inc_cum_net_profit));
  integrate(novices, p.V(novices) + 0.25 * p.V(promrn) - 0.25 * p.V(novice_outlow));
  integrate(zk_debt, p.V(zk_debt) + 0.25 * p.V(net_borrowing));
  integrate(zk_perc_quality, p.V(zk_perc_quality) + 0.25 * p.V(ch_zk_perc_qual));
  integrate(zkcustomersl,
            p.V(zkcustomersl) - 0.25 * p.V(lossofcustomers) + 0.25 * p.V(chngzkcust));
  integrate(percadeqserv, p.V(percadeqserv) + 0.25 * p.V(cpsq));
  integrate(percdindusfare, p.V(percdindusfare) + 0.25 * p.V(chngpercdindfare));
  integrate(percscopeofservice, p.V(percscopeofservice) + 0.25 * p.V(chpercscopeservice));
  integrate(pros, p.V(pros) - 0.25 * p.V(pros_outflow) + 0.25 * p.V(promnp));
  integrate(qual_of_novices, p.V(qual_of_novices) - 0.25 * p.V(transfer_qual_np) +
                                 0.25 * p.V(transfer_qual_rn) - 0.25 * p.V(reduct_qual_novices));
  integrate(qual_of_pros,
            p.V(qual_of_pros) + 0.25 * p.V(transfer_qual_np) - 0.25 * p.V(reduct_qual_pros));
  integrate(qual_of_rookies, p.V(qual_of_rookies) - 0.25 * p.V(transfer_qual_rn) -
                                 0.25 * p.V(reduct_qual_rookies) + 0.25 * p.V(inc_qual_rookies));
  integrate(rookies, p.V(rookies) - 0.25 * p.V(rookie_outflow) + 0.25 * p.V(hire_rate));
  integrate(scope_of_service, p.V(scope_of_service) + 0.25 * p.V(ch_scope_service));
  integrate(total_shares, p.V(total_shares) + 0.25 * p.V(shares_issued));
  integrate(traditional_quality, p.V(traditional_quality) + 0.25 * p.V(ch_trad_quality));
}

void game::RecomputeStocks() {
  // Its only caller runs it at period 0, where there is nothing to recompute.
  if (period_ < 1) return;
}

}  // namespace talvair
