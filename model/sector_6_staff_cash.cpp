#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Hiring, turnover, promotions and layoffs of the three staff classes, the proceeds of
// aircraft sales, the net cash flow and the borrowing that covers it.
// liquidation_switch is a forward read: the end of the pass computes it.
void Sector6StaffCash(Pass& p, bool initialising) {
  p.Set(desiredhiring, (1 - p.V(liquidation_switch)) * p.V(decidehiring));
  p.Set(hire_rate, Max(0, p.V(desiredhiring)) * kQuartersPerYear);
  p.Set(hiring_capacity, p.V(hiring_team) * 30);
  p.Set(deshiringrelcap,
        p.V(hiring_capacity) == 0 ? 0 : p.Div(p.V(desiredhiring), p.V(hiring_capacity)));
  p.Set(inc_cum_net_profit, p.V(net_profit));
  if (initialising) {
    p.Set(effctstockonto,
          Graph<Table{0, 0.5, {2.5, 1.3, 1, 0.88, 0.8, 0.72, 0.65, 0.6, 0.55, 0.51, 0.5}}>(
              p.V(rel_value_per_csm)));
  } else {
    p.Set(effctstockonto,
          Graph<Table{0, 0.5, {3, 1.5, 1, 0.88, 0.8, 0.72, 0.65, 0.6, 0.55, 0.51, 0.5}}>(
              p.V(rel_value_per_csm)));
  }
  p.Set(qualcsmcands,
        Graph<Table{0, 0.5, {1.1,  1.06, 1,    0.87, 0.71, 0.55, 0.42, 0.33, 0.26,  0.2,  0.15,
                             0.12, 0.09, 0.07, 0.05, 0.04, 0.03, 0.02, 0.01, 0.005, 0.002}}>(
            p.V(deshiringrelcap)));
  if (initialising) {
    p.Set(effctstressonto, Graph<Table{0.75,
                                       0.05,
                                       {0.7, 0.71, 0.73, 0.76, 0.85, 1, 1.2, 1.48, 1.84, 2.32, 2.8,
                                        3.2, 3.56, 3.8, 3.92, 4}}>(p.V(ave_rel_workweek)));
  } else {
    p.Set(effctstressonto,
          Graph<Table{0.75,
                      0.05,
                      {0.7, 0.71, 0.73, 0.76, 0.85, 1, 1.3, 1.75, 2.4, 3, 3.6, 3.8, 3.9, 4, 4, 4}}>(
              p.V(ave_rel_workweek)));
  }
  p.Set(inc_qual_rookies, p.V(qualcsmcands) * p.V(hire_rate));
  if (initialising) p.FillConstant(tonewcsms);
  p.Set(ave_aircraft_value, p.Div(p.V(book_value_fleet), p.V(aircraft)));
  p.Set(toexpcsms, p.V(effctstressonto) * p.V(effctstockonto));
  p.Set(to_p, p.V(pros) * 0.2 * p.V(toexpcsms));
  p.Set(to_n, p.V(novices) * 0.2 * p.V(toexpcsms));
  p.Set(redbvfromsales, Max(0, (-p.V(aircraft_purch_rate)) * p.V(ave_aircraft_value)));
  p.Set(to_r, p.V(tonewcsms) * p.V(rookies));
  p.Set(inc_from_asset_sale, p.V(redbvfromsales) * 0.3);
  p.Set(planned_layoffs, Max(0, -p.V(desiredhiring)));
  p.Set(lossofcustomers, p.Div(Max(0, p.V(Customers(initialising)) - p.V(potenzkcust)), 1.0));
  p.Set(staff_nextdt, p.Div(p.V(hire_rate) - p.V(to_r) - p.V(to_n) - p.V(to_p), kQuartersPerYear) +
                          p.V(total_csms1));
  if (initialising) p.FillConstant(debt_finance_frac);
  p.Set(promnp, p.Div(p.V(novices), 1.5));
  p.Set(net_cash_flow,
        p.V(revenue) + p.V(inc_from_asset_sale) - p.V(total_costs) - p.V(aircraft_acq_cost));
  p.Set(promrn, p.Div(p.V(rookies), 0.5));
  // No more staff go in a quarter than the staff one quarter ahead.
  p.Set(layoffs, MinOfArray({p.Div(p.V(staff_nextdt), kQuarterLength), p.V(planned_layoffs)}));
  p.Set(net_borrowing, (-p.V(net_cash_flow)) * p.V(debt_finance_frac));
  // Layoffs are shared out in proportion to each class's staff one quarter ahead.
  p.Set(
      layoffs_novices,
      p.V(staff_nextdt) == 0
          ? 0
          : p.Div((p.Div(p.V(promrn) - p.V(promnp) - p.V(to_n), kQuartersPerYear) + p.V(novices)) *
                      p.V(layoffs),
                  p.V(staff_nextdt)));
  p.Set(novice_outlow, p.V(to_n) + p.V(promnp) + p.V(layoffs_novices));
  p.Set(layoffs_pros,
        p.V(staff_nextdt) == 0
            ? 0
            : p.Div(((p.V(promnp) - p.V(to_p)) * kQuarterLength + p.V(pros)) * p.V(layoffs),
                    p.V(staff_nextdt)));
  p.Set(pros_outflow, p.V(to_p) + p.V(layoffs_pros));
  p.Set(reduct_qual_novices, (p.V(to_n) + p.V(layoffs_novices)) * p.V(ave_qual_novices));
  p.Set(reduct_qual_pros, (p.V(to_p) + p.V(layoffs_pros)) * p.V(ave_qual_pros));
  p.Set(layoffs_rookies,
        p.V(staff_nextdt) == 0
            ? 0
            : p.Div((p.Div(p.V(hire_rate) - p.V(promrn) - p.V(to_r), kQuartersPerYear) +
                     p.V(rookies)) *
                        p.V(layoffs),
                    p.V(staff_nextdt)));
  p.Set(reduct_qual_rookies, (p.V(to_r) + p.V(layoffs_rookies)) * p.V(ave_qual_rookies));
  p.Set(rookie_outflow, p.V(promrn) + p.V(layoffs_rookies) + p.V(to_r));
}

}  // namespace talvair::sectors
