#include "platform/work_crew.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

namespace talvair::platform {
namespace {

using std::chrono::microseconds;

// Batches one after another, as the charts of a long run come: each job must run exactly
// once per batch, whether the helpers are awake between batches, or fell asleep and must be
// woken, or there are none; where there are helpers, they take part in a long batch.
TEST(WorkCrewTest, EveryJobOfEveryBatchRunsOnce) {
  const struct {
    const char* name;
    int helpers;
    microseconds awake;
  } crews[] = {{"alone", 0, microseconds(0)},
               {"helpers kept awake", 3, microseconds(100000)},
               {"helpers asleep between batches", 3, microseconds(0)}};
  for (const auto& crewCase : crews) {
    SCOPED_TRACE(crewCase.name);
    WorkCrew crew(crewCase.helpers, crewCase.awake);
    std::mutex threadsLock;
    const std::thread::id caller = std::this_thread::get_id();
    for (const std::size_t count : {0, 1, 2, 19, 19, 200, 3, 0, 19}) {
      // A pause first: helpers that sleep between batches are asleep by now.
      std::this_thread::sleep_for(microseconds(2000));
      std::set<std::thread::id> threads;
      std::vector<std::atomic<int>> runs(count);
      const std::size_t helped = crew.HelpedJobs();
      std::atomic<std::size_t> away = 0;
      crew.ForEach(count, [&](std::size_t i) {
        ++runs[i];
        away += std::this_thread::get_id() != caller;
        // Long enough that the helpers take their share.
        std::this_thread::sleep_for(microseconds(50));
        const std::lock_guard hold(threadsLock);
        threads.insert(std::this_thread::get_id());
      });
      for (std::size_t i = 0; i < count; ++i)
        ASSERT_EQ(runs[i], 1) << "job " << i << " of " << count;
      EXPECT_EQ(crew.HelpedJobs() - helped, away) << count;
      if (count == 200) {
        EXPECT_EQ(threads.size() > 1, crewCase.helpers > 0);
      }
    }
  }
}

// A job that throws ends neither the batch nor the crew: the others run, the exception
// reaches the caller once they are done, and the next batch runs whole.
TEST(WorkCrewTest, AFailingJobIsReportedAfterTheOthersHaveRun) {
  WorkCrew crew(2);
  std::atomic<int> runs = 0;
  EXPECT_THROW(crew.ForEach(20,
                            [&](std::size_t i) {
                              ++runs;
                              if (i == 7) throw std::runtime_error("job 7");
                            }),
               std::runtime_error);
  EXPECT_EQ(runs, 20);
  runs = 0;
  EXPECT_NO_THROW(crew.ForEach(20, [&](std::size_t) { ++runs; }));
  EXPECT_EQ(runs, 20);
}

}  // namespace
}  // namespace talvair::platform
