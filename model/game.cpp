#include "model/game.h"

#include <algorithm>
#include <cmath>

#include "model/catalogue.h"
#include "model/constants.h"
#include "model/game_internal.h"
#include "model/language.h"
#include "model/model_error.h"
#include "numtext/number_text.h"

namespace talvair {

namespace {
// The failures of this thread's innermost open ErrorHold, if any.
thread_local std::vector<TrappedError>* heldErrors = nullptr;
}  // namespace

ErrorHold::ErrorHold(std::vector<TrappedError>& errors) : outer_(heldErrors) {
  heldErrors = &errors;
}

ErrorHold::~ErrorHold() { heldErrors = outer_; }

game::game()
    : varValues_(std::make_unique<ValueTable>()), displayValues_(std::make_unique<ValueTable>()) {
  Trap(kAreaConstruction, [&] {
    runPeriod_ = 1;
    startYear_ = 1981;
    Restart();
  });
}

game::~game() = default;

void game::Subscribe(GameEvents* subscriber) {
  if (subscriber &&
      std::find(subscribers_.begin(), subscribers_.end(), subscriber) == subscribers_.end()) {
    subscribers_.push_back(subscriber);
  }
}

void game::Unsubscribe(GameEvents* subscriber) { std::erase(subscribers_, subscriber); }

void game::Announce(const std::function<void(GameEvents&)>& event) { ForEachSubscriber(event); }

void game::RaiseError(int code, int area) {
  if (heldErrors != nullptr) {
    heldErrors->push_back({code, area});
    return;
  }
  ForEachSubscriber([&](GameEvents& s) { s.Error(code, area); });
}

void game::RaiseErrors(std::span<const TrappedError> errors) {
  for (const TrappedError& e : errors) RaiseError(e.code, e.area);
}

// --- Value access -----------------------------------------------------------------------

int16_t game::ResolvePeriod(int16_t TimePeriod) const {
  if (TimePeriod == -2) return miPreviousT;
  if (TimePeriod == -1) return period_;
  return TimePeriod;
}

double game::ReadFrom(const ValueTable& table, int32_t Var, int16_t TimePeriod,
                      int16_t ArrayElement) {
  const int index = catalogue::VarIndexFromNumber(Var);
  if (index == -1) return 0.0;
  if (TimePeriod >= 0) return table.Get(index, TimePeriod, ArrayElement);
  // Below -2 the reads go to an all-zero row.
  if (ArrayElement < 0 || ArrayElement >= kElements) throw ModelError(kErrSubscript);
  return 0.0;
}

double game::ReadVarValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement) {
  double result = 0.0;
  Trap(kAreaValueAccess, [&] { result = ReadFrom(*varValues_, Var, TimePeriod, ArrayElement); });
  return result;
}

double game::ReadDisplayValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement) {
  double result = 0.0;
  Trap(kAreaValueAccess,
       [&] { result = ReadFrom(*displayValues_, Var, TimePeriod, ArrayElement); });
  return result;
}

double game::GetVarValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement) {
  return ReadVarValue(Var, ResolvePeriod(TimePeriod), ArrayElement);
}

double game::GetDisplayValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement) {
  return ReadDisplayValue(Var, ResolvePeriod(TimePeriod), ArrayElement);
}

void game::SetVarValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement, double NewValue) {
  Trap(kAreaValueAccess, [&] {
    int start = TimePeriod == 0 ? period_ + 1 : ResolvePeriod(TimePeriod);
    const int index = catalogue::VarIndexFromNumber(Var);
    if (index == -1 || start < 0 || ArrayElement < 0 || ArrayElement >= kElements) {
      throw ModelError(kErrSubscript);
    }
    for (int p = start; p <= kMaxRow; ++p) {
      varValues_->Set(index, p, ArrayElement, NewValue);
      if (p + 1 <= kMaxRow) displayValues_->Set(index, p + 1, ArrayElement, NewValue);
    }
  });
}

// --- Catalogue and labels ---------------------------------------------------------------

int16_t game::GetVarNumber(std::string_view VarName, int16_t /*ArrayElement*/) {
  return static_cast<int16_t>(catalogue::VarNumberFromName(VarName));
}

double game::GetVarValueByName(std::string_view VarName, int16_t TimePeriod, int16_t ArrayElement) {
  return GetVarValue(catalogue::VarNumberFromName(VarName), TimePeriod, ArrayElement);
}

std::string game::GetVarValueString(int32_t Var, int16_t TimePeriod, int16_t ArrayElement,
                                    std::string_view FormatPattern) {
  return numtext::FormatNumber(GetVarValue(Var, TimePeriod, ArrayElement), FormatPattern);
}

