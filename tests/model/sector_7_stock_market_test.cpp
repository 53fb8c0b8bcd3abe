#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "model/model_error.h"
#include "model/pass.h"
#include "model/sectors.h"
#include "model/value_table.h"
#include "model/var_index.h"

namespace talvair {
namespace {

using namespace talvair::var;
using sectors::Sector7StockMarket;

using Values = std::vector<std::pair<Index, double>>;

constexpr int kStepRow = 7;

struct MarketRun {
  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
  Pass pass{*values, period};

  // Four million shares priced at 10, and the constants in every row.
  explicit MarketRun(int row) {
    for (int r = 0; r <= kMaxRow; ++r) {
      values->Set(debt_finance_frac, r, 0.75);
      values->Set(netyieldequityissue, r, 0.7);
    }
    period = static_cast<int16_t>(row);
    Seed({{mkt_value_of_firm, 4e7}, {total_shares, 4e6}, {net_cash_flow, -4},
          {promnp, 15},             {promrn, 40},        {ave_qual_novices, 0.8},
          {ave_qual_rookies, 0.5},  {grossprofit, 1e6},  {revenue, 1e7 - 1}});
  }

  void Seed(const Values& inputs) {
    for (const auto& [v, x] : inputs) values->Set(v, period, x);
  }
  double At(Index v) const { return values->Get(v, period); }
  void Run(bool initialising) { Sector7StockMarket(pass, initialising); }
};

struct Case {
  std::string name;
  bool initialising;
  Values inputs;
  Values expected;
};

class StockMarketCases : public testing::TestWithParam<Case> {};

TEST_P(StockMarketCases, ComputesTheRow) {
  const Case& c = GetParam();
  MarketRun run(c.initialising ? 0 : kStepRow);
  run.Seed(c.inputs);
  run.Run(c.initialising);
  EXPECT_EQ(run.period, c.initialising ? 0 : kStepRow);
  for (const auto& [v, x] : c.expected) {
    EXPECT_NEAR(run.At(v), x, 1e-9 * std::max(1.0, std::fabs(x))) << "variable " << v;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sector7, StockMarketCases,
    testing::Values(
        Case{"ShortfallFinancedByShares", false, {},
             {{stock_price, 10}, {shares_issued, 1 / 7.001}, {transfer_qual_np, 12},
              {transfer_qual_rn, 20}, {gross_margin, 0.1}, {eff_profits_fleet, 1}}},
        Case{"ShortfallFinancedBySharesInitialising", true, {},
             {{stock_price, 10}, {shares_issued, 1 / 7.001}}},
        Case{"NegativeFirmValue", false, {{mkt_value_of_firm, -1e6}},
             {{stock_price, 0}, {shares_issued, 1 / 0.001}}},
        Case{"CashSurplus", false, {{net_cash_flow, 4}}, {{shares_issued, 0}}},
        Case{"NoCashFlow", false, {{net_cash_flow, 0}}, {{shares_issued, 0}}},
        Case{"Liquidated", false, {{liquidation_switch, 1}}, {{shares_issued, 0}}},
        Case{"NoRevenue", false, {{grossprofit, 5}, {revenue, 0}},
             {{gross_margin, 5}, {eff_profits_fleet, 1}}},
        Case{"DeepLoss", false, {{grossprofit, -3e6}}, {{eff_profits_fleet, 0.55}}},
        Case{"LossAtTableStart", false, {{grossprofit, -0.25}, {revenue, 0}},
             {{eff_profits_fleet, 0.55}}},
        Case{"SmallMargin", false, {{grossprofit, 0.05}, {revenue, 0}},
             {{eff_profits_fleet, 1}}},
        Case{"StepPassKeepsTheEquityYield", false, {{netyieldequityissue, 0.5}},
             {{netyieldequityissue, 0.5}, {shares_issued, 1 / 5.001}}}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(Sector7, InitialisingPassFillsTheEquityYield) {
  MarketRun run(0);
  for (int r = 0; r <= kMaxRow; ++r) run.values->Set(netyieldequityissue, r, 0);
  run.Run(true);
  EXPECT_EQ(run.period, 0);
  for (int r = 0; r <= kMaxRow; ++r) {
    EXPECT_EQ(run.values->Get(netyieldequityissue, r), 0.7) << "row " << r;
  }
}

// No shares: the fault comes before stock_price is stored.
struct SharesFaultCase {
  std::string name;
  double firmValue;
  int code;
};

class NoSharesFaultCases : public testing::TestWithParam<SharesFaultCase> {};

TEST_P(NoSharesFaultCases, EndsThePassBeforeTheStore) {
  const SharesFaultCase& c = GetParam();
  MarketRun run(kStepRow);
  run.Seed({{total_shares, 0}, {mkt_value_of_firm, c.firmValue}, {stock_price, -7},
            {shares_issued, -7}});
  try {
    run.Run(false);
    FAIL() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), c.code);
  }
  EXPECT_EQ(run.At(stock_price), -7);
  EXPECT_EQ(run.At(shares_issued), -7);
}

INSTANTIATE_TEST_SUITE_P(Sector7, NoSharesFaultCases,
                         testing::Values(SharesFaultCase{"DivisionByZero", 4e7, kErrDivisionByZero},
                                         SharesFaultCase{"ZeroByZero", 0, kErrOverflow}),
                         [](const testing::TestParamInfo<SharesFaultCase>& info) {
                           return info.param.name;
                         });

// Revenue of -1: gross_margin stores its infinity, then the pass ends.
TEST(Sector7, RevenueOfMinusOneFaultsAfterTheStore) {
  MarketRun run(kStepRow);
  run.Seed({{revenue, -1}, {eff_profits_fleet, -7}});
  try {
    run.Run(false);
    FAIL() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), kErrDivisionByZero);
  }
  EXPECT_TRUE(std::isinf(run.At(gross_margin)));
  EXPECT_DOUBLE_EQ(run.At(transfer_qual_rn), 20);
  EXPECT_EQ(run.At(eff_profits_fleet), -7);
}

// A zero share-issue divisor (price 1, a net yield of -0.001) stores the infinity of
// shares_issued before the pass ends, unlike the zero share count of stock_price.
TEST(Sector7, ZeroIssueYieldFaultsAfterTheStore) {
  MarketRun run(kStepRow);
  run.Seed({{mkt_value_of_firm, 4e6}, {netyieldequityissue, -0.001}, {transfer_qual_np, -7}});
  try {
    run.Run(false);
    FAIL() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), kErrDivisionByZero);
  }
  EXPECT_EQ(run.At(stock_price), 1);
  EXPECT_EQ(run.At(shares_issued), INFINITY);
  EXPECT_EQ(run.At(transfer_qual_np), -7);
}

}  // namespace
}  // namespace talvair
