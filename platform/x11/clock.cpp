// The clocks on POSIX: CLOCK_MONOTONIC for the program's one time base, getrusage for the
// processor time of the whole process, localtime_r for calendar names.
#include <sys/resource.h>

#include <ctime>

#include "platform/platform.h"

namespace {
constexpr int64_t kNanosecondsPerMicrosecond = 1000;
}  // namespace

int64_t MonotonicMicroseconds() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * kMonotonicTicksPerSecond +
         ts.tv_nsec / kNanosecondsPerMicrosecond;
}

int64_t ProcessCpuMicroseconds() {
  // RUSAGE_SELF counts every thread of the process, the GL driver's worker threads included.
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return -1;
  const auto micros = [](const timeval& t) {
    return static_cast<int64_t>(t.tv_sec) * kMonotonicTicksPerSecond + t.tv_usec;
  };
  return micros(usage.ru_utime) + micros(usage.ru_stime);
}

bool LocalCalendarTime(std::time_t when, std::tm* out) {
  return localtime_r(&when, out) != nullptr;
}
