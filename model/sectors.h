// The sectors of the equations, in their evaluation order. Each runs the statements of
// both passes; `initialising` selects the initialising pass's variants.
#pragma once

#include "model/pass.h"

namespace talvair::sectors {

void Prologue(Pass& p);  // initial values of 18 stocks, initialising pass only
void Sector1Capacity(Pass& p, bool initialising);
void Sector2Revenue(Pass& p, bool initialising);
void Sector3Fleet(Pass& p, bool initialising);
void Sector4Service(Pass& p, bool initialising);
void Sector5Market(Pass& p, bool initialising);
void Sector5Customers(Pass& p, bool initialising);
void Sector6StaffCash(Pass& p, bool initialising);
void Sector7StockMarket(Pass& p, bool initialising);
void Sector8Growth(Pass& p, bool initialising);
void Sector9Financials(Pass& p, bool initialising);
void Sector9Tail(Pass& p, bool initialising);  // exogenous series, ratios, liquidation

// The customers that a statement of both passes reads: the initialising pass computes
// zkcustomers only at its very end, so until then it reads the customer stock.
inline var::Index Customers(bool initialising) {
  return initialising ? var::zkcustomersl : var::zkcustomers;
}

}  // namespace talvair::sectors
