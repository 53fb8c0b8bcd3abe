#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Workload, workweek and service quality: the service workload against the staff's
// capacity gives the workweek, the productivity effects, the service effort and quality,
// and the change rates of the averaged revenue, workweek and perceived quality.
void Sector4Service(Pass& p, bool initialising) {
  const Index customers = Customers(initialising);
  p.Set(service_cap_req,
        (p.V(customers) * 0.5 + p.V(passengerscarried) * 0.5) * p.V(scope_of_service));
  p.Set(mkt_value_per_csm, p.Div(p.V(mkt_val_per_csm), 1000));
  // The value per employee at the start is the standard for the whole game.
  if (initialising) p.FillCopy(std_value_per_csm, [&] { return p.V(mkt_value_per_csm, 0); });
  p.Set(rel_serv_capacity,
        p.V(servicecapacity) == 0 ? 999 : p.Div(p.V(service_cap_req), p.V(servicecapacity)));
  p.Set(rel_value_per_csm,
        p.Div(p.V(mkt_value_per_csm), p.V(std_value_per_csm)) * (1 - p.V(startup_weight)) +
            p.V(startup_weight));
  p.Set(eff_fin_incen_prody,
        Graph<Table{0, 1, {0.6, 1, 1.09, 1.14, 1.17, 1.18, 1.19, 1.2, 1.2, 1.2, 1.2}}>(
            p.V(rel_value_per_csm)));
  p.Set(relative_workweek,
        Graph<Table{0, 0.2, {0.55, 0.57, 0.6, 0.7, 0.85, 1, 1.16, 1.3, 1.4, 1.47, 1.5}}>(
            p.V(rel_serv_capacity)));
  // The initialising table falls only beyond twice the normal workweek.
  if (initialising) {
    p.Set(eff_workweek_prody,
          Graph<Table{
              1, 0.05, {1, 1, 1, 1, 1, 1,    1,    1,    1,    1,    1,    1,    1,    1,    1,  1,
                        1, 1, 1, 1, 1, 0.99, 0.97, 0.92, 0.84, 0.77, 0.71, 0.66, 0.63, 0.61, 0.6}}>(
              p.V(ave_rel_workweek)));
  } else {
    p.Set(eff_workweek_prody,
          Graph<Table{1, 0.05, {1, 0.99, 0.97, 0.92, 0.84, 0.77, 0.71, 0.66, 0.63, 0.61, 0.6}}>(
              p.V(ave_rel_workweek)));
  }
  p.Set(ch_ave_revenues, p.Div(p.V(revenue) - p.V(ave_revenues), p.V(rev_averaging_time)));
  p.Set(service_effort, p.V(servicecapacity) * p.V(relative_workweek) * p.V(eff_fin_incen_prody) *
                            p.V(eff_workweek_prody));
  p.Set(serveffrelreq, DivideOrZero(p.V(service_effort), p.V(service_cap_req)));
  p.Set(ch_ave_workweek, p.Div(p.V(relative_workweek) - p.V(ave_rel_workweek), 0.5));
  // Overwritten later in the pass; quality_of_service must read the table value.
  p.Set(servquality, Graph<Table{0, 0.2, {0, 0.2, 0.4, 0.6, 0.8, 1, 1.15, 1.25, 1.32, 1.37, 1.4}}>(
                         p.V(serveffrelreq)));
  p.Set(quality_of_service, p.V(servquality) * p.V(effloadonquality));
  p.Set(ch_zk_perc_qual, p.Div(p.V(quality_of_service) - p.V(zk_perc_quality), 0.5));
}

}  // namespace talvair::sectors
