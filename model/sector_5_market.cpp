#include <cmath>

#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Market size, fares and attractiveness: the first half of the market sector.
void Sector5Market(Pass& p, bool initialising) {
  p.Set(eff_price_new_mkt, p.Pow(p.Div(p.V(percdindusfare), 0.16), -0.6));
  if (initialising) p.FillConstant(mkt_growth_rate);
  p.Set(eff_price_est_mkt, p.Pow(p.Div(p.V(percdindusfare), 0.16), -0.3));
  // Both markets share one growth factor; Period × the quarter length is formed first.
  p.Set(est_pass_mkt, p.V(eff_price_est_mkt) * 95000000000 *
                          std::exp(p.T() * kQuarterLength * p.V(mkt_growth_rate)));
  p.Set(newpassmk, p.V(eff_price_new_mkt) * 95000000000 *
                       std::exp(p.T() * kQuarterLength * p.V(mkt_growth_rate)));
  p.Set(ch_scope_service, p.Div(p.V(target_serv_scope) - p.V(scope_of_service), 0.5));
  if (initialising) p.FillConstant(trad_formation_time);
  p.Set(total_pass_mkt, p.V(newpassmk) + p.V(est_pass_mkt));
  p.Set(ch_trad_quality,
        p.Div(p.V(quality_of_service) - p.V(traditional_quality), p.V(trad_formation_time)));
  p.Set(mkt_share, p.Div(p.V(passengerscarried), p.V(total_pass_mkt)));
  if (initialising) p.FillConstant(capavetime);
  if (initialising) p.FillConstant(comp_scope_of_serv);
  if (initialising) p.FillConstant(ave_comp_quality);
  p.Set(avg_indus_fare,
        (1 - p.V(mkt_share)) * p.V(ave_comp_fare) + p.V(talvairfare) * p.V(mkt_share));
  p.Set(zk_share_total_cap, p.Div(p.V(passengercapacity), p.Div(p.V(total_pass_mkt), 0.6)));
  p.Set(effcompfareonest, p.Pow(p.Div(p.V(ave_comp_fare), p.V(avg_indus_fare)), -1.5));
  p.Set(effservscopeonest,
        Graph<Table{0, 0.2, {0, 0.05, 0.2, 0.8, 0.92, 1, 1.05, 1.08, 1.09, 1.09, 1.1}}>(
            p.V(percscopeofservice)));
  p.Set(effctzkqualonnew,
        Graph<Table{0, 0.2, {0, 0.2, 0.65, 0.85, 0.95, 1, 1.06, 1.08, 1.09, 1.1, 1.1}}>(
            p.V(percadeqserv)));
  p.Set(effservscopeonnew,
        Graph<Table{0, 0.2, {0, 0.1, 0.65, 0.95, 0.98, 1, 1.02, 1.03, 1.03, 1.04, 1.04}}>(
            p.V(percscopeofservice)));
  p.Set(effcompqualonest,
        Graph<Table{0, 0.2, {0, 0.05, 0.25, 0.65, 0.85, 1, 1.12, 1.19, 1.25, 1.29, 1.3}}>(
            p.V(ave_comp_quality)));
  p.Set(effcompqualonnew,
        Graph<Table{0, 0.2, {0, 0.2, 0.65, 0.85, 0.95, 1, 1.06, 1.08, 1.09, 1.1, 1.1}}>(
            p.V(ave_comp_quality)));
  p.Set(effcompscopeonest,
        Graph<Table{0, 0.2, {0, 0.05, 0.2, 0.8, 0.92, 1, 1.05, 1.08, 1.09, 1.09, 1.1}}>(
            p.V(comp_scope_of_serv)));
  p.Set(effcompscopeonnew,
        Graph<Table{0, 0.2, {0, 0.1, 0.65, 0.95, 0.98, 1, 1.02, 1.03, 1.03, 1.04, 1.04}}>(
            p.V(comp_scope_of_serv)));
  p.Set(effctzkfareonestab, p.Pow(p.Div(p.V(talvairfare), p.V(avg_indus_fare)), -1.5));
  p.Set(effctzkfareonnew, p.Pow(p.Div(p.V(talvairfare), p.V(avg_indus_fare)), -2.3));
  p.Set(effctzkqualonestab,
        Graph<Table{0, 0.2, {0, 0.05, 0.25, 0.65, 0.85, 1, 1.12, 1.19, 1.25, 1.29, 1.3}}>(
            p.V(percadeqserv)));
  p.Set(effcompfareonnew, p.Pow(p.Div(p.V(ave_comp_fare), p.V(avg_indus_fare)), -2.3));
  // No bound: a capacity share above 1 makes the competitors' share negative.
  p.Set(comp_share_tot_cap, 1 - p.V(zk_share_total_cap));
  p.Set(chaveaircraft, p.Div(p.V(aircraft) - p.V(aveaircraft), p.V(capavetime)));
  p.Set(comp_attract_to_new, p.V(effcompfareonnew) * p.V(comp_share_tot_cap) *
                                 p.V(effcompscopeonnew) * p.V(effcompqualonnew));
  p.Set(zk_attract_to_est, p.V(effctzkfareonestab) * p.V(effctzkqualonestab) *
                               p.V(effservscopeonest) * p.V(zk_share_total_cap));
  p.Set(zk_attract_to_new, p.V(effctzkfareonnew) * p.V(effctzkqualonnew) * p.V(effservscopeonnew) *
                               p.V(zk_share_total_cap));
  p.Set(comp_attract_to_est, p.V(effcompfareonest) * p.V(comp_share_tot_cap) *
                                 p.V(effcompscopeonest) * p.V(effcompqualonest));
  if (initialising) p.FillConstant(demavetime);
  // Unguarded: no attractiveness on either side of a market ends the pass.
  p.Set(zkpotenestmktshare,
        p.Div(p.V(zk_attract_to_est), p.V(zk_attract_to_est) + p.V(comp_attract_to_est)));
  p.Set(zkpotennewmktshare,
        p.Div(p.V(zk_attract_to_new), p.V(zk_attract_to_new) + p.V(comp_attract_to_new)));
}

}  // namespace talvair::sectors
