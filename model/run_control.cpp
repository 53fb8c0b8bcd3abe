// Restart, decisions, going forward and back.
#include <algorithm>
#include <array>
#include <exception>
#include <vector>

#include "model/catalogue.h"
#include "model/game.h"
#include "model/game_internal.h"
#include "model/var_index.h"
#include "numtext/number_text.h"

namespace talvair {

namespace {

constexpr std::string_view kLiquidationHeadline =
    "You have gone into liquidation. Equity has fallen below zero.";

// What one quarter step may write: rows t..t+2 of the computed values (the step pass of
// row t+1 writes the previous-value stores of row t+2) and the display row t+1.
class QuarterSnapshot {
 public:
  QuarterSnapshot(const ValueTable& values, const ValueTable& display, int16_t period,
                  bool gameOver)
      : period_(period),
        gameOver_(gameOver),
        lastRow_(std::min(period + 2, kMaxRow)),
        displayRow_(std::min(period + 1, kMaxRow)) {
    std::ranges::copy(values.Rows(period, RowCount()), rows_.begin());
    std::ranges::copy(display.Row(displayRow_), display_.begin());
  }

  void Restore(ValueTable& values, ValueTable& display, int16_t& period, bool& gameOver) const {
    const auto rows = values.Rows(period_, RowCount());
    std::copy_n(rows_.begin(), rows.size(), rows.begin());
    std::ranges::copy(display_, display.Row(displayRow_).begin());
    period = period_;
    gameOver = gameOver_;
  }

 private:
  int RowCount() const { return lastRow_ - period_ + 1; }

