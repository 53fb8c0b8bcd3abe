#include <cmath>

#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Exogenous inputs, historical series by calendar year, staff, traffic and financial ratios,
// the previous-revenue store and, last of the step pass, the liquidation switch.
void Sector9Tail(Pass& p, bool initialising) {
  p.Set(exog_hiring,
        Graph<Table{
            1981, 1, {150, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150, 150}}>(
            p.V(year)));
  p.Set(
      exog_mktg,
      Graph<Table{1981, 1, {0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1, 0.1}}>(
          p.V(year)));
  p.Set(fleet_costs, p.Div(p.V(cost_of_fleet), 1000000));
  p.Set(frac_costs_fleet, p.V(total_costs) == 0 ? 0 : p.Div(p.V(cost_of_fleet), p.V(total_costs)));
  p.Set(frac_costs_interest,
        p.V(total_costs) == 0 ? 0 : p.Div(p.V(interestpayments), p.V(total_costs)));
  p.Set(frac_costs_mktg,
        p.V(total_costs) == 0 ? 0 : p.Div(p.V(mktg_expenditure), p.V(total_costs)));
  p.Set(frac_costs_service,
        p.V(total_costs) == 0 ? 0 : p.Div(p.V(costofservice), p.V(total_costs)));
  p.Set(
      frac_rev_for_mktg,
      Graph<Table{0, 0.2, {0.212, 0.2, 0.174, 0.146, 0.122, 0.1, 0.082, 0.07, 0.06, 0.052, 0.046}}>(
          p.V(pot_pass_rel_capac)));
  p.Set(fractional_turnover,
        p.V(total_csms) > 0 ? p.Div(p.V(total_csm_turnover), p.V(total_csms)) * kQuarterLength : 0);
  p.Set(fracto_n, p.V(novices) == 0 ? 0 : p.Div(p.V(to_n), p.V(novices)));
  p.Set(fracto_p, p.V(pros) == 0 ? 0 : p.Div(p.V(to_p), p.V(pros)));
  p.Set(fracto_r, p.V(rookies) == 0 ? 0 : p.Div(p.V(to_r), p.V(rookies)));
  const Index customers = Customers(initialising);
  p.Set(grwratefrmadv, DivideOrZero(p.V(grwfrmadv), p.V(customers)));
  p.Set(grwratefrmwom, DivideOrZero(p.V(grwfrmwrdofmouth), p.V(zkcustomersl)));
  if (initialising) p.FillConstant(csm_prody_for_hires);
  p.Set(grwratezkcust, DivideOrZero(p.V(chngzkcust) - p.V(lossofcustomers), p.V(customers)));
  if (initialising) p.FillConstant(hiringtime);
  p.Set(targetcsms,
        p.Div(p.V(scope_of_service) * p.V(passengercapacity), p.V(csm_prody_for_hires)) *
            (p.V(hiringtime) * p.V(desired_growth_rate) + 1) * p.V(effctservadqonhir));
  if (initialising) p.FillConstant(switch_exog_hiring);
  p.Set(hiring,
        ((p.Div(p.V(targetcsms) - p.V(total_csms1), p.V(hiringtime)) + p.V(total_csm_turnover)) *
             (1 - p.V(switch_exog_hiring)) +
         p.V(switch_exog_hiring) * p.V(exog_hiring)) *
            kQuarterLength);
  p.Set(hist_capacity, Graph<Table{1981,
                                   1,
                                   {500000000, 800000000, 2500000000, 4500000000, 11000000000,
                                    17500000000, 16000000000, 8000000000, 4000000000, 1000000000,
                                    500000000, 200000000, 100000000, 10000000}}>(p.V(year)));
  p.Set(hist_mktg_expense,
        Graph<Table{
            1981, 1, {0, 8100000, 17600000, 37700000, 74300000, 158100000, 203100000, 0, 0, 0, 0}}>(
            p.V(year)));
  p.Set(hist_net_profit,
        Graph<Table{
            1981, 1, {0, -9200000, 540000, 6450000, 1650000, -27500000, -344000000, 0, 0, 0, 0}}>(
            p.V(year)));
  p.Set(hist_revenues, Graph<Table{1981,
                                   1,
                                   {0, 38000000, 139000000, 287000000, 587000000, 978000000,
                                    1090000000, 0, 0, 0, 0, 0, 0, 0}}>(p.V(year)));
  // Monthly points.
  p.Set(hist_stock_price,
        Graph<Table{1980.917,
                    0.083,
                    {3.81, 3.94, 4.16,  4.09, 5.97, 7.06, 7.25, 7.56, 6.31, 5.81, 4.78,  4.22, 4.47,
                     4.41, 4.97, 4.38,  6.41, 6.97, 6.41, 6.94, 6.22, 8.6,  7.09, 10.06, 10.6, 10.8,
                     11.3, 11.8, 15.6,  17,   20.4, 21.9, 22.3, 20.8, 21,   18.4, 22.3,  20.9, 18.5,
                     15.5, 15,   13.9,  12.6, 11.1, 9.88, 10.8, 11.4, 10.3, 8.88, 10.1,  11,   9.13,
                     9.25, 9.75, 10.06, 10.3, 12,   14.3, 1.3,  10.3, 9.13, 9.13, 10.1,  9.88, 9,
                     9.75, 9.38, 6.88,  5.38, 4.13, 3,    3.25, 2.63, 2.63, 0}}>(p.V(year)));
  p.Set(hist_totapassengers,
        Graph<Table{1981,
                    1,
                    {185000000000, 199000000000, 210000000000, 227000000000, 244000000000,
                     270000000000, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20, 1e20}}>(
            p.V(year)));
  p.Set(ind_rev_pass_miles, p.Div(p.V(total_pass_mkt), 1000000));
  p.Set(interest, p.Div(p.V(interestpayments), 1000000));
  p.Set(marketing, p.Div(p.V(mktg_expenditure), 1000000));
  p.Set(mkt_val_per_csm0,
        p.V(total_csms) == 0 ? 0 : p.Div(p.Div(p.V(mkt_value_of_firm), p.V(total_csms)), 1000));
  p.Set(net_aircraft_cost, p.Div(p.V(aircraft_acq_cost) - p.V(inc_from_asset_sale), 1000000));
  p.Set(net_change_csms,
        (p.V(hire_rate) - p.V(total_csm_turnover) - p.V(layoffs)) * kQuarterLength);
  if (initialising) {
    // The first sector set the switch to 0, so this too is net_profit in millions.
    p.Set(net_income, p.Div((1 - p.V(liquidation_switch)) * p.V(net_profit), 1000000) +
                          p.V(liquidation_switch) * -1000000000);
  } else {
    p.Set(net_income, p.Div(p.V(net_profit), 1000000));
  }
  p.Set(new_hires,
        (p.V(hire_rate) - p.V(layoffs_rookies) - p.V(layoffs_novices) - p.V(layoffs_pros)) *
            kQuarterLength);
  p.Set(outstanding_shares, p.Div(p.V(total_shares), 1000000));
  p.Set(pe_ratio, p.Div(p.V(stock_price), p.V(earnings_per_share)));
  p.Set(zk_rev_pass_miles, p.Div(p.V(passengerscarried), 1000000));
  if (initialising) {
    p.Set(pricerobust, Graph<Table{0, 0.2, {1, 1, 0.5, 1e-08, 1e-08, 1e-08}}>(p.V(talvairfare)));
    p.Set(zkcustomers, p.V(pricerobust) * p.V(zkcustomersl));
  }
  p.Set(servquality, p.V(quality_of_service) * p.V(effloadonquality));
  p.Set(quarter, (p.V(year) - std::floor(p.V(year))) * kQuartersPerYear + 1);
  p.Set(rev_mi_per_csm, p.V(total_csms) == 0 ? 0 : p.Div(p.V(passengerscarried), p.V(total_csms)));
  p.Set(rev_miles_per_csm, p.Div(p.V(rev_mi_per_csm), 1000));
  // Rows 0 and 1 measure against the revenues of row 0.
  if (!initialising && (p.T() == 0 || p.T() == 1)) p.Set(TempRevenue, p.V(revenues, 0));
  if (initialising) {
    p.Set(revgrrate,
          p.Div((p.V(revenues) - p.V(averevenues)) * 100, p.V(revavetime) * p.V(averevenues) + 1));
  } else if (p.T() == 0) {
    p.Set(revgrrate, 0);
  } else {
    // A quarter without revenues (as after liquidation) has no growth to measure from;
    // dividing by it would end every later step.
    p.Set(revgrrate, p.V(revenues, p.T() - 1) == 0 ? 0
                                                   : p.Div((p.V(revenues) - p.V(TempRevenue)) * 100,
                                                           p.V(revenues, p.T() - 1)));
  }
  // Leaves this quarter's revenues for the next one.
  if (!initialising) p.SetRow(TempRevenue, p.T() + 1, p.V(revenues));
  p.Set(roe, p.V(shareholders_equity) > 0 ? p.Div(p.V(net_profit), p.V(shareholders_equity)) : 0);
  p.Set(rookie_fraction,
        p.V(total_csms) > 0
            ? p.Div((p.V(hire_rate) - p.V(rookie_outflow)) * kQuarterLength + p.V(rookies),
                    p.V(total_csms))
            : 0);
  p.Set(service_costs, p.Div(p.V(costofservice), 1000000));
  p.Set(yr, std::floor(p.V(year)));
  if (initialising) p.FillConstant(switch_exog_mktg);
  if (initialising) p.FillConstant(zero);
  // The initialising pass set the switch in the first sector.
  if (!initialising) p.Set(liquidation_switch, p.Check(p.V(assets) - p.V(debt)) > 0 ? 0 : 1);
}

}  // namespace talvair::sectors
