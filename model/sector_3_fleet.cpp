#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Fleet purchase and valuation: turns the purchase decision into a yearly rate of
// purchases or sales, prices it, and values the firm.
void Sector3Fleet(Pass& p, bool initialising) {
  // In liquidation the decision is ignored and the whole fleet is put up for sale.
  p.Set(plannedaircraftpurc, ((1 - p.V(liquidation_switch)) * p.V(decideaircraftpurchase) -
                              p.Div(p.V(liquidation_switch) * p.V(aircraft), kQuarterLength)) *
                                 p.Div(1, kQuarterLength));
  p.Set(startup_weight, Graph<Table{1981, 1, {1, 1, 0.5, 0, 0, 0, 0, 0, 0, 0, 0}}>(p.V(year)));
  p.Set(eff_growth_value,
        Graph<Table{-0.2, 0.1, {0, 0, 0, 1, 1.7, 2.3, 2.8, 3.1, 3.4, 3.6, 3.66, 3.68, 3.7}}>(
            p.V(exp_growth_profits)));
  p.Set(expected_profits, p.V(revenue) * p.V(exp_return_on_revs));
  // A stock: set once here, then carried from row to row by the integration.
  if (initialising) p.FillCopy(traditional_quality, [&] { return p.V(zk_perc_quality); });
  // Sales stop just short of the whole fleet, so a positive fleet stays positive.
  p.Set(aircraft_purch_rate,
        p.V(plannedaircraftpurc) < 0
            ? Max(p.V(plannedaircraftpurc), p.Div(p.Div(-p.V(aircraft), 1.001), kQuarterLength))
            : p.V(plannedaircraftpurc));
  if (initialising) p.FillConstant(unit_cost_planes);
  p.Set(value_of_profits, p.Div((1 - p.V(startup_weight)) * p.V(net_profit) +
                                    p.V(startup_weight) * p.V(expected_profits),
                                p.V(discount_rate)));
  p.Set(value_of_growth, p.Div(p.V(expected_profits) * p.V(eff_growth_value), p.V(discount_rate)));
  p.Set(mkt_value_of_firm,
        Max(p.V(shareholders_equity), p.V(value_of_growth) + p.V(value_of_profits)));
  // Only purchases cost here; the proceeds of sales are booked with the cash flows.
  p.Set(aircraft_acq_cost, Max(0, p.V(unit_cost_planes) * p.V(aircraft_purch_rate)));
  p.Set(mkt_val_per_csm,
        p.V(total_csms1) == 0 ? 0 : p.Div(p.V(mkt_value_of_firm), p.V(total_csms1)));
}

}  // namespace talvair::sectors
