#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "model/model_error.h"
#include "model/sectors.h"

namespace talvair {
namespace {

using namespace var;

using Values = std::vector<std::pair<Index, double>>;

class Sector9TailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int row = 0; row <= kMaxRow; ++row) values->Set(year, row, 1981 + 0.25 * row);
    Seed({{csm_prody_for_hires, 1200000}, {hiringtime, 0.5}, {switch_exog_hiring, 1},
          {earnings_per_share, 1}, {revavetime, 1}});
  }
  // Into every row, so that the row under test and its neighbours agree.
  void Seed(const Values& seeds) {
    for (auto [v, x] : seeds) {
      for (int row = 0; row <= kMaxRow; ++row) values->Set(v, row, x);
    }
  }
  double At(Index v, int row) const { return values->Get(v, row); }
  void Run(bool initialising, int row = 0) {
    period = static_cast<int16_t>(row);
    sectors::Sector9Tail(pass, initialising);
  }

  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
  Pass pass{*values, period};
};

struct TailStatementCase {
  const char* name;
  bool initialising;
  int row;
  Values seeds;
  Values expected;
  double tolerance = 0;  // 0: equal to the last few bits
  int fault = 0;         // the error that ends the pass, if any
};

class TailStatementTest : public Sector9TailTest, public ::testing::WithParamInterface<TailStatementCase> {};

TEST_P(TailStatementTest, Values) {
  const TailStatementCase& c = GetParam();
  Seed(c.seeds);
  try {
    Run(c.initialising, c.row);
    EXPECT_EQ(c.fault, 0) << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), c.fault);
  }
  for (auto [v, x] : c.expected) {
    if (c.tolerance == 0) {
      EXPECT_DOUBLE_EQ(At(v, c.row), x) << "VarIndex " << v;
    } else {
      EXPECT_NEAR(At(v, c.row), x, c.tolerance) << "VarIndex " << v;
    }
  }
}

const auto kName = [](const auto& info) { return info.param.name; };

// Staff target 1,200,000,000 / 1,200,000 × (0.5 × 0.2 + 1) = 1100 against 500 employed.
const Values kStaffGap = {{scope_of_service, 1}, {passengercapacity, 1200000000}, {desired_growth_rate, 0.2},
                          {effctservadqonhir, 1}, {total_csms1, 500}, {total_csm_turnover, 40}};
Values With(Values base, const Values& more) {
  base.insert(base.end(), more.begin(), more.end());
  return base;
}

INSTANTIATE_TEST_SUITE_P(
    Series, TailStatementTest,
    ::testing::Values(
        TailStatementCase{"FirstQuarter", false, 0, {}, {{hist_stock_price, 3.94}, {quarter, 1}, {yr, 1981}}},
        TailStatementCase{"FourthQuarter", false, 3, {}, {{quarter, 4}, {yr, 1981}}},
        TailStatementCase{"NextYear", false, 4, {}, {{quarter, 1}, {yr, 1982}, {hist_revenues, 38000000}}},
        TailStatementCase{"PassengersTowardsNoData", false, 21, {},
                          {{hist_totapassengers, 2.50000002025e19}}, 1e6},
        TailStatementCase{"StockPriceBetweenLastPoints", false, 24, {}, {{hist_stock_price, 1.87}}, 0.01},
        TailStatementCase{"StockPriceAfterSeries", false, 25, {}, {{hist_stock_price, 0}}},
        TailStatementCase{"SeriesEnded", false, 28, {},
                          {{hist_mktg_expense, 0}, {hist_net_profit, 0}, {hist_revenues, 0}}},
        TailStatementCase{"LastPeriod", false, 40, {}, {{hist_capacity, 500000000}, {yr, 1991}}},
        TailStatementCase{"ExogenousHiringIgnoresGap", false, 5, kStaffGap, {{targetcsms, 1100}, {hiring, 37.5}}},
        TailStatementCase{"OwnHiringClosesGap", false, 5, With(kStaffGap, {{switch_exog_hiring, 0}}),
                          {{hiring, 310}}}),
    kName);

