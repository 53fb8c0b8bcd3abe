// Failures raised inside the model; the trapping members of `game` turn them into the
// Error event with their own area code.
#pragma once

#include <stdexcept>

namespace talvair {

enum ErrorCode : int {
  kErrOverflow = 6,   // overflow or an invalid floating-point result
  kErrSubscript = 9,  // an index outside a table
  kErrDivisionByZero = 11,
  kErrTypeMismatch = 13,  // a text that is not a number
};

enum ErrorArea : int {
  kAreaConstruction = 0,
  kAreaGoForward = 5,
  kAreaPeriodDescription = 12,
  kAreaRestart = 15,
  kAreaLabels = 18,
  kAreaValueAccess = 20,
  kAreaLoadGame = 21,
  kAreaSaveGame = 22,
};

class ModelError : public std::runtime_error {
 public:
  explicit ModelError(int code);
  int Code() const { return code_; }

 private:
  int code_;
};

// Throws ModelError(code); out of line, so that the checks inlined into the passes stay small.
[[noreturn]] void RaiseModelError(int code);

}  // namespace talvair
