// A few helper threads that share batches of jobs with the thread that hands them out.
//
// Waking a sleeping thread costs the waker, and delays the work, more than a chart's draw
// takes, and the batches of a long run (one per quarter) come a millisecond or two apart.
// So helpers stay awake, yielding, for a while after a batch, and only then sleep.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace talvair::platform {

class WorkCrew {
 public:
  // With no helpers every batch runs on the calling thread alone.
  explicit WorkCrew(int helpers, std::chrono::microseconds awake = std::chrono::milliseconds(5));
  ~WorkCrew();
  WorkCrew(const WorkCrew&) = delete;
  WorkCrew& operator=(const WorkCrew&) = delete;

  // Calls job(i) once for every i below count, on this thread and the helpers, and returns
  // once every call has returned. The first exception a call threw is thrown again here.
  // One thread at a time hands out batches.
  void ForEach(std::size_t count, const std::function<void(std::size_t)>& job);
  // The jobs the helpers have run so far; tests see by it that a batch was shared.
  std::size_t HelpedJobs() const { return helped_; }

 private:
  // A batch's ticket: its number, its size and the next index to take, in one word, so
  // that taking an index also checks which batch it belongs to.
  static constexpr int kIndexBits = 20;
  static constexpr std::uint64_t kIndexMask = (std::uint64_t{1} << kIndexBits) - 1;
  static constexpr int kBatchShift = 2 * kIndexBits;
  static std::uint64_t BatchOf(std::uint64_t ticket) { return ticket >> kBatchShift; }

  // Takes and runs one job of the current batch; false when none is left.
  bool RunOne();
  void Help();

  std::chrono::microseconds awake_;
  std::atomic<std::uint64_t> ticket_ = 0;
  std::atomic<const std::function<void(std::size_t)>*> job_ = nullptr;
  std::atomic<std::size_t> done_ = 0;
  std::atomic<int> sleeping_ = 0;
  std::mutex lock_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::exception_ptr failure_;
  std::size_t helped_ = 0;  // written by the thread that hands out batches
  std::vector<std::thread> helpers_;
};

// The program's helpers, shared by whatever the GUI thread hands out (charts to compose,
// table cells to format); made on first use, ended before the application goes, as their
// font caches must not outlive it.
WorkCrew& SharedCrew();

}  // namespace talvair::platform
