#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

const Values kConstants = {{potcompcostrelzk, 1},
                           {revavetime, 0.25},
                           {system_capacity, 4e10},
                           {adoption_fraction, 0.22},
                           {contactsperyr, 300}};

// A plausible quarter: the constants as the base values leave them, the inputs of the
// earlier sectors in the row of the pass.
SectorFixture Quarter(bool initialising) {
  SectorFixture f(sectors::Sector5Customers, initialising ? 0 : 5);
  f.SeedAllRows(kConstants);
  f.SeedAllRows(demavetime, 0.25);
  f.Seed({{passengerscarried, 3e8},
          {avepasscarried, 2.8e8},
          {est_pass_mkt, 9.5e10},
          {newpassmk, 9.5e10},
          {total_pass_mkt, 1.9e11},
          {zkpotenestmktshare, 0.4},
          {zkpotennewmktshare, 0.5},
          {mkt_share, 0.05},
          {zk_share_total_cap, 0.01},
          {avg_indus_fare, 0.15},
          {revenue, 5e7},
          {averevenues, 40},
          {talvairfare, 0.09},
          {ave_comp_fare, 0.16},
          {mktg_expenditure, 7.6e7},
          {zkcustomers, 1e9},
          {zkcustomersl, 2e9},
          {percdindusfare, 0.16},
          {scope_of_service, 0.6},
          {percscopeofservice, 0.5},
          {quality_of_service, 0.8},
          {percadeqserv, 1}});
  return f;
}

TEST(Sector5Customers, ComputesTheRow) {
  // Word of mouth: the gap to the potential × contacts × share of contacts × adoption.
  const double wordOfMouth = 3.9e10 * 300 * (1e9 / 1.9e11) * 0.22;
  ExpectRows(
      Quarter,
      {
          {"fare below the cap is the competitors' aim and they cut within a year",
           {},
           {{potcompfare, 0.09}, {timetocutcosts, 1}, {chcompfare, -0.07}}},
          {"fare above the cap leaves the aim at 0.16",
           {{talvairfare, 0.2}, {ave_comp_fare, 0.12}},
           {{potcompfare, 0.16}, {timetocutcosts, 3}, {chcompfare, 0.04 / 3}}},
          {"equal fares give the slow time and no change",
           {{talvairfare, 0.16}},
           {{potcompfare, 0.16}, {timetocutcosts, 3}, {chcompfare, 0}}},
          // the competitors' reaction to the market share, below, inside and past its table
          {"no market share", {{mkt_share, 0}}, {{effctmktshoncomp, 0}, {chcompfare, 0}}},
          {"share 0.018", {{mkt_share, 0.018}}, {{effctmktshoncomp, 0.51}}, false, 1e-7},
          {"share 0.3", {{mkt_share, 0.3}}, {{effctmktshoncomp, 1}, {chcompfare, -0.07}}},
          {"potential beyond the system caps customers at its capacity",
           {},
           {{potenestzkcust, 3.8e10},
            {potennewzkcust, 4.75e10},
            {poten_pas_rel_cap, 2.1375},
            {zk_pot_frac_sys_cap, 1},
            {potenzkcust, 4e10}}},
          {"potential 0.9 of the system capacity",
           {{zkpotenestmktshare, 0}, {zkpotennewmktshare, 3.6e10 / 9.5e10}},
           {{zk_pot_frac_sys_cap, 0.68}},
           false,
           1e-7},
          {"full marketing coverage wins 0.3 of the gap a year",
           {},
           {{zk_target_market, 1.9e9},
            {rel_mktg_coverage, 2},
            {fract_adopt_rate, 0.3},
            {grwfrmadv, 1.17e10}}},
          {"coverage 0.9",
           {{mktg_expenditure, 3.42e7}},
           {{rel_mktg_coverage, 0.9}, {fract_adopt_rate, 0.2085}},
           false,
           1e-7},
          {"no marketing wins nobody by advertising",
           {{mktg_expenditure, 0}},
           {{rel_mktg_coverage, 0}, {fract_adopt_rate, 0}, {grwfrmadv, 0}}},
          {"step pass grows from the customers of this quarter",
           {},
           {{fraccntctswzkcust, 1e9 / 1.9e11},
            {grwfrmwrdofmouth, wordOfMouth},
            {chngzkcust, wordOfMouth + 1.17e10}}},
          {"initialising pass grows from the customer stock",
           {},
           {{fraccntctswzkcust, 2e9 / 1.9e11},
            {grwfrmwrdofmouth, 3.8e10 * 300 * (2e9 / 1.9e11) * 0.22},
            {grwfrmadv, 1.14e10}},
           true},
          {"customers at the potential stop growing",
           {{zkcustomers, 4e10}},
           {{grwfrmwrdofmouth, 0}, {grwfrmadv, 0}, {chngzkcust, 0}}},
          {"no customers: growth from advertising alone",
           {{zkcustomers, 0}},
           {{fraccntctswzkcust, 0}, {grwfrmwrdofmouth, 0}, {chngzkcust, 1.2e10}}},
          {"customers above the potential shrink", {{zkcustomers, 5e10}}, {{grwfrmadv, -3e9}}},
          {"perceptions move over half a year",
           {},
           {{chngpercdindfare, -0.02},
            {chpercscopeservice, 0.2},
            {qual_perc_time, 0.5},
            {cpsq, -0.4}}},
          {"the step pass never divides by the perception", {{percadeqserv, 0}}, {{cpsq, 1.6}}},
          {"initialising pass perceives a quality drop in 0.2 years",
           {},
           {{qual_perc_time, 0.2}, {cpsq, -1}},
           true},
          {"initialising pass perceives equal quality in 2 years",
           {{quality_of_service, 1}},
           {{qual_perc_time, 2}, {cpsq, 0}},
           true},
          {"initialising pass perceives a quality rise in 2 years",
           {{quality_of_service, 1.3}},
           {{qual_perc_time, 2}, {cpsq, 0.15}},
           true},
          {"smoothing rates and revenues in millions",
           {},
           {{chavedem, 8e7}, {revenues, 50}, {chaverev, 40}}},
      });
}

TEST(Sector5Customers, InitialisingFillsConstantsAndStepLeavesThem) {
  SectorFixture f = Quarter(true);
  for (const auto& [v, x] : kConstants) f.SeedAllRows(v, kUntouched);
  f.Run(true);
  f.ExpectAllRows(kConstants);

  Values doubled = kConstants;
  for (auto& [v, x] : doubled) x *= 2;
  ExpectRows(Quarter, {{"step", doubled, doubled}});
}

TEST(Sector5Customers, UnguardedDivisionEndsThePass) {
  ExpectFaults(
      Quarter,
      {
          // marketing without a target market
          {{{zk_share_total_cap, 0}}, kErrDivisionByZero, rel_mktg_coverage, effctmktshoncomp},
          {{{zk_share_total_cap, 0}, {mktg_expenditure, 0}},
           kErrOverflow,
           rel_mktg_coverage,
           effctmktshoncomp},
          {{{zk_share_total_cap, 0}},
           kErrDivisionByZero,
           rel_mktg_coverage,
           contactsperyr,
           Stored::kNonFinite,
           true},
          // The initialising pass compares quality with a zero perception: the quotient faults
          // at the comparison, before the store.
          {{{percadeqserv, 0}}, kErrDivisionByZero, qual_perc_time, cpsq, Stored::kNothing, true},
          {{{percadeqserv, 0}, {quality_of_service, 0}},
           kErrOverflow,
           qual_perc_time,
           cpsq,
           Stored::kNothing,
           true},
      });
}

}  // namespace
}  // namespace talvair
