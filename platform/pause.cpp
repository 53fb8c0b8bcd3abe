#include "platform/pause.h"

#include <chrono>
#include <utility>

namespace talvair::platform {

namespace {

// The time of day would restart at midnight; a pause must never depend on it.
static_assert(std::chrono::steady_clock::is_steady);

double SteadySeconds() {
  using Seconds = std::chrono::duration<double>;
  return std::chrono::duration_cast<Seconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

BusyWaitPause& DefaultPause() {
  static BusyWaitPause pause;
  return pause;
}

PauseService*& Installed() {
  static PauseService* service = nullptr;
  return service;
}

}  // namespace

BusyWaitPause::BusyWaitPause(Clock clock) : clock_(clock ? std::move(clock) : SteadySeconds) {}

void BusyWaitPause::Pause(int milliseconds) {
  if (milliseconds <= 0) return;
  const double seconds = milliseconds / 1000.0;
  const double start = clock_();
  while (clock_() - start < seconds) {
  }
}

PauseService& Pauses() {
  PauseService* service = Installed();
  return service != nullptr ? *service : DefaultPause();
}

void SetPauseService(PauseService* service) { Installed() = service; }

void Pause(int milliseconds) { Pauses().Pause(milliseconds); }

void RecordedPauses::Pause(int milliseconds) {
  pauses_.push_back(milliseconds);
  if (onPause) onPause(milliseconds);
}

}  // namespace talvair::platform
