#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Summary financials in millions, break-even figures and per-share and per-staff ratios.
void Sector9Financials(Pass& p, bool initialising) {
  p.Set(arircraft1, p.V(aircraft_purch_rate) * kQuarterLength + p.V(aircraft));
  p.Set(assets, p.Div((p.V(aircraft_acq_cost) - p.V(zk_depreciation) - p.V(redbvfromsales)) *
                              kQuarterLength +
                          p.V(book_value_fleet),
                      1000000));
  p.Set(assets_old, p.Div(p.V(book_value_fleet), 1000000));
  p.Set(avail_seat_miles1, p.Div(p.V(passengercapacity), 1000000));
  p.Set(ave_csm_prody, p.V(total_csms1) == 0 ? 0 : p.Div(p.V(service_effort), p.V(total_csms1)));
  p.Set(average_workweek, p.V(relative_workweek) * 40);
  p.Set(depreciation, p.Div(p.V(zk_depreciation), 1000000));
  p.Set(operating_costs, p.Div(p.V(total_costs), 1000000));
  p.Set(brkevenrev, p.V(operating_costs) + p.V(depreciation));
  p.Set(brkevepass, p.Div(p.V(brkevenrev), p.V(talvairfare)));
  p.Set(brkevenloadfact, p.Div(p.V(brkevepass), p.V(avail_seat_miles1)));
  // Rows 0 and 1 have no earlier quarter: both hold the initial fleet.
  if (!initialising && (p.T() == 0 || p.T() == 1)) p.Set(TempPlanes, p.V(aircraft, 0));
  p.Set(capgrrate,
        p.Div((p.V(aircraft) - p.V(aveaircraft)) * 100, p.V(capavetime) * p.V(aircraft)));
  // Leaves this quarter's fleet for the next one; at the last row this write is out of range
  // and ends the pass.
  if (!initialising) p.SetRow(TempPlanes, p.T() + 1, p.V(aircraft));
  p.Set(cash_flow, p.Div(p.V(net_cash_flow), 1000000));
  p.Set(market_value, p.Div(p.V(mkt_value_of_firm), 1000000));
  p.Set(cum_net_income, p.Div(p.V(cum_net_profit), 1000000));
  p.Set(cum_mkt_value, p.V(market_value) + p.V(cum_net_income));
  p.Set(debt, p.Div(p.V(net_borrowing) * kQuarterLength + p.V(zk_debt), 1000000));
  p.Set(des_gro_from_profits,
        Graph<Table{-1, 0.2, {0, 0, 0.03, 0.16, 0.65, 0.9, 1, 1, 1, 1, 1}}>(p.V(gross_margin)));
  p.Set(des_gro_from_share,
        Graph<Table{0, 0.01, {1, 1, 0.95, 0.86, 0.74, 0.59, 0.32, 0.2, 0.14, 0.11, 0.1}}>(
            p.V(mkt_share)));
  p.Set(earningspershare, p.Div(p.V(net_profit), p.V(total_shares)));
  p.Set(earnings_per_share, p.Div(p.V(earningspershare), kQuartersPerYear));
  p.Set(total_csm_turnover, p.V(to_n) + p.V(to_r) + p.V(to_p));
  p.Set(employee_turnover, p.Div(p.V(total_csm_turnover), kQuartersPerYear));
  p.Set(total_csms, (p.V(hire_rate) - p.V(to_r) - p.V(to_n) - p.V(to_p) - p.V(layoffs_novices) -
                     p.V(layoffs_pros) - p.V(layoffs_rookies)) *
                            kQuarterLength +
                        p.V(total_csms1));
  if (initialising) {
    // Staff and fleet after the quarter's flows.
    p.Set(employeesperplane,
          p.V(arircraft1) < 0.000001 ? 999 : p.Div(p.V(total_csms), p.V(arircraft1)));
  } else {
    p.Set(employeesperplane,
          p.V(aircraft) < 0.000001 ? 999 : p.Div(p.V(total_csms1), p.V(aircraft)));
  }
  p.Set(equity, p.V(assets) - p.V(debt));
  p.Set(equity_per_share, p.Div(p.V(shareholders_equity), p.V(total_shares)));
}

}  // namespace talvair::sectors
