// The model object: the value tables of the 339 variables over 42 quarters, the
// current period and the run-control state.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/game_events.h"
#include "model/game_host.h"
#include "model/table_functions.h"
#include "model/value_table.h"
#include "model/var_number.h"

namespace talvair {

// The five decisions in their fixed order: aircraft purchases, fare, marketing fraction,
// hiring and target service scope.
inline constexpr int32_t kDecisionVarNumbers[5] = {
    varnum::decideaircraftpurchase, varnum::talvairfare, varnum::decidemarketingfraction,
    varnum::decidehiring, varnum::target_serv_scope};

// The game ends when the period reaches it.
inline constexpr int kLastPeriod = 40;

// The five decisions of one quarter in that order, each with its eleven array elements.
using QuarterDecisions = std::array<std::array<double, kElements>, 5>;

// The message shown when the airline is liquidated (English in every language).
std::string LiquidationMessage(double netAircraftCost);

// A failure that a trapping member met: the arguments of its Error event.
struct TrappedError {
  int32_t code;
  int32_t area;
};

// While one is open on a thread, the trapping members called on that thread keep their
// failures in `errors` instead of raising the Error event: its subscribers may be windows,
// which a helper thread must not reach. The thread that owns them raises the failures later
// through game::RaiseErrors. Closed on the thread that opened it.
class ErrorHold {
 public:
  explicit ErrorHold(std::vector<TrappedError>& errors);
  ~ErrorHold();
  ErrorHold(const ErrorHold&) = delete;
  ErrorHold& operator=(const ErrorHold&) = delete;

 private:
  std::vector<TrappedError>* outer_;
};

class game {
 public:
  game();
  ~game();
  game(const game&) = delete;
  game& operator=(const game&) = delete;

  // Seams to the outside.
  void SetHost(GameHost* host) { host_ = host; }
  GameHost* Host() const { return host_; }
  void Subscribe(GameEvents* subscriber);
  void Unsubscribe(GameEvents* subscriber);
  // Tells every subscriber; the saved-game members of the storage layer raise their
  // events through it.
  void Announce(const std::function<void(GameEvents&)>& event);
  // Raises the Error event for each failure an ErrorHold kept, in order.
  void RaiseErrors(std::span<const TrappedError> errors);

  // The period at which the most recent GoForward began.
  int16_t miPreviousT = 0;

