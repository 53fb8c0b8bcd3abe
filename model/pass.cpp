#include "model/pass.h"

#include <cmath>

#include "model/model_error.h"

namespace talvair {

double Pass::Pow(double a, double b) {
  const double result = std::pow(a, b);
  if (!std::isfinite(result) && pendingFault_ == 0) pendingFault_ = kErrOverflow;
  return result;
}

void Pass::RaiseFault() {
  const int code = pendingFault_;
  pendingFault_ = 0;
  RaiseModelError(code);
}

}  // namespace talvair
