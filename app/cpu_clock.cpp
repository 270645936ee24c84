// The process's CPU clock on POSIX: CLOCK_PROCESS_CPUTIME_ID sums all of its threads.
#include "app/cpu_clock.h"

#include <ctime>

double ProcessCpuSeconds() {
  timespec t{};
  if (clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t) != 0) return 0.0;
  return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}
