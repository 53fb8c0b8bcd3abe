#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <ostream>
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

using Values = std::vector<std::pair<Index, double>>;

constexpr int kStepRow = 5;

struct SectorRun {
  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
  Pass pass{*values, period};

  // A plausible quarter: the constants as the base values leave them, the inputs of
  // the earlier sectors in row `row`.
  explicit SectorRun(int row) {
    for (int r = 0; r <= kMaxRow; ++r) {
      values->Set(demavetime, r, 0.25);
      values->Set(potcompcostrelzk, r, 1);
      values->Set(revavetime, r, 0.25);
      values->Set(system_capacity, r, 40000000000);
      values->Set(adoption_fraction, r, 0.22);
      values->Set(contactsperyr, r, 300);
    }
    period = static_cast<int16_t>(row);
    Seed({{passengerscarried, 3e8},  {avepasscarried, 2.8e8},      {est_pass_mkt, 9.5e10},
          {newpassmk, 9.5e10},       {total_pass_mkt, 1.9e11},     {zkpotenestmktshare, 0.4},
          {zkpotennewmktshare, 0.5}, {mkt_share, 0.05},            {zk_share_total_cap, 0.01},
          {avg_indus_fare, 0.15},    {revenue, 5e7},               {averevenues, 40},
          {talvairfare, 0.09},       {ave_comp_fare, 0.16},        {mktg_expenditure, 7.6e7},
          {zkcustomers, 1e9},        {zkcustomersl, 2e9},          {percdindusfare, 0.16},
          {scope_of_service, 0.6},   {percscopeofservice, 0.5},    {quality_of_service, 0.8},
          {percadeqserv, 1}});
  }

  void Seed(const Values& inputs) {
    for (const auto& [v, x] : inputs) values->Set(v, period, x);
  }
  double At(Index v) const { return values->Get(v, period); }
};

struct Case {
  std::string name;
  bool initialising;
  Values inputs;    // over the plausible quarter
  Values expected;  // row of the pass
};

