// The shell's millisecond clock: the counter arithmetic and the real clock.
#include "app/clock.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <thread>

namespace {

TEST(Clock, MultipliesBeforeDividing) {
  // 1 tick of a 3-tick-per-second counter is 333 ms; dividing first would give 0.
  EXPECT_EQ(ElapsedMsBetween(0, 1, 3), 333u);
  EXPECT_EQ(ElapsedMsBetween(1000, 1000 + 2500000, 1000000), 2500u);
  EXPECT_EQ(ElapsedMsBetween(5, 5, 1000000), 0u);
}

TEST(Clock, KeepsTheLow32BitsOfTheMillisecondCount) {
  const int64_t f = 1000000;
  const int64_t wrap = int64_t{4294967296} * 1000;  // 2^32 ms in microseconds
  EXPECT_EQ(ElapsedMsBetween(0, wrap - 1000, f), 4294967295u);
  EXPECT_EQ(ElapsedMsBetween(0, wrap, f), 0u);
  EXPECT_EQ(ElapsedMsBetween(0, wrap + 5000, f), 5u);
}

TEST(Clock, ZeroFrequencyNeverReachesTheDivision) {
  EXPECT_EQ(ElapsedMsBetween(0, 123456, 0), 0u);
  EXPECT_EQ(ElapsedMsBetween(0, 123456, -5), 0u);
}

// The real counter against the standard library's monotonic clock, which reads the same source:
// whatever the machine does meanwhile, the elapsed count lies between the time certainly passed
// and the time that may have passed, to within the truncation to whole milliseconds.
TEST(Clock, RealClockCountsTheMillisecondsSinceItStarted) {
  using Steady = std::chrono::steady_clock;
  const auto ms = [](Steady::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
  };
  const Steady::time_point beforeStart = Steady::now();
  StartClock();
  const Steady::time_point afterStart = Steady::now();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const Steady::time_point beforeUpdate = Steady::now();
  UpdateClock();
  const Steady::time_point afterUpdate = Steady::now();
  EXPECT_GE(elapsedMs, ms(beforeUpdate - afterStart) - 1.0);
  EXPECT_LE(elapsedMs, ms(afterUpdate - beforeStart) + 0.01);
}

}  // namespace

namespace {

// --step: every frame advances the count by exactly the step from the start value, and the
// low 32 bits wrap while the full count goes on.
TEST(Clock, FixedClockAdvancesByTheStepThroughTheWrap) {
  UseFixedClock(40, 4294967200u);
  UpdateClock();
  EXPECT_EQ(elapsedMs, 4294967240u);
  UpdateClock();
  UpdateClock();
  EXPECT_EQ(elapsedMs, 24u);  // 4294967320 - 2^32
  EXPECT_EQ(elapsedMsTotal, 4294967320u);
}

}  // namespace
