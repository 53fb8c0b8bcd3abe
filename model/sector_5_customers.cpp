#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Second half of the market sector: potential customers, competitor fares, customer
// acquisition and the perception and smoothing rates. Runs right after Sector5Market.
void Sector5Customers(Pass& p, bool initialising) {
  p.Set(chavedem, p.Div(p.V(passengerscarried) - p.V(avepasscarried), p.V(demavetime)));
  if (initialising) p.FillConstant(potcompcostrelzk);
  p.Set(potenestzkcust, p.V(zkpotenestmktshare) * p.V(est_pass_mkt));
  p.Set(revenues, p.Div(p.V(revenue), 1000000));
  p.Set(potennewzkcust, p.V(zkpotennewmktshare) * p.V(newpassmk));
  if (initialising) p.FillConstant(revavetime);
  if (initialising) p.FillConstant(system_capacity);
  p.Set(potcompfare, MinOfArray({0.16, p.V(potcompcostrelzk) * p.V(talvairfare)}));
  p.Set(chaverev, p.Div(p.V(revenues) - p.V(averevenues), p.V(revavetime)));
  p.Set(zk_target_market, p.V(total_pass_mkt) * p.V(zk_share_total_cap));
  p.Set(poten_pas_rel_cap, p.Div(p.V(potennewzkcust) + p.V(potenestzkcust), p.V(system_capacity)));
  p.Set(timetocutcosts, IIf(p.V(potcompfare) < p.V(ave_comp_fare), 1, 3));
  // Unguarded: no capacity share leaves no target market and the pass fails here.
  p.Set(rel_mktg_coverage, p.Div(p.Div(p.V(mktg_expenditure), p.V(zk_target_market)), 0.02));
  p.Set(effctmktshoncomp,
        Graph<Table{0, 0.004, {0, 0.03, 0.1, 0.2, 0.4, 0.62, 0.78, 0.86, 0.92, 0.97, 1}}>(
            p.V(mkt_share)));
  p.Set(zk_pot_frac_sys_cap,
        Graph<Table{0, 0.2, {0, 0.2, 0.36, 0.5, 0.63, 0.73, 0.81, 0.88, 0.93, 0.97, 1}}>(
            p.V(poten_pas_rel_cap)));
  if (initialising) p.FillConstant(adoption_fraction);
  if (initialising) p.FillConstant(contactsperyr);
  p.Set(potenzkcust, p.V(system_capacity) * p.V(zk_pot_frac_sys_cap));
  const Index customers = Customers(initialising);
  p.Set(fraccntctswzkcust, p.Div(p.V(customers), p.V(total_pass_mkt)));
  p.Set(fract_adopt_rate,
        Graph<Table{0, 0.2, {0, 0.02, 0.0575, 0.115, 0.18, 0.237, 0.268, 0.287, 0.3, 0.3, 0.3}}>(
            p.V(rel_mktg_coverage)));
  p.Set(chcompfare,
        p.Div(p.V(potcompfare) - p.V(ave_comp_fare), p.V(timetocutcosts)) * p.V(effctmktshoncomp));
  p.Set(grwfrmwrdofmouth, (p.V(potenzkcust) - p.V(customers)) * p.V(contactsperyr) *
                              p.V(fraccntctswzkcust) * p.V(adoption_fraction));
  p.Set(grwfrmadv, (p.V(potenzkcust) - p.V(customers)) * p.V(fract_adopt_rate));
  p.Set(chngzkcust, p.V(grwfrmwrdofmouth) + p.V(grwfrmadv));
  p.Set(chngpercdindfare, p.Div(p.V(avg_indus_fare) - p.V(percdindusfare), 0.5));
  p.Set(chpercscopeservice, p.Div(p.V(scope_of_service) - p.V(percscopeofservice), 0.5));
  // The first quarter perceives a drop in quality faster than a rise.
  if (initialising) {
    p.Set(qual_perc_time,
          IIf(p.Check(p.Div(p.V(quality_of_service), p.V(percadeqserv))) < 1, 0.2, 2));
  } else {
    p.Set(qual_perc_time, 0.5);
  }
  p.Set(cpsq, p.Div(p.V(quality_of_service) - p.V(percadeqserv), p.V(qual_perc_time)));
}

}  // namespace talvair::sectors
