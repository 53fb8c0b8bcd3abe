// The report variables: in row t, the figures of the quarter just completed (row t - 1).
#include "model/game.h"
#include "model/pass.h"
#include "model/var_index.h"

namespace talvair {

using namespace talvair::var;

namespace {

struct ReportSource {
  Index report;
  Index source;
};

constexpr ReportSource kReportSources[] = {
    {rpt_capgrrate, capgrrate},
    {rpt_demgrrate, demgrrate},
    {rpt_load_factor, load_factor},
    {rpt_brkevenloadfact, brkevenloadfact},
    {rpt_employee_turnover, employee_turnover},
    {rpt_marketing, marketing},
    {rpt_mkt_share, mkt_share},
    {rpt_revenues, revenues},
    {rpt_net_income, net_income},
    {rpt_brkevenrev, brkevenrev},
    {rpt_zk_rev_pass_miles, zk_rev_pass_miles},
    {rpt_brkevepass, brkevepass},
    {rpt_avail_seat_miles1, avail_seat_miles1},
    {rpt_fleet_costs, fleet_costs},
    {rpt_total_csms, total_csms},
    {rpt_rookie_fraction, rookie_fraction},
    {rpt_net_change_csms, net_change_csms},
    {rpt_fractional_turnover, fractional_turnover},
    {rpt_average_workweek, average_workweek},
    {rpt_rev_miles_per_csm, rev_miles_per_csm},
    {rpt_mkt_value_per_csm, mkt_value_per_csm},
    {rpt_assets, assets},
    {rpt_debt, debt},
    {rpt_equity, equity},
    {rpt_service_costs, service_costs},
    {rpt_interest, interest},
    {rpt_operating_costs, operating_costs},
    {rpt_depreciation, depreciation},
    {rpt_net_aircraft_cost, net_aircraft_cost},
    {rpt_cash_flow, cash_flow},
    {rpt_comp_scope_of_serv, comp_scope_of_serv},
    {rpt_ave_comp_quality, ave_comp_quality},
    {rpt_stock_price, stock_price},
    {rpt_outstanding_shares, outstanding_shares},
    {rpt_market_value, market_value},
    {rpt_cum_net_income, cum_net_income},
    {rpt_cum_mkt_value, cum_mkt_value},
    {rpt_revgrrate, revgrrate},
};

}  // namespace

void game::ComputeReportVars() {
  Pass p(*varValues_, period_);
  const int t = p.T();
  const int source = t >= 1 ? t - 1 : 0;
  for (const ReportSource& r : kReportSources) p.Set(r.report, p.V(r.source, source));
  if (t >= 1) {
    p.Set(rpt_earnings_per_share,
          p.Div(p.Div(p.V(rpt_net_income), p.V(outstanding_shares)), kQuartersPerYear));
    if (p.V(liquidation_switch) == 1.0) {
      p.Set(rpt_miles_load_factor, 0);
      p.Set(rpt_brkeven_miles_load_factor, 0);
      return;
    }
  } else {
    p.Set(rpt_earnings_per_share, p.V(earnings_per_share));
  }
  p.Set(rpt_miles_load_factor, p.Div(p.V(rpt_zk_rev_pass_miles), p.V(avail_seat_miles1)));
  p.Set(rpt_brkeven_miles_load_factor, p.Div(p.V(rpt_brkevepass), p.V(avail_seat_miles1)));
}

}  // namespace talvair
