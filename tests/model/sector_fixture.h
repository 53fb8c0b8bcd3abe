// Shared set-up of the sector tests: a value table and the period field that one sector
// runs a pass over, with helpers to seed rows, read results and expect a model fault.
#pragma once

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

namespace talvair::sector_test {

using Values = std::vector<std::pair<var::Index, double>>;
using SectorFn = void (*)(Pass&, bool);

// Seeded into outputs so that a statement the pass never reached shows.
inline constexpr double kUntouched = -7;

template <class F>
void ExpectModelError(int code, F&& run) {
  try {
    run();
    ADD_FAILURE() << "no fault";
  } catch (const ModelError& e) {
    EXPECT_EQ(e.Code(), code);
  }
}

class SectorFixture {
 public:
  explicit SectorFixture(SectorFn sector, int row = 0) : sector_(sector) { SetRow(row); }

  void SetRow(int row) { period = static_cast<int16_t>(row); }
  void Seed(var::Index v, double x) { values->Set(v, period, x); }
  void Seed(const Values& seeds) {
    for (const auto& [v, x] : seeds) Seed(v, x);
  }
  void SeedAllRows(var::Index v, double x) {
    for (int row = 0; row <= kMaxRow; ++row) values->Set(v, row, x);
  }
  void SeedAllRows(const Values& seeds) {
    for (const auto& [v, x] : seeds) SeedAllRows(v, x);
  }
  double At(var::Index v) const { return values->Get(v, period); }
  double At(var::Index v, int row) const { return values->Get(v, row); }

  // A fresh pass each run, as the model starts one per period.
  void Run(bool initialising = false) {
    Pass pass(*values, period);
    sector_(pass, initialising);
  }

  // Relative to the size of the expected value, absolute below 1.
  void Expect(const Values& expected, double tolerance = 1e-9) const {
    for (const auto& [v, x] : expected) {
      EXPECT_NEAR(At(v), x, tolerance * std::max(1.0, std::fabs(x))) << "VarIndex " << v;
    }
  }
  // A fill writes every row, not just the current one.
  void ExpectAllRows(const Values& expected) const {
    for (const auto& [v, x] : expected) {
      int row = 0;
      while (row <= kMaxRow && values->Get(v, row) == x) ++row;
      EXPECT_GT(row, kMaxRow) << "VarIndex " << v << " differs from " << x << " in row " << row;
    }
  }

  std::unique_ptr<ValueTable> values = std::make_unique<ValueTable>();
  int16_t period = 0;

 private:
  SectorFn sector_;
};

// A worked example: inputs seeded over a plausible row, then what the pass stores there.
struct RowCase {
  std::string name;
  Values inputs;
  Values expected;
  bool initialising = false;
  double tolerance = 1e-9;
};

// Runs each case on a fresh fixture from make(initialising); the initialising pass ends
// on row 0, the step pass keeps its row.
template <class Make>
void ExpectRows(Make make, const std::vector<RowCase>& cases) {
  for (const RowCase& c : cases) {
    SCOPED_TRACE(c.name + (c.initialising ? " (initialising)" : ""));
    SectorFixture f = make(c.initialising);
    const int row = f.period;
    f.Seed(c.inputs);
    f.Run(c.initialising);
    EXPECT_EQ(f.period, c.initialising ? 0 : row);
    f.Expect(c.expected, c.tolerance);
  }
}

// The cases as given for the step pass, then again for the initialising pass.
inline std::vector<RowCase> InBothPasses(std::vector<RowCase> cases) {
  for (RowCase c : std::vector<RowCase>(cases)) {
    c.initialising = true;
    cases.push_back(std::move(c));
  }
  return cases;
}

// What a faulting statement leaves behind.
enum class Stored { kNonFinite, kFinite, kNothing };

// A statement that faults: the pass ends with `code` after `faulting` stored its result
// (or before, for kNothing), and before it reaches `untouched`.
struct FaultCase {
  Values inputs;
  int code;
  var::Index faulting;
  var::Index untouched;
  Stored stored = Stored::kNonFinite;
  bool initialising = false;
};

template <class Make>
void ExpectFaults(Make make, const std::vector<FaultCase>& cases) {
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << "fault at VarIndex " << c.faulting);
    SectorFixture f = make(c.initialising);
    f.Seed(c.inputs);
    f.Seed({{c.faulting, kUntouched}, {c.untouched, kUntouched}});
    ExpectModelError(c.code, [&] { f.Run(c.initialising); });
    const double stored = f.At(c.faulting);
    EXPECT_EQ(std::isfinite(stored), c.stored != Stored::kNonFinite) << "VarIndex " << c.faulting;
    EXPECT_EQ(stored == kUntouched, c.stored == Stored::kNothing) << "VarIndex " << c.faulting;
    EXPECT_EQ(f.At(c.untouched), kUntouched) << "VarIndex " << c.untouched;
  }
}

}  // namespace talvair::sector_test
