// The millisecond clock. The counter is CLOCK_MONOTONIC read in microseconds: a frequency of one
// million keeps (now - start) * 1000 far away from the 64-bit limit.
#include "app/clock.h"

#include <ctime>

int64_t counterFrequency = 0;
int64_t startCount = 0;
uint32_t elapsedMs = 0;

namespace {
constexpr int64_t kMicrosecondsPerSecond = 1000000;
constexpr int64_t kMillisecondsPerSecond = 1000;
}  // namespace

int64_t ReadCounter() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<int64_t>(ts.tv_sec) * kMicrosecondsPerSecond + ts.tv_nsec / 1000;
}

int64_t ReadCounterFrequency() { return kMicrosecondsPerSecond; }

uint32_t ElapsedMsBetween(int64_t start, int64_t now, int64_t frequency) {
  if (frequency <= 0) return 0;  // no usable counter: the clock stands still
  // Difference first, then the product, then a truncating division: the order that keeps the
  // whole range of the counter exact.
  const int64_t ms = ((now - start) * kMillisecondsPerSecond) / frequency;
  return static_cast<uint32_t>(ms);  // the low 32 bits: wraps after about 49.7 days
}

void StartClock() {
  counterFrequency = ReadCounterFrequency();
  startCount = ReadCounter();
}

void UpdateClock() { elapsedMs = ElapsedMsBetween(startCount, ReadCounter(), counterFrequency); }
