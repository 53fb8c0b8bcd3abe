#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Growth targets and fleet planning.
void Sector8Growth(Pass& p, bool initialising) {
  p.Set(quality_standard, p.V(traditional_quality));
  if (initialising) p.FillConstant(des_startup_growth);
  if (initialising) {
    // No earlier row to compare with: measure the gap to the smoothed passengers.
    p.Set(demgrrate, DivideOrZero(p.V(passengerscarried) - p.V(avepasscarried),
                                  p.V(demavetime) * p.V(avepasscarried)) *
                         100);
  } else if (p.T() == 0) {
    p.Set(demgrrate, DivideOrZero(0, p.V(demavetime) * p.V(passengerscarried)) * 100);
  } else {
    p.Set(demgrrate, DivideOrZero(p.V(passengerscarried) - p.V(passengerscarried, p.T() - 1),
                                  p.V(passengerscarried, p.T() - 1) * p.V(demavetime)) *
                         100);
  }
  if (initialising) p.FillConstant(aircraft_purch_time);
  p.Set(desired_growth_rate, (1 - p.V(startup_weight)) * p.Div(p.V(demgrrate), 100) +
                                 p.V(startup_weight) * p.V(des_startup_growth));
  if (initialising) p.FillConstant(normal_load_factor);
  p.Set(adj_fleet_fr_profit,
        (1 - p.V(startup_weight)) * p.V(eff_profits_fleet) + p.V(startup_weight));
  p.Set(qual_rel_to_std, p.Div(p.V(zk_perc_quality), p.V(quality_standard)));
  p.Set(effctservadqonhir, Graph<Table{0, 0.2, {1.85, 1.72, 1.56, 1.38, 1.19, 1, 0.2, 0, 0, 0, 0}}>(
                               p.V(qual_rel_to_std)));
  p.Set(target_fleet,
        p.Div(p.V(Customers(initialising)),
              p.V(servicedaysperplane) * p.V(passmilesperplane) * p.V(normal_load_factor)) *
            (p.V(desired_growth_rate) * p.V(aircraft_purch_time) + 1));
  if (initialising) p.FillConstant(maxgrowthrate);
  p.Set(adjcsmsfromquality, (1 - p.V(effctservadqonhir)) * p.V(total_csms1));
  p.Set(authorized_fleet, p.V(target_fleet) * p.V(adj_fleet_fr_profit));
  // Both values are computed, and tested, before the smaller is taken.
  p.Set(fleetgrowthrate, MinOfArray({p.Check(p.Div(p.V(authorized_fleet) - p.V(aircraft),
                                                   p.V(aircraft) * p.V(aircraft_purch_time))),
                                     p.Check((p.V(startup_weight) + p.V(maxgrowthrate)) *
                                             (1 - p.V(startup_weight)))}));
  p.Set(exog_plane_purchase,
        Graph<Table{1981, 1, {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2}}>(p.V(year)));
  if (initialising) p.FillConstant(switch_exog_planes);
  p.Set(aircraftpurchases, (p.V(fleetgrowthrate) * p.V(aircraft) * (1 - p.V(switch_exog_planes)) +
                            p.V(switch_exog_planes) * p.V(exog_plane_purchase)) *
                               kQuarterLength);
}

}  // namespace talvair::sectors
