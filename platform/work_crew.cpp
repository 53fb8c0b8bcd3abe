#include "platform/work_crew.h"

#include <QCoreApplication>
#include <QThread>
#include <algorithm>

namespace talvair::platform {

namespace {

// A few suffice: more would compete with the X server, which takes in the charts as they
// are flushed.
constexpr int kMostHelpers = 3;
WorkCrew* sharedCrew = nullptr;

void EndSharedCrew() {
  delete sharedCrew;
  sharedCrew = nullptr;
}

}  // namespace

WorkCrew::WorkCrew(int helpers, std::chrono::microseconds awake) : awake_(awake) {
  for (int i = 0; i < helpers; ++i) helpers_.emplace_back([this] { Help(); });
}

WorkCrew::~WorkCrew() {
  {
    const std::lock_guard hold(lock_);
    stop_ = true;
  }
  wake_.notify_all();
  for (std::thread& helper : helpers_) helper.join();
}

bool WorkCrew::RunOne() {
  std::uint64_t ticket = ticket_.load();
  for (;;) {
    const std::uint64_t index = ticket & kIndexMask;
    const std::uint64_t count = (ticket >> kIndexBits) & kIndexMask;
    if (index >= count) return false;
    // Succeeds only while the batch is the one read: its job stays until this call is done.
    if (ticket_.compare_exchange_weak(ticket, ticket + 1)) {
      try {
        (*job_.load())(static_cast<std::size_t>(index));
      } catch (...) {
        const std::lock_guard hold(lock_);
        if (!failure_) failure_ = std::current_exception();
      }
      ++done_;
      return true;
    }
  }
}

void WorkCrew::Help() {
  std::uint64_t lastBatch = BatchOf(ticket_.load());
  for (;;) {
    if (RunOne()) continue;
    // Awake for a while after the last batch seen, then asleep until the next one.
    const auto until = std::chrono::steady_clock::now() + awake_;
    while (BatchOf(ticket_.load()) == lastBatch && std::chrono::steady_clock::now() < until) {
      std::this_thread::yield();
    }
    if (BatchOf(ticket_.load()) == lastBatch) {
      std::unique_lock hold(lock_);
      ++sleeping_;
      wake_.wait(hold, [&] { return stop_ || BatchOf(ticket_.load()) != lastBatch; });
      --sleeping_;
      if (stop_) return;
    }
    lastBatch = BatchOf(ticket_.load());
  }
}

void WorkCrew::ForEach(std::size_t count, const std::function<void(std::size_t)>& job) {
  if (helpers_.empty() || count <= 1) {
    for (std::size_t i = 0; i < count; ++i) job(i);
    return;
  }
  // Larger batches go in parts; far more than any caller hands out.
  const std::size_t part = std::min<std::size_t>(count, kIndexMask);
  job_ = &job;
  done_ = 0;
  const std::uint64_t batch = BatchOf(ticket_.load()) + 1;
  ticket_ = (batch << kBatchShift) | (std::uint64_t{part} << kIndexBits);
  if (sleeping_ > 0) {
    const std::lock_guard hold(lock_);
    wake_.notify_all();
  }
  std::size_t own = 0;
  while (RunOne()) ++own;
  // The helpers finish what they took: at most one job each.
  while (done_ < part) std::this_thread::yield();
  helped_ += part - own;
  std::exception_ptr failure;
  {
    const std::lock_guard hold(lock_);
    std::swap(failure, failure_);
  }
  if (failure) std::rethrow_exception(failure);
  if (part < count) {
    ForEach(count - part, [&](std::size_t i) { job(part + i); });
  }
}

WorkCrew& SharedCrew() {
  if (sharedCrew == nullptr) {
    sharedCrew = new WorkCrew(std::clamp(QThread::idealThreadCount() - 1, 0, kMostHelpers));
    qAddPostRoutine(EndSharedCrew);
  }
  return *sharedCrew;
}

}  // namespace talvair::platform
