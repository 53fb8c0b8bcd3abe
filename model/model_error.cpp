#include "model/model_error.h"

namespace talvair {

ModelError::ModelError(int code) : std::runtime_error("model run-time error"), code_(code) {}

void RaiseModelError(int code) { throw ModelError(code); }

}  // namespace talvair