std::string game::GetVarValueStringByName(std::string_view VarName, int16_t TimePeriod,
                                          int16_t ArrayElement, std::string_view FormatPattern) {
  return numtext::FormatNumber(GetVarValueByName(VarName, TimePeriod, ArrayElement), FormatPattern);
}

bool game::StockVar(int32_t Var) const { return catalogue::StockVar(Var); }

bool game::ArrayVar(int32_t /*Var*/) const { return false; }

std::string game::VarHelp(int32_t /*Var*/) { return std::string(); }

std::string game::GetVarName(int32_t Var, int16_t /*ArrayElement*/) {
  return catalogue::VarName(Var, CurrentLanguage);
}

std::string game::GetInternalVarName(int32_t Var, int16_t /*ArrayElement*/) {
  return catalogue::InternalVarName(Var, CurrentLanguage);
}

std::string game::PeriodDescription(int16_t TimePeriod, bool Short) {
  const int t = TimePeriod == -1 ? period_ : TimePeriod;
  const bool spanish = CurrentLanguage == "Spanish";
  const bool port = !spanish && CurrentLanguage == "Port";
  const char* yearWord = spanish ? (Short ? "A" : "Año")
                         : port  ? (Short ? "A" : "Ano")
                                 : (Short ? "Y" : "Year ");
  const char* quarterWord =
      (spanish || port) ? (Short ? "T" : "Trimestre") : (Short ? " Q " : " Quarter ");
  const int year = static_cast<int>(std::floor((t - 1) / 4.0)) + 1;
  int quarter = t % 4;
  if (quarter == 0) quarter = 4;
  return std::string(yearWord) + " " + std::to_string(year) + (Short ? ", " : " ") + quarterWord +
         " " + std::to_string(quarter);
}

// --- Helpers over the table at the current period ---------------------------------------

namespace {
// Rows from years: halves go to the even neighbour. A row beyond any integer (or from a
// NaN) is the overflow fault, never a conversion out of range.
int RowsBack(int t, double years) {
  const double row = std::nearbyint(t - years / kQuarterLength);
  if (!(row >= -2147483648.0 && row <= 2147483647.0)) throw ModelError(kErrOverflow);
  return static_cast<int>(row);
}
}  // namespace

double game::SumOverElements(int16_t varIndex) const {
  double sum = 0.0;
  for (int e = 0; e < kElements; ++e) sum += varValues_->Get(varIndex, period_, e);
  return sum;
}

double game::GetElementValue(int16_t varIndex, int16_t arrayElement) const {
  return varValues_->Get(varIndex, period_, arrayElement);
}

double game::DelayedValue(int16_t varIndex, double delayYears, double initialValue,
                          int16_t arrayElement) const {
  const int k = RowsBack(period_, delayYears);
  return k > 0 ? varValues_->Get(varIndex, k, arrayElement) : initialValue;
}

double game::IsPulseTime(int16_t startYears, int16_t intervalYears, double /*unused*/) const {
  const double startRows = startYears / kQuarterLength;
  if (!(startRows < period_)) return 0.0;
  const double numerator = (period_ - 2) - startRows;
  const double intervalRows = intervalYears / kQuarterLength;
  if (intervalRows == 0) throw ModelError(numerator == 0 ? kErrOverflow : kErrDivisionByZero);
  const double q = numerator / intervalRows;
  return std::floor(q) == q ? 1.0 : 0.0;
}

double game::PulseAmount(double amount, int16_t startYears, int16_t intervalYears) const {
  return IsPulseTime(startYears, intervalYears, 0.0) == 1.0 ? amount / kQuarterLength : 0.0;
}

double game::LaggedValue(int16_t varIndex, int16_t lagYears) const {
  return varValues_->Get(varIndex, std::max(RowsBack(period_, lagYears), 2));
}

double game::InitialValue(int16_t varIndex, int16_t arrayElement) const {
  return varValues_->Get(varIndex, 0, arrayElement);
}

double game::FillFutureValues(int16_t varIndex, double value) {
  for (int p = period_ + 1; p <= kMaxRow; ++p) varValues_->Set(varIndex, p, value);
  return 0.0;
}

double game::CurrentTime() const { return period_ * kQuarterLength; }

double game::DiscountedSum(int16_t varIndex, double rate) const {
  double sum = varValues_->Get(varIndex, 0);
  for (int p = 0; p <= period_; ++p) sum += varValues_->Get(varIndex, p) / std::pow(1 + rate, p);
  return sum;
}

}  // namespace talvair