const std::vector<Case> kCases = {
    {"fare below the cap is the competitors' aim and they cut within a year", false,
     {{talvairfare, 0.09}, {ave_comp_fare, 0.16}},
     {{potcompfare, 0.09}, {timetocutcosts, 1}, {chcompfare, 0.09 - 0.16}}},
    {"fare above the cap leaves the aim at 0.16", false,
     {{talvairfare, 0.2}, {ave_comp_fare, 0.12}},
     {{potcompfare, 0.16}, {timetocutcosts, 3}, {chcompfare, (0.16 - 0.12) / 3}}},
    {"equal fares give the slow time and no change", false,
     {{talvairfare, 0.16}, {ave_comp_fare, 0.16}},
     {{potcompfare, 0.16}, {timetocutcosts, 3}, {chcompfare, 0}}},
    {"no market share: competitors do not react", false,
     {{mkt_share, 0}},
     {{effctmktshoncomp, 0}, {chcompfare, 0}}},
    {"market share past the table reacts fully", false,
     {{mkt_share, 0.3}},
     {{effctmktshoncomp, 1}, {chcompfare, 0.09 - 0.16}}},
    {"potential beyond the system caps customers at its capacity", false,
     {},
     {{potenestzkcust, 3.8e10}, {potennewzkcust, 4.75e10}, {poten_pas_rel_cap, 8.55e10 / 4e10},
      {zk_pot_frac_sys_cap, 1}, {potenzkcust, 4e10}}},
    {"full marketing coverage wins 0.3 of the gap a year", false,
     {},
     {{zk_target_market, 1.9e9}, {rel_mktg_coverage, 2}, {fract_adopt_rate, 0.3},
      {grwfrmadv, 3.9e10 * 0.3}}},
    {"no marketing wins nobody by advertising", false,
     {{mktg_expenditure, 0}},
     {{rel_mktg_coverage, 0}, {fract_adopt_rate, 0}, {grwfrmadv, 0}}},
    {"step pass grows from the customers of this quarter", false,
     {},
     {{fraccntctswzkcust, 1e9 / 1.9e11},
      {grwfrmwrdofmouth, 3.9e10 * 300 * (1e9 / 1.9e11) * 0.22},
      {chngzkcust, 3.9e10 * 300 * (1e9 / 1.9e11) * 0.22 + 3.9e10 * 0.3}}},
    {"initialising pass grows from the customer stock", true,
     {},
     {{fraccntctswzkcust, 2e9 / 1.9e11},
      {grwfrmwrdofmouth, 3.8e10 * 300 * (2e9 / 1.9e11) * 0.22},
      {grwfrmadv, 3.8e10 * 0.3}}},
    {"customers at the potential stop growing", false,
     {{zkcustomers, 4e10}},
     {{grwfrmwrdofmouth, 0}, {grwfrmadv, 0}, {chngzkcust, 0}}},
    {"no customers: growth from advertising alone", false,
     {{zkcustomers, 0}},
     {{fraccntctswzkcust, 0}, {grwfrmwrdofmouth, 0}, {chngzkcust, 4e10 * 0.3}}},
    {"customers above the potential shrink", false,
     {{zkcustomers, 5e10}},
     {{grwfrmadv, -1e10 * 0.3}}},
    {"perceptions move over half a year", false,
     {},
     {{chngpercdindfare, (0.15 - 0.16) / 0.5}, {chpercscopeservice, (0.6 - 0.5) / 0.5},
      {qual_perc_time, 0.5}, {cpsq, (0.8 - 1) / 0.5}}},
    {"initialising pass perceives a quality drop in 0.2 years", true,
     {},
     {{qual_perc_time, 0.2}, {cpsq, (0.8 - 1) / 0.2}}},
    {"initialising pass perceives equal quality in 2 years", true,
     {{quality_of_service, 1}},
     {{qual_perc_time, 2}, {cpsq, 0}}},
    {"initialising pass perceives a quality rise in 2 years", true,
     {{quality_of_service, 1.3}},
     {{qual_perc_time, 2}, {cpsq, (1.3 - 1) / 2}}},
    {"smoothing rates and revenues in millions", false,
     {},
     {{chavedem, 2e7 / 0.25}, {revenues, 50}, {chaverev, 10 / 0.25}}},
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

class Sector5CustomersTest : public testing::TestWithParam<Case> {};

TEST_P(Sector5CustomersTest, ComputesRow) {
  const Case& c = GetParam();
  SCOPED_TRACE(c.name);
  SectorRun run(c.initialising ? 0 : kStepRow);
  run.Seed(c.inputs);
  sectors::Sector5Customers(run.pass, c.initialising);
  EXPECT_EQ(run.period, c.initialising ? 0 : kStepRow);
  for (const auto& [v, want] : c.expected) {
    EXPECT_NEAR(run.At(v), want, std::abs(want) * 1e-12) << "VarIndex " << v;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, Sector5CustomersTest, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) {
                           return "Case" + std::to_string(info.index);
                         });

// Midway along every segment each table gives the mean of its two y points.
TEST(Sector5Customers, TablesFollowTheirPoints) {
  struct TableCase {
    Index output;
    double step;
    std::vector<double> y;
    Values (*inputsFor)(double x);
  };
  const std::vector<TableCase> tables = {
      {effctmktshoncomp, 0.004, {0, 0.03, 0.1, 0.2, 0.4, 0.62, 0.78, 0.86, 0.92, 0.97, 1},
       [](double x) { return Values{{mkt_share, x}}; }},
      {zk_pot_frac_sys_cap, 0.2, {0, 0.2, 0.36, 0.5, 0.63, 0.73, 0.81, 0.88, 0.93, 0.97, 1},
       [](double x) {
         return Values{{zkpotenestmktshare, 0}, {zkpotennewmktshare, x * 4e10 / 9.5e10}};
       }},
      {fract_adopt_rate, 0.2, {0, 0.02, 0.0575, 0.115, 0.18, 0.237, 0.268, 0.287, 0.3, 0.3, 0.3},
       [](double x) { return Values{{mktg_expenditure, x * 0.02 * 1.9e9}}; }},
  };
  for (const TableCase& table : tables) {
    for (std::size_t i = 0; i + 1 < table.y.size(); ++i) {
      SectorRun run(kStepRow);
      run.Seed(table.inputsFor((static_cast<double>(i) + 0.5) * table.step));
      sectors::Sector5Customers(run.pass, false);
      EXPECT_NEAR(run.At(table.output), (table.y[i] + table.y[i + 1]) / 2, 1e-6)
          << "VarIndex " << table.output << " segment " << i;
    }
  }
}

// With quarter-year smoothing the next quarter's smoothed stocks equal this quarter's values.
TEST(Sector5Customers, SmoothingCatchesUpInOneQuarter) {
  SectorRun run(kStepRow);
  sectors::Sector5Customers(run.pass, false);
  EXPECT_DOUBLE_EQ(run.At(avepasscarried) + 0.25 * run.At(chavedem), run.At(passengerscarried));
  EXPECT_DOUBLE_EQ(run.At(averevenues) + 0.25 * run.At(chaverev), run.At(revenues));
}

TEST(Sector5Customers, InitialisingFillsConstantsAndStepLeavesThem) {
  const Values constants = {{potcompcostrelzk, 1},
                            {revavetime, 0.25},
                            {system_capacity, 40000000000},
                            {adoption_fraction, 0.22},
                            {contactsperyr, 300}};
  SectorRun run(0);
  for (const auto& [v, x] : constants) {
    for (int r = 0; r <= kMaxRow; ++r) run.values->Set(v, r, -7);
  }
  sectors::Sector5Customers(run.pass, true);
  EXPECT_EQ(run.period, 0);
  for (const auto& [v, x] : constants) {
    for (int r = 0; r <= kMaxRow; ++r) EXPECT_EQ(run.values->Get(v, r), x) << v << " row " << r;
  }

  SectorRun step(kStepRow);
  for (const auto& [v, x] : constants) step.values->Set(v, kStepRow, x * 2);
  sectors::Sector5Customers(step.pass, false);
  for (const auto& [v, x] : constants) EXPECT_EQ(step.At(v), x * 2) << v;
}

struct FaultCase {
  std::string name;
  bool initialising;
  Values inputs;
  int code;
  Index faulting;   // its faulty result is stored
  double stored;    // NaN stands for any not-a-number
  Index untouched;  // a later statement keeps its old value
};

const std::vector<FaultCase> kFaults = {
    {"marketing without a target market", false, {{zk_share_total_cap, 0}}, kErrDivisionByZero,
     rel_mktg_coverage, INFINITY, effctmktshoncomp},
    {"no marketing and no target market", false,
     {{zk_share_total_cap, 0}, {mktg_expenditure, 0}}, kErrOverflow, rel_mktg_coverage, NAN,
     effctmktshoncomp},
    {"no capacity share in the initialising pass", true, {{zk_share_total_cap, 0}},
     kErrDivisionByZero, rel_mktg_coverage, INFINITY, contactsperyr},
};

TEST(Sector5Customers, UnguardedDivisionEndsThePass) {
  for (const FaultCase& c : kFaults) {
    SCOPED_TRACE(c.name);
    SectorRun run(c.initialising ? 0 : kStepRow);
    run.Seed(c.inputs);
    run.Seed({{c.untouched, -5}});
    try {
      sectors::Sector5Customers(run.pass, c.initialising);
      ADD_FAILURE() << "no fault";
    } catch (const ModelError& e) {
      EXPECT_EQ(e.Code(), c.code);
    }
    if (std::isnan(c.stored)) {
      EXPECT_TRUE(std::isnan(run.At(c.faulting)));
    } else {
      EXPECT_EQ(run.At(c.faulting), c.stored);
    }
    EXPECT_EQ(run.At(c.untouched), -5);
    EXPECT_EQ(run.At(zk_target_market), 0);  // the statement before has its new value
  }
}

// The initialising pass compares quality with a zero perception: the quotient faults at
// the comparison, before anything is stored.
TEST(Sector5Customers, ZeroPerceivedQualityFailsInitialisingComparison) {
  struct QualityCase {
    double quality;
    int code;
  };
  const std::vector<QualityCase> cases = {{0.8, kErrDivisionByZero}, {0, kErrOverflow}};
  for (const QualityCase& c : cases) {
    SectorRun run(0);
    run.Seed({{quality_of_service, c.quality}, {percadeqserv, 0}});
    run.Seed({{qual_perc_time, -5}, {cpsq, -5}});
    try {
      sectors::Sector5Customers(run.pass, true);
      ADD_FAILURE() << "no fault";
    } catch (const ModelError& e) {
      EXPECT_EQ(e.Code(), c.code);
    }
    EXPECT_EQ(run.At(qual_perc_time), -5);
    EXPECT_EQ(run.At(cpsq), -5);
    EXPECT_EQ(run.At(chpercscopeservice), (0.6 - 0.5) / 0.5);
  }
  // The step pass never divides by the perception.
  SectorRun step(kStepRow);
  step.Seed({{percadeqserv, 0}});
  sectors::Sector5Customers(step.pass, false);
  EXPECT_EQ(step.At(cpsq), 0.8 / 0.5);
}

}  // namespace
}  // namespace talvair
