#include "model/sectors.h"

namespace talvair::sectors {

using namespace talvair::var;

// Share price and share issues, the quality carried by promotions, and the gross margin
// with its effect on fleet growth.
// liquidation_switch is a forward read: the end of the pass computes it.
void Sector7StockMarket(Pass& p, bool initialising) {
  // The quotient is tested before Max, so a zero share count leaves stock_price unwritten.
  p.Set(stock_price, Max(0, p.Check(p.Div(p.V(mkt_value_of_firm), p.V(total_shares)))));
  if (initialising) p.FillConstant(netyieldequityissue);
  // The part of a cash shortfall that debt does not cover; 0.001 keeps a zero price finite.
  p.Set(shares_issued, Max(0, p.Div((1 - p.V(debt_finance_frac)) * (1 - p.V(liquidation_switch)) *
                                        (-p.V(net_cash_flow)),
                                    p.V(stock_price) * p.V(netyieldequityissue) + 0.001)));
  p.Set(transfer_qual_np, p.V(promnp) * p.V(ave_qual_novices));
  p.Set(transfer_qual_rn, p.V(promrn) * p.V(ave_qual_rookies));
  p.Set(gross_margin, p.Div(p.V(grossprofit), p.V(revenue) + 1));
  p.Set(eff_profits_fleet,
        Graph<Table{-0.25, 0.05, {0.55, 0.6, 0.71, 0.84, 0.93, 1, 1, 1, 1, 1, 1}}>(
            p.V(gross_margin)));
}

}  // namespace talvair::sectors
