#include "platform/pause.h"

#include <gtest/gtest.h>

namespace talvair::platform {
namespace {

// The busy wait ends once its clock has run the time, and only then, wherever the clock
// starts: a time of day would restart at midnight and never end the pause.
TEST(PauseTest, BusyWaitEndsWhenTheMonotonicClockHasRunTheTime) {
  struct Case {
    double start;
    double step;
    int milliseconds;
    int reads;
  };
  const Case cases[] = {
      {0.0, 0.1, 1000, 11}, {86399.5, 0.25, 1000, 5},  // runs on past the end of a day
      {5.0, 0.001, 1, 2},   {5.0, 1.0, 0, 0},         {5.0, 1.0, -20, 0},
  };
  for (const Case& c : cases) {
    int reads = 0;
    BusyWaitPause pause([&] { return c.start + c.step * reads++; });
    pause.Pause(c.milliseconds);
    EXPECT_EQ(reads, c.reads) << c.start << " " << c.milliseconds;
  }
}

TEST(PauseTest, TestsRecordPausesWithoutWaiting) {
  RecordedPauses pauses;
  Pause(1000);
  Pause(1);
  EXPECT_EQ(pauses.Pauses(), (std::vector<int>{1000, 1}));
}

}  // namespace
}  // namespace talvair::platform
