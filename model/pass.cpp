#include "model/pass.h"

#include <cmath>

#include "model/model_error.h"

namespace talvair {

void Pass::SetRow(var::Index v, int row, double value) {
  values_.Set(v, row, value);
  Test(value);
}

double Pass::Div(double a, double b) {
  // 0 / 0 is the invalid-result fault, any other zero divisor the division fault.
  if (b == 0 && pendingFault_ == 0) pendingFault_ = a == 0 ? kErrOverflow : kErrDivisionByZero;
  return a / b;
}

double Pass::Pow(double a, double b) {
  const double result = std::pow(a, b);
  if (!std::isfinite(result) && pendingFault_ == 0) pendingFault_ = kErrOverflow;
  return result;
}

double Pass::Check(double operand) {
  Test(operand);
  return operand;
}

void Pass::Test(double stored) {
  if (pendingFault_ != 0) {
    const int code = pendingFault_;
    pendingFault_ = 0;
    throw ModelError(code);
  }
  if (!std::isfinite(stored)) throw ModelError(kErrOverflow);
}

}  // namespace talvair
