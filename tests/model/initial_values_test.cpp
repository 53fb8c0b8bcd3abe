// Base values, initial stocks and the Euler step.
#include <gtest/gtest.h>

#include "game_test_access.h"
#include "model/catalogue.h"
#include "model/constants.h"
#include "model/game.h"
#include "model/model_error.h"
#include "model/var_index.h"

namespace talvair {
namespace {

using namespace talvair::var;

struct Expected {
  Index variable;
  double value;
};

TEST(BaseValues, EveryRowAfterSetBaseValues) {
  game g;
  GameTestAccess::Period(g) = 17;
  GameTestAccess::SetBaseValues(g);
  EXPECT_EQ(g.Period(), 0);
  const Expected expected[] = {
      {aircraft, 3},
      {book_value_fleet, 30000000},
      {zk_debt, 22500000},
      {pros, 120},
      {rookies, 20},
      {novices, 25},
      {decideaircraftpurchase, 0},
      {talvairfare, 0.09},
      {decidemarketingfraction, 0.1},
      {decidehiring, 9},
      {target_serv_scope, 0.6},
      {passmilesperplane, 700000},
      {system_capacity, 40000000000.0},
  };
  for (int row = 0; row <= kMaxRow; ++row) {
    for (const Expected& e : expected) {
      EXPECT_EQ(g.VarValues().Get(e.variable, row), e.value) << e.variable << " row " << row;
    }
  }
}

// The step pass never writes a constant: after a whole game every constant that is not a
// stock still holds its value in every row.
TEST(BaseValues, ConstantsHoldThroughAWholeGame) {
  game g;
  g.RunPeriod(40);
  g.GoForward();
  ASSERT_EQ(g.Period(), 40);
  int checked = 0;
  for (const ModelConstant& c : kModelConstants) {
    if (catalogue::StockVar(catalogue::VarNumberFromIndex(c.var))) continue;
    ++checked;
    for (int row = 0; row <= kMaxRow; ++row) {
      EXPECT_EQ(g.VarValues().Get(c.var, row), c.value) << c.var << " row " << row;
    }
  }
  EXPECT_EQ(checked, 38);
}

TEST(InitialStocks, EveryRowAfterRestart) {
  game g;  // construction restarts
  const Expected expected[] = {
      {aircraft, 3},
      {novices, 25},
      {pros, 120},
      {rookies, 20},
      {ave_comp_fare, 0.16},
      {percdindusfare, 0.16},
      {ave_rel_workweek, 1},
      {zk_perc_quality, 1},
      {percadeqserv, 1},
      {cum_net_profit, 0},
      {total_shares, 4000000},
      {qual_of_pros, 120},
      {qual_of_novices, 25},
      {book_value_fleet, 30000000},
      {zk_debt, 22500000},
      {aveaircraft, 3},
      {traditional_quality, 1},
  };
  for (int row = 0; row <= kMaxRow; ++row) {
    for (const Expected& e : expected) {
      EXPECT_EQ(g.VarValues().Get(e.variable, row), e.value) << e.variable << " row " << row;
    }
  }
  // Copied from rookies before rookies is filled: row 1 keeps the integrated head count.
  for (int row = 0; row <= kMaxRow; ++row) {
    if (row != 1) {
      EXPECT_EQ(g.VarValues().Get(qual_of_rookies, row), 20) << row;
    }
  }
  // Filled from row 0's computed values into every row.
  for (Index stock : {zkcustomersl, avepasscarried, scope_of_service, percscopeofservice}) {
    for (int row = 1; row <= kMaxRow; ++row) {
      EXPECT_EQ(g.VarValues().Get(stock, row), g.VarValues().Get(stock, 0)) << stock << " " << row;
    }
  }
  EXPECT_DOUBLE_EQ(g.VarValues().Get(zkcustomersl, 0),
                   g.VarValues().Get(passengercapacity, 0) * 0.627);
  // Set in row 0 only; row 1 holds the integration from row 0, later rows nothing.
  EXPECT_EQ(g.VarValues().Get(averevenues, 0), g.VarValues().Get(revenue, 0) / 1000000);
  EXPECT_EQ(g.VarValues().Get(ave_revenues, 0), g.VarValues().Get(revenue, 0));
  EXPECT_EQ(g.VarValues().Get(averevenues, 5), 0);
  EXPECT_EQ(g.Period(), 0);
}

TEST(IntegrateStocks, EulerStepOfAQuarter) {
  game g;
  ValueTable& v = GameTestAccess::VarValues(g);
  GameTestAccess::Period(g) = 6;
  // Every flow of row 6 at 0: the stocks carry over.
  const Index stocks[] = {aircraft,       ave_comp_fare,    ave_rel_workweek, ave_revenues,
                          aveaircraft,    avepasscarried,   averevenues,      book_value_fleet,
                          cum_net_profit, novices,          zk_debt,          zk_perc_quality,
                          zkcustomersl,   percadeqserv,     percdindusfare,   percscopeofservice,
                          pros,           qual_of_novices,  qual_of_pros,     qual_of_rookies,
                          rookies,        scope_of_service, total_shares,     traditional_quality};
  for (int i = 1; i < kVarSlots; ++i) v.Set(i, 6, 0.0);
  for (Index s : stocks) v.Set(s, 6, 10.0 + static_cast<int>(s));
  GameTestAccess::IntegrateStocks(g);
  for (Index s : stocks) EXPECT_EQ(v.Get(s, 7), 10.0 + static_cast<int>(s)) << s;

  v.Set(aircraft_purch_rate, 6, 4);
  v.Set(aircraft, 6, 3);
  v.Set(redbvfromsales, 6, 8);
  v.Set(aircraft_acq_cost, 6, 20);
  v.Set(zk_depreciation, 6, 4);
  GameTestAccess::IntegrateStocks(g);
  EXPECT_EQ(v.Get(aircraft, 7), 4);
  EXPECT_EQ(v.Get(book_value_fleet, 7), 10.0 + static_cast<int>(book_value_fleet) + 2);

  GameTestAccess::Period(g) = 41;
  const ValueTable before = v;
  try {
    GameTestAccess::IntegrateStocks(g);
    FAIL();
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), 9);
  }
  EXPECT_TRUE(v == before);
  GameTestAccess::Period(g) = 0;
  GameTestAccess::RecomputeStocks(g);
  EXPECT_TRUE(v == before);
}

}  // namespace
}  // namespace talvair
