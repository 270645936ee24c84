// The shell's millisecond clock.
#include <gtest/gtest.h>

#include <cstdint>

#include "app/clock.h"
#include "app/shell.h"

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

TEST(Clock, RealCounterIsMonotonicWithAMicrosecondFrequency) {
  EXPECT_EQ(ReadCounterFrequency(), 1000000);
  const int64_t a = ReadCounter();
  const int64_t b = ReadCounter();
  EXPECT_LE(a, b);
  StartClock();
  EXPECT_GT(counterFrequency, 0);
  UpdateClock();
  EXPECT_LT(elapsedMs, 1000u);  // read just after the zero point
}

TEST(Shell, TitleIsQuor) { EXPECT_STREQ(GetTitle(), "Quor"); }

}  // namespace
