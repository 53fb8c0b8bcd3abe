#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Productivity, capacity and load factor.
void Sector1Capacity(Pass& p, bool initialising) {
  p.Set(hiring_team, p.V(pros) * 0.1);
  // An empty staff group counts as standard quality; no division then.
  p.Set(ave_qual_rookies, p.V(rookies) == 0 ? 1 : p.Div(p.V(qual_of_rookies), p.V(rookies)));
  p.Set(ave_qual_pros, p.V(pros) == 0 ? 1 : p.Div(p.V(qual_of_pros), p.V(pros)));
  p.Set(ave_qual_novices, p.V(novices) == 0 ? 1 : p.Div(p.V(qual_of_novices), p.V(novices)));
  if (initialising) p.FillConstant(servicedaysperplane);
  p.Set(effective_pros, p.V(pros) - p.V(hiring_team));
  p.Set(prody_of_rookies, p.V(ave_qual_rookies) * 300000);
  p.Set(prody_of_pros, p.V(ave_qual_pros) * 1680000);
  p.Set(prody_of_novices, p.V(ave_qual_novices) * 840000);
  if (initialising) p.FillConstant(passmilesperplane);
  if (initialising) {
    // The quarter's purchases already count towards the opening capacity.
    p.Set(passengercapacity, (p.V(aircraft_purch_rate, 0) * kQuarterLength + p.V(aircraft, 0)) *
                                 p.V(passmilesperplane, 0) * p.V(servicedaysperplane, 0));
    p.Fill(zkcustomersl, [&] { return p.V(passengercapacity, 0) * 0.627; });
    p.FillCopy(scope_of_service, [&] { return p.V(target_serv_scope); });
  } else {
    p.Set(passengercapacity, p.V(passmilesperplane) * p.V(aircraft) * p.V(servicedaysperplane));
  }
  p.Set(servicecapacity, p.V(rookies) * p.V(prody_of_rookies) +
                             p.V(prody_of_novices) * p.V(novices) +
                             p.V(prody_of_pros) * p.V(effective_pros));
  // The initialising pass computes these two at its very end.
  if (!initialising) {
    p.Set(pricerobust, Graph<Table{0, 0.2, {1, 1, 0.5, 1e-08, 1e-08, 1e-08}}>(p.V(talvairfare)));
    p.Set(zkcustomers, p.V(pricerobust) * p.V(zkcustomersl));
  }
  p.Set(serveffrelcapacity, p.Div(p.V(servicecapacity), p.V(passengercapacity)));
  p.Set(pot_pass_rel_capac, p.Div(p.V(Customers(initialising)), p.V(passengercapacity)));
  p.Set(effloadonquality,
        Graph<Table{0, 0.2, {1, 1, 1, 1, 1, 0.95, 0.575, 0.305, 0.14, 0.065, 0.015}}>(
            p.V(pot_pass_rel_capac)));
  p.Set(shareholders_equity, p.V(book_value_fleet) - p.V(zk_debt));
  p.Set(effrelservloadfact,
        Graph<Table{0, 0.1, {0, 0.9, 1, 1, 1, 1, 1, 1, 1, 1, 1}}>(p.V(serveffrelcapacity)));
  p.Set(indicatedloadfactor,
        Graph<Table{0, 0.2, {0, 0.2, 0.4, 0.555, 0.665, 0.75, 0.8, 0.835, 0.86, 0.88, 0.9}}>(
            p.V(pot_pass_rel_capac)));
  if (initialising) p.Set(liquidation_switch, 0);
  // A fare well below the competitors' keeps the full load; a dearer one loses it
  // with the cube of the price ratio. In the step pass liquidation_switch is the
  // value the row held before the pass.
  if (p.Check(p.V(ave_comp_fare) * 0.9) > p.V(talvairfare)) {
    p.Set(load_factor,
          p.V(indicatedloadfactor) * p.V(effrelservloadfact) * (1 - p.V(liquidation_switch)));
  } else {
    p.Set(load_factor,
          p.Div(p.V(indicatedloadfactor) * p.V(effrelservloadfact) * (1 - p.V(liquidation_switch)),
                p.Pow(p.Div(p.V(talvairfare), p.V(ave_comp_fare) * 0.9), 3)));
  }
  p.Set(passengerscarried, p.V(passengercapacity) * p.V(load_factor));
  if (initialising) p.FillCopy(avepasscarried, [&] { return p.V(passengerscarried, 0); });
}

}  // namespace talvair::sectors
