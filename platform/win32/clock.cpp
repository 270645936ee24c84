// The clocks on Win32: QueryPerformanceCounter for the program's one time base, GetProcessTimes
// for the processor time of the whole process, localtime_s for calendar names.
#include <windows.h>

#include <ctime>

#include "platform/platform.h"

namespace {
constexpr int64_t kFileTimeTicksPerMicrosecond = 10;  // FILETIME counts 100 ns

int64_t CounterFrequency() {
  static const int64_t frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);  // never fails on Windows XP and later
    return static_cast<int64_t>(f.QuadPart);
  }();
  return frequency;
}

int64_t Ticks(const FILETIME& t) {
  return (static_cast<int64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}
}  // namespace

int64_t MonotonicMicroseconds() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  const int64_t frequency = CounterFrequency();
  // Whole seconds and the rest apart, so that the product never leaves 64 bits.
  const int64_t seconds = now.QuadPart / frequency;
  const int64_t rest = now.QuadPart % frequency;
  return seconds * kMonotonicTicksPerSecond + rest * kMonotonicTicksPerSecond / frequency;
}

int64_t ProcessCpuMicroseconds() {
  FILETIME created{}, exited{}, kernel{}, user{};
  if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
  return (Ticks(kernel) + Ticks(user)) / kFileTimeTicksPerMicrosecond;
}

bool LocalCalendarTime(std::time_t when, std::tm* out) {
  return localtime_s(out, &when) == 0;
}
