#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "model/model_error.h"
#include "model/sectors.h"

namespace talvair {
namespace {

using namespace talvair::var;

constexpr double kUntouched = -7;
constexpr double kTableTolerance = 1e-6;  // table points lie at single-precision x values
constexpr Index kOutputs[] = {service_cap_req, mkt_value_per_csm, rel_serv_capacity, rel_value_per_csm,
                              eff_fin_incen_prody, relative_workweek, eff_workweek_prody, ch_ave_revenues,
                              service_effort, serveffrelreq, ch_ave_workweek, servquality,
                              quality_of_service, ch_zk_perc_qual};

class ServiceSector : public ::testing::Test {
 protected:
  // Staff capacity matches the workload, the value per employee equals its standard.
  void SeedRow(int16_t row) {
    period = row;
    Seed(zkcustomers, 1000);
    Seed(zkcustomersl, 1000);
    Seed(passengerscarried, 1000);
    Seed(scope_of_service, 1);
    Seed(servicecapacity, 1000);
    Seed(mkt_val_per_csm, 50000);
    Seed(std_value_per_csm, 50);
    Seed(startup_weight, 0);
    Seed(ave_rel_workweek, 1);
    Seed(revenue, 20000000);
    Seed(ave_revenues, 19000000);
    Seed(rev_averaging_time, 0.5);
    Seed(effloadonquality, 1);
    Seed(zk_perc_quality, 1);
    for (Index v : kOutputs) Seed(v, kUntouched);
  }
  void Seed(Index v, double x) { values->Set(v, period, x); }
  double Get(Index v) const { return values->Get(v, period); }
  void Run(bool initialising) {
    Pass p(*values, period);
    sectors::Sector4Service(p, initialising);
  }

  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;
};

struct WorkloadCase {
  std::string name;
  double customers;
  double passengers;
  double scope;
  double capacity;
  double required;
  double relCapacity;
  double workweek;
  double effort;
  double effortRelReq;
  double quality;
};

TEST_F(ServiceSector, WorkloadSetsWorkweekEffortAndQuality) {
  const WorkloadCase cases[] = {
      {"capacity matches workload", 1000, 1000, 1, 1000, 1000, 1, 1, 1000, 1, 1},
      {"double workload", 2000, 2000, 1, 1000, 2000, 2, 1.5, 1500, 0.75, 0.75},
      {"light workload", 100, 100, 1, 1000, 100, 0.1, 0.56, 560, 5.6, 1.4},
      {"no staff capacity", 1000, 1000, 1, 0, 1000, 999, 1.5, 0, 0, 0},
      {"no customers", 0, 0, 1, 1000, 0, 0, 0.55, 550, 0, 0},
      {"no scope of service", 1000, 1000, 0, 1000, 0, 0, 0.55, 550, 0, 0},
  };
  for (const WorkloadCase& c : cases) {
    SCOPED_TRACE(c.name);
    SeedRow(5);
    Seed(zkcustomers, c.customers);
    Seed(passengerscarried, c.passengers);
    Seed(scope_of_service, c.scope);
    Seed(servicecapacity, c.capacity);
    Seed(effloadonquality, 0.9);
    EXPECT_NO_THROW(Run(false));
    EXPECT_DOUBLE_EQ(Get(service_cap_req), c.required);
    EXPECT_DOUBLE_EQ(Get(rel_serv_capacity), c.relCapacity);
    EXPECT_NEAR(Get(relative_workweek), c.workweek, kTableTolerance);
    EXPECT_NEAR(Get(service_effort), c.effort, 1e-3);
    EXPECT_NEAR(Get(serveffrelreq), c.effortRelReq, kTableTolerance);
    EXPECT_NEAR(Get(servquality), c.quality, kTableTolerance);
    EXPECT_NEAR(Get(quality_of_service), c.quality * 0.9, kTableTolerance);
  }
}

struct IncentiveCase {
  std::string name;
  double valuePerCsm;
  double weight;
  double relValue;
  double effect;
};

TEST_F(ServiceSector, FinancialIncentiveFadesInAfterStartUp) {
  const IncentiveCase cases[] = {
      {"start-up ignores the value", 200000, 1, 1, 1},
      {"at the standard", 50000, 0, 1, 1},
      {"twice the standard", 100000, 0, 2, 1.09},
      {"half faded", 150000, 0.5, 2, 1.09},
      {"far above the standard", 400000, 0, 8, 1.2},
      {"worthless", 0, 0, 0, 0.6},
      {"negative value", -50000, 0, -1, 0.6},
  };
  for (const IncentiveCase& c : cases) {
    SCOPED_TRACE(c.name);
    SeedRow(5);
    Seed(mkt_val_per_csm, c.valuePerCsm);
    Seed(startup_weight, c.weight);
    Run(false);
    EXPECT_DOUBLE_EQ(Get(mkt_value_per_csm), c.valuePerCsm / 1000);
    EXPECT_DOUBLE_EQ(Get(rel_value_per_csm), c.relValue);
    EXPECT_NEAR(Get(eff_fin_incen_prody), c.effect, kTableTolerance);
  }
}

struct WorkweekCase {
  double averageWorkweek;
  double stepEffect;
  double initialEffect;
};

TEST_F(ServiceSector, AveragedWorkweekWearsProductivityDifferentlyPerPass) {
  const WorkweekCase cases[] = {
      {0.8, 1, 1}, {1, 1, 1}, {1.2, 0.84, 1}, {1.5, 0.6, 1}, {2.2, 0.6, 0.84}, {2.5, 0.6, 0.6}, {3, 0.6, 0.6},
  };
  for (const WorkweekCase& c : cases) {
    for (bool initialising : {false, true}) {
      SCOPED_TRACE(std::to_string(c.averageWorkweek) + (initialising ? " (initialising)" : " (step)"));
      SeedRow(initialising ? 0 : 5);
      Seed(ave_rel_workweek, c.averageWorkweek);
      Run(initialising);
      EXPECT_NEAR(Get(eff_workweek_prody), initialising ? c.initialEffect : c.stepEffect, kTableTolerance);
    }
  }
}

struct RateCase {
  std::string name;
  double aveRevenues;
  double aveWorkweek;
  double perceivedQuality;
  double revenueRate;
  double workweekRate;
  double qualityRate;
};

TEST_F(ServiceSector, ChangeRatesCloseTheGaps) {
  // revenue 20000000, relative_workweek 1 and quality_of_service 1 throughout.
  const RateCase cases[] = {
      {"targets reached but revenue", 19000000, 1, 1, 2000000, 0, 0},
      {"revenue falling, quality perceived low", 21000000, 1, 0.8, -2000000, 0, 0.4},
      {"workweek averaged low", 20000000, 0.9, 1, 0, 0.2, 0},
  };
  for (const RateCase& c : cases) {
    SCOPED_TRACE(c.name);
    SeedRow(5);
    Seed(ave_revenues, c.aveRevenues);
    Seed(ave_rel_workweek, c.aveWorkweek);
    Seed(zk_perc_quality, c.perceivedQuality);
    Run(false);
    EXPECT_DOUBLE_EQ(Get(ch_ave_revenues), c.revenueRate);
    EXPECT_NEAR(Get(ch_ave_workweek), c.workweekRate, kTableTolerance);
    EXPECT_NEAR(Get(ch_zk_perc_qual), c.qualityRate, kTableTolerance);
  }
}

TEST_F(ServiceSector, InitialisingPassSetsTheValueStandard) {
  for (int row = 0; row < kRows; ++row) values->Set(std_value_per_csm, row, kUntouched);
  SeedRow(0);
  Seed(zkcustomers, 5);  // not yet computed by this pass: the stock stands in
  Seed(mkt_val_per_csm, 80000);
  Run(true);
  EXPECT_EQ(period, 0);
  EXPECT_DOUBLE_EQ(Get(service_cap_req), 1000);
  for (int row = 0; row < kRows; ++row) EXPECT_EQ(values->Get(std_value_per_csm, row), 80) << row;
  EXPECT_DOUBLE_EQ(Get(rel_value_per_csm), 1);

  // The step pass reads zkcustomers and keeps the standard.
  SeedRow(5);
  Seed(zkcustomers, 3000);
  Seed(std_value_per_csm, 80);
  Run(false);
  EXPECT_DOUBLE_EQ(Get(service_cap_req), 2000);
  EXPECT_EQ(Get(std_value_per_csm), 80);
}

struct FaultCase {
  std::string name;
  double standard;
  double valuePerCsm;
  double averagingTime;
  Index faulting;
  Index next;
  int code;
};

TEST_F(ServiceSector, UnguardedZeroDivisorEndsThePass) {
  const FaultCase cases[] = {
      {"value standard zero", 0, 50000, 0.5, rel_value_per_csm, eff_fin_incen_prody, kErrDivisionByZero},
      {"value and standard zero", 0, 0, 0.5, rel_value_per_csm, eff_fin_incen_prody, kErrOverflow},
      {"averaging time zero", 50, 50000, 0, ch_ave_revenues, service_effort, kErrDivisionByZero},
  };
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.name);
    SeedRow(5);
    Seed(std_value_per_csm, c.standard);
    Seed(mkt_val_per_csm, c.valuePerCsm);
    Seed(rev_averaging_time, c.averagingTime);
    try {
      Run(false);
      ADD_FAILURE() << "no fault raised";
    } catch (const ModelError& e) {
      EXPECT_EQ(e.Code(), c.code);
    }
    EXPECT_FALSE(std::isfinite(Get(c.faulting)));
    EXPECT_EQ(Get(c.next), kUntouched);
    EXPECT_EQ(Get(ch_zk_perc_qual), kUntouched);
  }
}

}  // namespace
}  // namespace talvair
