#include "sector_fixture.h"

namespace talvair {
namespace {

using namespace talvair::var;
using namespace talvair::sector_test;

constexpr double kTableTolerance = 1e-6;  // table points lie at single-precision x values

// Staff capacity matches the workload, the value per employee equals its standard.
SectorFixture Balanced(bool initialising) {
  SectorFixture f(sectors::Sector4Service, initialising ? 0 : 5);
  f.Seed({{zkcustomers, 1000},
          {zkcustomersl, 1000},
          {passengerscarried, 1000},
          {scope_of_service, 1},
          {servicecapacity, 1000},
          {mkt_val_per_csm, 50000},
          {std_value_per_csm, 50},
          {startup_weight, 0},
          {ave_rel_workweek, 1},
          {revenue, 20000000},
          {ave_revenues, 19000000},
          {rev_averaging_time, 0.5},
          {effloadonquality, 0.9},
          {zk_perc_quality, 1}});
  return f;
}

// customers (and passengers), scope of service, staff capacity
Values Workload(double customers, double scope, double capacity) {
  return {{zkcustomers, customers},
          {passengerscarried, customers},
          {scope_of_service, scope},
          {servicecapacity, capacity}};
}

TEST(Sector4Service, WorkloadSetsWorkweekEffortAndQuality) {
  ExpectRows(Balanced, {
                           {"capacity matches workload",
                            Workload(1000, 1, 1000),
                            {{service_cap_req, 1000},
                             {rel_serv_capacity, 1},
                             {relative_workweek, 1},
                             {service_effort, 1000},
                             {serveffrelreq, 1},
                             {servquality, 1},
                             {quality_of_service, 0.9}}},
                           {"double workload",
                            Workload(2000, 1, 1000),
                            {{service_cap_req, 2000},
                             {rel_serv_capacity, 2},
                             {relative_workweek, 1.5},
                             {service_effort, 1500},
                             {serveffrelreq, 0.75},
                             {servquality, 0.75}},
                            false,
                            kTableTolerance},
                           {"light workload",
                            Workload(100, 1, 1000),
                            {{rel_serv_capacity, 0.1},
                             {relative_workweek, 0.56},
                             {service_effort, 560},
                             {serveffrelreq, 5.6},
                             {servquality, 1.4}},
                            false,
                            kTableTolerance},
                           {"no staff capacity",
                            Workload(1000, 1, 0),
                            {{rel_serv_capacity, 999},
                             {relative_workweek, 1.5},
                             {service_effort, 0},
                             {servquality, 0}}},
                           {"no customers",
                            Workload(0, 1, 1000),
                            {{service_cap_req, 0}, {relative_workweek, 0.55}, {serveffrelreq, 0}},
                            false,
                            kTableTolerance},
                           {"no scope of service",
                            Workload(1000, 0, 1000),
                            {{service_cap_req, 0}, {rel_serv_capacity, 0}, {serveffrelreq, 0}}},
                       });
}

TEST(Sector4Service, FinancialIncentiveFadesInAfterStartUp) {
  ExpectRows(Balanced,
             {
                 {"start-up ignores the value",
                  {{mkt_val_per_csm, 200000}, {startup_weight, 1}},
                  {{rel_value_per_csm, 1}, {eff_fin_incen_prody, 1}}},
                 {"half faded",
                  {{mkt_val_per_csm, 150000}, {startup_weight, 0.5}},
                  {{rel_value_per_csm, 2}, {eff_fin_incen_prody, 1.09}},
                  false,
                  kTableTolerance},
                 {"between table points",
                  {{mkt_val_per_csm, 75000}},
                  {{rel_value_per_csm, 1.5}, {eff_fin_incen_prody, 1.045}},
                  false,
                  kTableTolerance},
                 {"beyond the table", {{mkt_val_per_csm, 600000}}, {{eff_fin_incen_prody, 1.2}}},
                 {"below it",
                  {{mkt_val_per_csm, -50000}},
                  {{rel_value_per_csm, -1}, {eff_fin_incen_prody, 0.6}}},
             });
}

TEST(Sector4Service, AveragedWorkweekWearsProductivityDifferentlyPerPass) {
  // The initialising table falls only beyond twice the normal workweek.
  ExpectRows(Balanced,
             {
                 {"short week", {{ave_rel_workweek, 0.8}}, {{eff_workweek_prody, 1}}},
                 {"short week", {{ave_rel_workweek, 0.8}}, {{eff_workweek_prody, 1}}, true},
                 {"long week",
                  {{ave_rel_workweek, 1.225}},
                  {{eff_workweek_prody, 0.805}},
                  false,
                  kTableTolerance},
                 {"long week", {{ave_rel_workweek, 1.225}}, {{eff_workweek_prody, 1}}, true},
                 {"double week", {{ave_rel_workweek, 2.225}}, {{eff_workweek_prody, 0.6}}},
                 {"double week",
                  {{ave_rel_workweek, 2.225}},
                  {{eff_workweek_prody, 0.805}},
                  true,
                  kTableTolerance},
                 {"triple week", {{ave_rel_workweek, 3}}, {{eff_workweek_prody, 0.6}}, true},
             });
}

TEST(Sector4Service, ChangeRatesCloseTheGaps) {
  // revenue 20000000, relative_workweek 1 and quality_of_service 0.9 throughout
  ExpectRows(Balanced,
             {
                 {"revenue rising", {}, {{ch_ave_revenues, 2000000}, {ch_ave_workweek, 0}}},
                 {"revenue falling, quality perceived low",
                  {{ave_revenues, 21000000}, {zk_perc_quality, 0.8}},
                  {{ch_ave_revenues, -2000000}, {ch_zk_perc_qual, 0.2}}},
                 {"workweek averaged low",
                  {{ave_rel_workweek, 0.9}},
                  {{ch_ave_workweek, 0.2}, {ch_zk_perc_qual, -0.2}}},
             });
}

TEST(Sector4Service, InitialisingPassSetsTheValueStandard) {
  SectorFixture f = Balanced(true);
  f.SeedAllRows(std_value_per_csm, kUntouched);
  f.Seed({{zkcustomers, 5}, {mkt_val_per_csm, 80000}});  // not yet computed: the stock stands in
  f.Run(true);
  f.Expect({{service_cap_req, 1000}, {rel_value_per_csm, 1}});
  f.ExpectAllRows({{std_value_per_csm, 80}});
  // The step pass reads zkcustomers and keeps the standard.
  ExpectRows(Balanced, {{"step",
                         {{zkcustomers, 3000}, {std_value_per_csm, 80}},
                         {{service_cap_req, 2000}, {std_value_per_csm, 80}}}});
}

TEST(Sector4Service, UnguardedZeroDivisorEndsThePass) {
  ExpectFaults(
      Balanced,
      {
          {{{std_value_per_csm, 0}}, kErrDivisionByZero, rel_value_per_csm, eff_fin_incen_prody},
          {{{std_value_per_csm, 0}, {mkt_val_per_csm, 0}},
           kErrOverflow,
           rel_value_per_csm,
           ch_zk_perc_qual},
          {{{rev_averaging_time, 0}}, kErrDivisionByZero, ch_ave_revenues, service_effort},
      });
}

}  // namespace
}  // namespace talvair
