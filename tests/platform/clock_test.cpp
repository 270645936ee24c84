// The platform's clocks, against the backend that was built: the monotonic time agrees with the
// standard library's steady clock and never goes back; the process's processor time grows with
// work and not with sleep; calendar fields come out for the time zone in force.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <thread>

#include "platform/platform.h"

namespace {

using Steady = std::chrono::steady_clock;

// Puts a time zone in force for the C library's local time; nullptr puts none (UTC). Windows'
// C library has no setenv and reads TZ in _tzset.
void SetTimeZone(const char* zone) {
#ifdef _WIN32
  _putenv_s("TZ", zone != nullptr ? zone : "");
  _tzset();
#else
  if (zone != nullptr)
    setenv("TZ", zone, 1);
  else
    unsetenv("TZ");
  tzset();
#endif
}

double MicrosBetween(Steady::time_point a, Steady::time_point b) {
  return std::chrono::duration<double, std::micro>(b - a).count();
}

TEST(PlatformClock, MonotonicTimeNeverGoesBack) {
  int64_t previous = MonotonicMicroseconds();
  for (int i = 0; i < 100000; ++i) {
    const int64_t now = MonotonicMicroseconds();
    ASSERT_GE(now, previous) << "read " << i;
    previous = now;
  }
}

// Whatever the machine does meanwhile, the time measured lies between what certainly passed and
// what may have passed, to within a microsecond of truncation.
TEST(PlatformClock, MonotonicTimeCountsMicroseconds) {
  const Steady::time_point before = Steady::now();
  const int64_t start = MonotonicMicroseconds();
  const Steady::time_point afterStart = Steady::now();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  const Steady::time_point beforeEnd = Steady::now();
  const int64_t end = MonotonicMicroseconds();
  const Steady::time_point after = Steady::now();
  EXPECT_GE(end - start, MicrosBetween(afterStart, beforeEnd) - 1.0);
  EXPECT_LE(end - start, MicrosBetween(before, after) + 1.0);
  EXPECT_GE(end - start, 30000);
}

TEST(PlatformClock, ProcessorTimeGrowsWithWorkAndNotWithSleep) {
  constexpr int64_t kWorkUs = 50000;
  const int64_t start = ProcessCpuMicroseconds();
  ASSERT_GE(start, 0);
  // Busy until the process has used kWorkUs more (a loaded machine takes longer, never less).
  const Steady::time_point deadline = Steady::now() + std::chrono::seconds(20);
  volatile uint64_t sink = 0;
  int64_t now = start;
  while ((now = ProcessCpuMicroseconds()) - start < kWorkUs && Steady::now() < deadline)
    for (int i = 0; i < 10000; ++i) sink = sink + i;
  ASSERT_GE(now - start, kWorkUs) << "no processor time counted in 20 s of work";

  const int64_t beforeSleep = ProcessCpuMicroseconds();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_LT(ProcessCpuMicroseconds() - beforeSleep, 100000) << "a sleep counted as work";
}

TEST(PlatformClock, CalendarFieldsInTheTimeZoneInForce) {
  const char* previous = std::getenv("TZ");
  const std::string saved = previous != nullptr ? previous : "";
  // Five hours behind UTC, no summer time: 1971-01-01 05:01:01 UTC is 00:01:01 there.
  SetTimeZone("EST5");
  const std::time_t when = 365 * 86400 + 5 * 3600 + 61;
  std::tm fields{};
  ASSERT_TRUE(LocalCalendarTime(when, &fields));
  EXPECT_EQ(fields.tm_year, 71);
  EXPECT_EQ(fields.tm_mon, 0);
  EXPECT_EQ(fields.tm_mday, 1);
  EXPECT_EQ(fields.tm_hour, 0);
  EXPECT_EQ(fields.tm_min, 1);
  EXPECT_EQ(fields.tm_sec, 1);
  SetTimeZone(previous != nullptr ? saved.c_str() : nullptr);
}

}  // namespace