INSTANTIATE_TEST_SUITE_P(
    Ratios, TailStatementTest,
    ::testing::Values(
        TailStatementCase{"NoCostsNoShares", false, 0,
                          {{cost_of_fleet, 100}, {interestpayments, 20}, {mktg_expenditure, 30}, {costofservice, 50}},
                          {{frac_costs_fleet, 0}, {frac_costs_interest, 0}, {frac_costs_mktg, 0},
                           {frac_costs_service, 0}}},
        TailStatementCase{"StaffRatios", false, 0,
                          {{total_csms, 100}, {total_csm_turnover, 20}, {mkt_value_of_firm, 5000000},
                           {passengerscarried, 300000}, {hire_rate, 40}, {rookie_outflow, 8}, {rookies, 20}},
                          {{fractional_turnover, 0.05}, {mkt_val_per_csm0, 50}, {rev_miles_per_csm, 3},
                           {rookie_fraction, 0.28}}},
        TailStatementCase{"NoStaff", false, 0,
                          {{total_csm_turnover, 20}, {mkt_value_of_firm, 5000000}, {passengerscarried, 300000},
                           {hire_rate, 40}, {to_n, 5}, {to_r, 2}, {to_p, 12}},
                          {{fractional_turnover, 0}, {mkt_val_per_csm0, 0}, {rev_miles_per_csm, 0},
                           {rookie_fraction, 0}, {fracto_n, 0}, {fracto_r, 0}, {fracto_p, 0}}},
        TailStatementCase{"NegativeStaffDividesOnlyEqualityGuards", false, 0,
                          {{total_csms, -10}, {total_csm_turnover, 20}, {mkt_value_of_firm, 5000000},
                           {passengerscarried, 300000}, {hire_rate, 40}},
                          {{fractional_turnover, 0}, {rookie_fraction, 0}, {mkt_val_per_csm0, -500},
                           {rev_mi_per_csm, -30000}}},
        TailStatementCase{"NoEquityNoReturn", false, 0, {{net_profit, 30}, {shareholders_equity, -200}},
                          {{roe, 0}}},
        TailStatementCase{"NoCustomersStep", false, 0, {{grwfrmadv, 10}, {grwfrmwrdofmouth, 30}, {chngzkcust, 50}},
                          {{grwratefrmadv, 0}, {grwratefrmwom, 0}, {grwratezkcust, 0}}},
        TailStatementCase{"CustomerGrowthInitUsesStock", true, 0,
                          {{grwfrmadv, 10}, {grwfrmwrdofmouth, 30}, {chngzkcust, 50}, {lossofcustomers, 10},
                           {zkcustomersl, 200}, {talvairfare, 0.1}},
                          {{grwratefrmadv, 0.05}, {grwratefrmwom, 0.15}, {grwratezkcust, 0.2}, {pricerobust, 1},
                           {zkcustomers, 200}}},
        TailStatementCase{"PriceRobustHalf", true, 0, {{talvairfare, 0.4}, {zkcustomersl, 1000}},
                          {{pricerobust, 0.5}, {zkcustomers, 500}}, 1e-4},
        TailStatementCase{"PriceRobustGone", true, 0, {{talvairfare, 0.6}}, {{pricerobust, 1e-08}}, 1e-7},
        TailStatementCase{"InitNetIncomeOfLiquidatedFirm", true, 0, {{liquidation_switch, 1}, {net_profit, 5000000}},
                          {{net_income, -1000000000}, {liquidation_switch, 1}}},
        TailStatementCase{"InitRevenueGrowthAgainstAverage", true, 0,
                          {{revenues, 110}, {averevenues, 100}, {revavetime, 0.09}}, {{revgrrate, 100}}},
        TailStatementCase{"Solvent", false, 2, {{assets, 10}, {debt, 9}}, {{liquidation_switch, 0}}},
        TailStatementCase{"NoEquityLiquidates", false, 2, {{assets, 10}, {debt, 10}}, {{liquidation_switch, 1}}}),
    kName);

// Unguarded divisions end the pass there; the statements after it keep their old values.
INSTANTIATE_TEST_SUITE_P(
    Faults, TailStatementTest,
    ::testing::Values(
        TailStatementCase{"NoEarnings", false, 3, {{stock_price, 6}, {earnings_per_share, 0}, {service_costs, -1}},
                          {{service_costs, -1}}, 0, kErrDivisionByZero},
        TailStatementCase{"NoEarningsNoPrice", false, 3, {{earnings_per_share, 0}, {service_costs, -1}},
                          {{service_costs, -1}}, 0, kErrOverflow},
        TailStatementCase{"InitRevenueAverageDivisorZero", true, 0,
                          {{revenues, 3}, {averevenues, 1}, {revavetime, -1}, {service_costs, -1}},
                          {{service_costs, -1}}, 0, kErrDivisionByZero}),
    kName);

// Revenues 100, 110, 121 grow by 10 % a quarter; a liquidated firm's rows carry no revenue,
// and a quarter after such a row measures no growth instead of ending the step.
TEST_F(Sector9TailTest, RevenueGrowthOverQuarters) {
  const std::vector<double> revenue = {100, 110, 121, 0, 0, 50};
  const std::vector<double> growth = {0, 10, 10, -100, 0, 0};
  for (int row = 0; row < static_cast<int>(revenue.size()); ++row) {
    values->Set(revenues, row, revenue[row]);
    Run(false, row);
    EXPECT_DOUBLE_EQ(At(revgrrate, row), growth[row]) << "row " << row;
    EXPECT_EQ(At(TempRevenue, row), row <= 1 ? revenue[0] : revenue[row - 1]) << "row " << row;
    EXPECT_EQ(At(TempRevenue, row + 1), revenue[row]) << "row " << row;
  }
}

TEST_F(Sector9TailTest, InitialisingPassRefillsConstantsBeforeReadingThem) {
  Seed({{csm_prody_for_hires, 0}, {hiringtime, 0}, {switch_exog_hiring, 0}, {switch_exog_mktg, 0},
        {zero, 5}, {total_csms1, 500}});
  Run(true);
  EXPECT_EQ(period, 0);
  EXPECT_DOUBLE_EQ(At(hiring, 0), 37.5);
  for (int row = 0; row <= kMaxRow; ++row) {
    EXPECT_EQ(At(csm_prody_for_hires, row), 1200000);
    EXPECT_EQ(At(hiringtime, row), 0.5);
    EXPECT_EQ(At(switch_exog_hiring, row), 1);
    EXPECT_EQ(At(switch_exog_mktg, row), 1);
    EXPECT_EQ(At(zero, row), 0);
  }
}

}  // namespace
}  // namespace talvair
