#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Revenue, costs and profit.
void Sector2Revenue(Pass& p, bool initialising) {
  // Any positive debt pays the higher rate.
  p.Set(interestrate, p.V(zk_debt) > 0 ? 0.1 : 0.05);
  if (initialising) p.FillConstant(annual_csm_cost);
  p.Set(revenue, p.V(talvairfare) * p.V(passengerscarried));
  if (initialising) {
    p.Set(averevenues, p.Div(p.V(revenue, 0), 1000000));
    p.Set(ave_revenues, p.V(revenue, 0));
    p.FillConstant(unitplaneopcost);
  }
  p.Set(total_csms1, p.V(rookies) + p.V(novices) + p.V(pros));
  if (initialising) p.FillConstant(total_shares);
  p.Set(interestpayments, p.V(zk_debt) * p.V(interestrate));
  p.Set(costofservice, p.V(total_csms1) * p.V(annual_csm_cost));
  p.Set(cost_of_fleet, p.V(unitplaneopcost) * p.V(aircraft));
  p.Set(mktg_expenditure, p.V(revenue) * p.V(decidemarketingfraction));
  if (initialising) {
    p.FillConstant(rev_averaging_time);
    p.FillConstant(ave_life_aircraft);
  }
  p.Set(total_costs,
        p.V(costofservice) + p.V(cost_of_fleet) + p.V(mktg_expenditure) + p.V(interestpayments));
  if (initialising) p.FillConstant(exp_return_on_revs);
  p.Set(year, p.T() * kQuarterLength + 1981);
  p.Set(zk_depreciation, p.Div(p.V(book_value_fleet), p.V(ave_life_aircraft)));
  // No growth at the start, and none against an empty average (no division then).
  if (p.T() == 0 || p.V(ave_revenues) == 0) {
    p.Set(exp_growth_profits, 0);
  } else {
    p.Set(exp_growth_profits,
          p.Div(p.V(revenue) - p.V(ave_revenues), p.V(rev_averaging_time) * p.V(ave_revenues)));
  }
  p.Set(grossprofit, p.V(revenue) - p.V(total_costs));
  p.Set(net_profit, p.V(grossprofit) - p.V(zk_depreciation));
  if (initialising) p.FillConstant(discount_rate);
}

}  // namespace talvair::sectors