  // Value access (error area 20).
  double GetVarValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement);
  double GetDisplayValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement);
  void SetVarValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement, double NewValue);
  // Reads with an already resolved period; used by the saved-game and export writers.
  double ReadVarValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement);
  double ReadDisplayValue(int32_t Var, int16_t TimePeriod, int16_t ArrayElement);

  // Properties.
  int16_t Period() const { return period_; }
  int16_t TValue() const { return period_; }
  int16_t MaxTValue() const { return kMaxRow; }
  int16_t VarCount() const { return 339; }
  bool GameOver() const { return gameOver_; }
  int16_t RunPeriod() const { return runPeriod_; }
  void RunPeriod(int16_t value) { runPeriod_ = value; }
  int16_t StartYear() const { return startYear_; }
  void StartYear(int16_t value) { startYear_ = value; }
  bool IsLoading() const { return isLoading_; }
  void IsLoading(bool value) { isLoading_ = value; }
  const std::string& GameComments() const { return gameComments_; }
  void GameComments(const std::string& value) { gameComments_ = value; }
  const std::string& ExtraString() const { return extraString_; }
  void ExtraString(const std::string& value) { extraString_ = value; }

  // Catalogue.
  int16_t GetVarNumber(std::string_view VarName, int16_t ArrayElement = 0);
  double GetVarValueByName(std::string_view VarName, int16_t TimePeriod, int16_t ArrayElement);
  std::string GetVarValueString(int32_t Var, int16_t TimePeriod, int16_t ArrayElement,
                                std::string_view FormatPattern);
  std::string GetVarValueStringByName(std::string_view VarName, int16_t TimePeriod,
                                      int16_t ArrayElement, std::string_view FormatPattern);
  bool StockVar(int32_t Var) const;
  bool ArrayVar(int32_t Var) const;
  std::string VarHelp(int32_t Var);

  // Labels (error area 18).
  std::string GetVarName(int32_t Var, int16_t ArrayElement = 0);
  std::string GetInternalVarName(int32_t Var, int16_t ArrayElement = 0);
  // Period label in the current language (error area 12).
  std::string PeriodDescription(int16_t TimePeriod, bool Short);

  // Table functions (the equations use the free functions of table_functions.h).
  double Graph(double dValue, float fStart, float fIncrement, std::span<const double> vValue) {
    return talvair::Graph(dValue, fStart, fIncrement, vValue);
  }
  double GraphStep(double dValue, float fStart, float fIncrement, std::span<const double> vValue) {
    return talvair::GraphStep(dValue, fStart, fIncrement, vValue);
  }
  double Random(double dMin, double dMax, double dSeed) {
    return talvair::Random(dMin, dMax, dSeed);
  }
  double IIf(bool vCondition, double vTruePart, double vFalsePart) {
    return talvair::IIf(vCondition, vTruePart, vFalsePart);
  }
  double Max(double dValue1, double dValue2) { return talvair::Max(dValue1, dValue2); }

  // Helpers over the value table at the current period (nothing in the program calls them).
  double SumOverElements(int16_t varIndex) const;
  double GetElementValue(int16_t varIndex, int16_t arrayElement) const;
  double DelayedValue(int16_t varIndex, double delayYears, double initialValue,
                      int16_t arrayElement) const;
  double IsPulseTime(int16_t startYears, int16_t intervalYears, double unused) const;
  double PulseAmount(double amount, int16_t startYears, int16_t intervalYears) const;
  double LaggedValue(int16_t varIndex, int16_t lagYears) const;
  double InitialValue(int16_t varIndex, int16_t arrayElement) const;
  double FillFutureValues(int16_t varIndex, double value);
  double CurrentTime() const;
  double DiscountedSum(int16_t varIndex, double rate) const;

  // Run control.
  void Restart();
  void ApplyDecisions();
  void GoForward();
  void GoBack();
  // Restarts and plays one quarter for each entry of `quarters` with its decisions, as Run
  // would have played them, without messages, events or graph refreshes: the game ends
  // where Run would have ended it (period 40 or liquidation) and the rest is not played.
  // `afterQuarter` hears of each quarter played; `beforeQuarter` is asked before its
  // decisions are applied and may refuse it by throwing. On a failure the game is put back
  // as it was and the failure passes to the caller.
  void ReplayDecisions(std::span<const QuarterDecisions> quarters,
                       const std::function<void(int quarter)>& afterQuarter = {},
                       const std::function<void(int quarter)>& beforeQuarter = {});
  void UpdateAllGraphs();

  // Direct table access for the storage layer and tests.
  const ValueTable& VarValues() const { return *varValues_; }
  const ValueTable& DisplayValues() const { return *displayValues_; }

 private:
  friend class GameTestAccess;

  void RaiseError(int code, int area);
  template <class F>
  void Trap(int area, F body);

  double ReadFrom(const ValueTable& table, int32_t Var, int16_t TimePeriod, int16_t ArrayElement);
  int16_t ResolvePeriod(int16_t TimePeriod) const;

  // Computing steps.
  void SetBaseValues();
  void IntegrateStocks();
  void RecomputeStocks();
  void ComputeReportVars();
  void ComputeInitialPeriod();
  void ComputePeriod();
  void CopyRowToDisplay(int row, int firstIndex);
  void StepQuarter();
  void Liquidate(const std::string& message);
  void RestartCore();

  template <class F>
  void ForEachSubscriber(F f);

  std::unique_ptr<ValueTable> varValues_;
  std::unique_ptr<ValueTable> displayValues_;
  // Element 0 of the computed values as the first restart left them.
  std::vector<double> restarted_;
  int16_t runPeriod_ = 1;
  int16_t startYear_ = 1981;
  bool gameOver_ = false;
  bool isLoading_ = false;
  std::string gameComments_;
  int16_t period_ = 0;
  std::string extraString_;

  GameHost* host_ = nullptr;
  std::vector<GameEvents*> subscribers_;
};

}  // namespace talvair
