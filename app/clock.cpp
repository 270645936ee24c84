// The millisecond clock on the platform's monotonic microseconds: a frequency of one million
// keeps (now - start) * 1000 far away from the 64-bit limit.
#include "app/clock.h"

#include "platform/platform.h"

int64_t counterFrequency = 0;
int64_t startCount = 0;
uint32_t elapsedMs = 0;
uint64_t elapsedMsTotal = 0;

namespace {
constexpr int64_t kMillisecondsPerSecond = 1000;

bool fixedClock = false;
uint32_t fixedStepMs = 0;
}  // namespace

int64_t ReadCounter() {
  return MonotonicMicroseconds();
}

int64_t ReadCounterFrequency() {
  return kMonotonicTicksPerSecond;
}

int64_t ElapsedMsTotalBetween(int64_t start, int64_t now, int64_t frequency) {
  if (frequency <= 0) return 0;  // no usable counter: the clock stands still
  // Difference first, then the product, then a truncating division: the order that keeps the
  // whole range of the counter exact.
  return ((now - start) * kMillisecondsPerSecond) / frequency;
}

uint32_t ElapsedMsBetween(int64_t start, int64_t now, int64_t frequency) {
  // The low 32 bits: wraps after about 49.7 days.
  return static_cast<uint32_t>(ElapsedMsTotalBetween(start, now, frequency));
}

void SetClock(uint64_t ms) {
  elapsedMsTotal = ms;
  elapsedMs = static_cast<uint32_t>(ms);
}

void UseFixedClock(uint32_t stepMs, uint32_t startMs) {
  fixedClock = true;
  fixedStepMs = stepMs;
  SetClock(startMs);
}

void StartClock() {
  counterFrequency = ReadCounterFrequency();
  startCount = ReadCounter();
}

void UpdateClock() {
  if (fixedClock) {
    SetClock(elapsedMsTotal + fixedStepMs);
  } else {
    const int64_t ms = ElapsedMsTotalBetween(startCount, ReadCounter(), counterFrequency);
    SetClock(ms > 0 ? static_cast<uint64_t>(ms) : 0);
  }
}
