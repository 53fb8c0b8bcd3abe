// One evaluation pass of the equations over row `Period` of the value table.
// Every statement stores its result at once and then tests it: a non-finite result,
// or a division by zero anywhere in the statement, raises ModelError and ends the pass.
#pragma once

#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "model/constants.h"
#include "model/model_error.h"
#include "model/table_functions.h"
#include "model/value_table.h"
#include "model/var_index.h"

namespace talvair {

// A flow of a stock in the integration: its rate per year, added or taken away.
struct Flow {
  var::Index rate;
  bool inflow;
};
inline Flow In(var::Index rate) { return {rate, true}; }
inline Flow Out(var::Index rate) { return {rate, false}; }

class Pass {
 public:
  // The pass works through a pointer to its own row, checked here once: every pass touches
  // its own row before its first store, so a row outside the table fails as before, with
  // nothing stored.
  Pass(ValueTable& values, int16_t& period)
      : values_(values), period_(period), row_(values.Row(period).data()) {}

  int T() const { return period_; }
  // name[t]; every var::Index names a slot of the row.
  double V(var::Index v) const { return row_[v]; }
  // name[row], for the statements that read row 0, t-1 or t+1
  double V(var::Index v, int row) const { return values_.Get(v, row); }

  // Stores name[t] = value, then tests it.
  void Set(var::Index v, double value) {
    row_[v] = value;
    Test(value);
  }
  // Stores into another row (the previous-value stores write row t+1), then tests it.
  void SetRow(var::Index v, int row, double value) {
    values_.Set(v, row, value);
    Test(value);
  }

  // a / b in IEEE arithmetic; a zero divisor is remembered and raised by the next store
  // or Check (error 11, or 6 for 0 / 0).
  double Div(double a, double b) {
    // 0 / 0 is the invalid-result fault, any other zero divisor the division fault.
    if (b == 0 && pendingFault_ == 0) pendingFault_ = a == 0 ? kErrOverflow : kErrDivisionByZero;
    return a / b;
  }
  // a ^ b; a non-finite power is remembered like a zero divisor (error 6).
  double Pow(double a, double b);
  // Tests an operand of a comparison or conditional at once and returns it.
  double Check(double operand) {
    Test(operand);
    return operand;
  }

  // Fill loop of the initialising pass: the period field itself counts the rows 0..41;
  // value() is evaluated for each row (reading row T()) and stored there; a computed
  // fill is tested after each row's store, a constant or a plain copy is not.
  // Period is 0 afterwards.
  template <class F>
  void Fill(var::Index v, F value, bool tested = true) {
    double* const first = values_.Row(0).data();
    for (period_ = 0; period_ <= kMaxRow; ++period_) {
      row_ = first + period_ * kVarSlots;
      const double x = value();
      row_[v] = x;
      if (tested) Test(x);
    }
    period_ = 0;
    row_ = first;
  }
  // A plain copy of another variable's row, not tested.
  template <class F>
  void FillCopy(var::Index v, F value) {
    Fill(v, value, false);
  }
  void FillConstant(Constant c) {
    FillCopy(c.Var(), [x = c.Value()] { return x; });
  }

  // One Euler step of a stock into row T() + 1: the stock of row T(), then a quarter of each
  // flow added or taken away, left to right.
  void Integrate(var::Index stock, std::initializer_list<Flow> flows) {
    double level = V(stock);
    for (const Flow& f : flows) {
      level = f.inflow ? level + kQuarterLength * V(f.rate) : level - kQuarterLength * V(f.rate);
    }
    SetRow(stock, T() + 1, level);
  }

 private:
  void Test(double stored) {
    if (pendingFault_ != 0) [[unlikely]] {
      RaiseFault();
    }
    if (!std::isfinite(stored)) [[unlikely]] {
      RaiseModelError(kErrOverflow);
    }
  }
  [[noreturn]] void RaiseFault();

  ValueTable& values_;
  int16_t& period_;
  double* row_;
  int pendingFault_ = 0;
};

}  // namespace talvair