  int16_t period_;
  bool gameOver_;
  int lastRow_;
  int displayRow_;
  // Left uninitialised: the constructor fills what Restore reads.
  std::array<double, 3 * kVarSlots> rows_;
  std::array<double, kVarSlots> display_;
};

}  // namespace

void game::RestartCore() {
  // Every row of both tables, so that the trajectory depends on the decisions only.
  displayValues_->Clear();
  period_ = 0;
  if (!restarted_.empty()) {
    // A restart reads constants only, so it always computes what the first one did.
    varValues_->Reset(restarted_);
  } else {
    varValues_->Clear();
    SetBaseValues();
    ComputeInitialPeriod();
    IntegrateStocks();
    ComputeInitialPeriod();
    ComputeReportVars();
    const auto computed = varValues_->Rows(0, kRows);
    restarted_.assign(computed.begin(), computed.end());
  }
  gameOver_ = false;
  CopyRowToDisplay(0, 0);
}

void game::Restart() {
  Trap(kAreaRestart, [&] {
    RestartCore();
    if (!isLoading_) ForEachSubscriber([](GameEvents& s) { s.Restarted(); });
  });
}

void game::CopyRowToDisplay(int row, int firstIndex) {
  const auto from = varValues_->Row(row).subspan(static_cast<std::size_t>(firstIndex));
  std::ranges::copy(from, displayValues_->Row(row).begin() + firstIndex);
}

void game::ApplyDecisions() {
  if (!host_) return;
  for (int box = 1; box <= 5; ++box) {
    const auto value = numtext::ParseDecision(host_->DecisionText(box));
    if (!value) throw ModelError(kErrTypeMismatch);
    SetVarValue(kDecisionVarNumbers[box - 1], -1, 0, *value);
  }
}

void game::StepQuarter() {
  ComputePeriod();
  IntegrateStocks();
  ++period_;
  ComputePeriod();
  ComputeReportVars();
}

void game::UpdateAllGraphs() {
  if (host_) host_->UpdateAllGraphs();
}

std::string LiquidationMessage(double netAircraftCost) {
  return std::string(kLiquidationHeadline) + "\r\n\r\nYour planes have been sold for $" +
         numtext::FormatNumber(-netAircraftCost, "#.00") +
         " m.\r\nMost reported figures are for last known values whilst still in business.";
}

void game::Liquidate(const std::string& message) {
  if (host_) host_->ShowMessage(message);
  UpdateAllGraphs();
  const std::string label = PeriodDescription(-1, false);
  ForEachSubscriber([&](GameEvents& s) { s.PeriodComplete(period_, label); });
  if (host_) host_->DeactivateRun();
  gameOver_ = true;
}

void game::GoForward() {
  auto raiseGameOver = [&] {
    const std::string label = PeriodDescription(-1, false);
    ForEachSubscriber([&](GameEvents& s) { s.GameOver(period_, label); });
  };
  if (gameOver_) {
    raiseGameOver();
    return;
  }
  if (runPeriod_ < 1) return;  // moves nothing
  if (period_ >= kLastPeriod) {
    gameOver_ = true;
    raiseGameOver();
  }
  miPreviousT = period_;
  // The game ends at period 40: no quarter is ever stepped beyond it.
  const int quarters = std::max(0, std::min<int>(runPeriod_, kLastPeriod - period_));
  for (int q = 0; q < quarters; ++q) {
    const QuarterSnapshot before(*varValues_, *displayValues_, period_, gameOver_);
    try {
      StepQuarter();
      const bool liquidated = varValues_->Get(var::liquidation_switch, period_ - 1) == 1.0;
      if (liquidated && period_ >= 2) {
        Liquidate(LiquidationMessage(GetVarValue(varnum::rpt_net_aircraft_cost, -1, 0)));
        return;
      }
      CopyRowToDisplay(period_, 1);
      ForEachSubscriber([](GameEvents& s) { s.DataChange(); });
      if (period_ >= kLastPeriod) {
        gameOver_ = true;
        raiseGameOver();
      }
      // Row 0's switch: the first quarter is shown, then the game ends with the short notice.
      if (liquidated) {
        Liquidate(std::string(kLiquidationHeadline));
        return;
      }
      UpdateAllGraphs();
    } catch (const ModelError& e) {
      // Back to the last quarter that completed, so the game stays playable.
      before.Restore(*varValues_, *displayValues_, period_, gameOver_);
      RaiseError(e.Code(), kAreaGoForward);
      return;
    } catch (...) {
      before.Restore(*varValues_, *displayValues_, period_, gameOver_);
      throw;
    }
  }
  const std::string label = PeriodDescription(-1, false);
  ForEachSubscriber([&](GameEvents& s) { s.PeriodComplete(period_, label); });
}

void game::GoBack() {
  // A run length below 1 is refused too: it would move forward.
  if (period_ == 0 || runPeriod_ < 1 || runPeriod_ > period_) {
    const std::string label = PeriodDescription(-1, false);
    ForEachSubscriber([&](GameEvents& s) { s.BackBeforeStart(period_, label, runPeriod_); });
    return;
  }
  const int target = period_ - runPeriod_;

  // Replay the kept decisions from a restart, as opening a saved game does: the model
  // then holds exactly what a fresh game played to the target holds.
  std::vector<QuarterDecisions> kept(static_cast<std::size_t>(target));
  for (int row = 0; row < target; ++row) {
    for (std::size_t d = 0; d < 5; ++d) {
      const int index = catalogue::VarIndexFromNumber(kDecisionVarNumbers[d]);
      for (int e = 0; e < kElements; ++e) {
        kept[static_cast<std::size_t>(row)][d][static_cast<std::size_t>(e)] =
            varValues_->Get(index, row, e);
      }
    }
  }
  ReplayDecisions(kept);
  if (period_ == 0 && host_) host_->DisableGoBack();

  UpdateAllGraphs();
  ForEachSubscriber([](GameEvents& s) { s.DataChange(); });
  const std::string label = PeriodDescription(-1, false);
  ForEachSubscriber([&](GameEvents& s) { s.Back(period_, label); });
  gameOver_ = false;
}

}  // namespace talvair
