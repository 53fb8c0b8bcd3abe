// A pause that blocks the one thread without processing any event, measured on a clock that
// only runs forward, so no change of the time of day can stretch or end it early. Tests put
// a recording service in its place, which does not wait at all.
#pragma once

#include <functional>
#include <vector>

namespace talvair::platform {

class PauseService {
 public:
  virtual ~PauseService() = default;
  virtual void Pause(int milliseconds) = 0;
};

// Busy-waits on a monotonic clock (seconds from any fixed origin); the default clock is the
// steady clock of the standard library.
class BusyWaitPause : public PauseService {
 public:
  using Clock = std::function<double()>;
  explicit BusyWaitPause(Clock clock = {});
  void Pause(int milliseconds) override;

 private:
  Clock clock_;
};

// The service in use; SetPauseService(nullptr) restores the busy wait.
PauseService& Pauses();
void SetPauseService(PauseService* service);

// Waits the given time (none for zero or less) without processing events.
void Pause(int milliseconds);

// For tests: records each pause and returns at once.
class RecordedPauses : public PauseService {
 public:
  RecordedPauses() { SetPauseService(this); }
  ~RecordedPauses() override { SetPauseService(nullptr); }
  RecordedPauses(const RecordedPauses&) = delete;
  RecordedPauses& operator=(const RecordedPauses&) = delete;

  void Pause(int milliseconds) override;
  const std::vector<int>& Pauses() const { return pauses_; }
  void Clear() { pauses_.clear(); }
  // Called at each pause, after it is recorded.
  std::function<void(int)> onPause;

 private:
  std::vector<int> pauses_;
};

}  // namespace talvair::platform
