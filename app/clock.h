// The shell's millisecond clock: a monotonic counter read once at start-up and once per frame,
// turned into whole milliseconds since the start as an unsigned 32-bit count. A fixed clock
// (--step) replaces the counter with a set advance per frame, for reproducible runs.
#pragma once

#include <cstdint>

extern int64_t counterFrequency;  // ticks per second of the counter, read once in main
extern int64_t startCount;        // counter value at the clock's zero point
extern uint32_t elapsedMs;        // whole ms from startCount to the start of the current frame
// The same count without the 32-bit wrap (elapsedMs is its low half), for timers that must
// survive the wrap after 49.7 days.
extern uint64_t elapsedMsTotal;

// The counter is the platform's one monotonic time, MonotonicMicroseconds (platform/platform.h),
// whatever the system's own counter runs at: a frequency of one million keeps the product of a
// difference with 1000 far inside 64 bits (about 290 000 years of running), and every other timer
// of the program reads the same time in the same unit.
int64_t ReadCounter();
int64_t ReadCounterFrequency();

// ((now - start) * 1000) / frequency in signed 64-bit arithmetic. A frequency of 0 or less
// (no usable counter) gives 0 instead of dividing by it.
int64_t ElapsedMsTotalBetween(int64_t start, int64_t now, int64_t frequency);
// The same, low 32 bits kept.
uint32_t ElapsedMsBetween(int64_t start, int64_t now, int64_t frequency);

// Sets the count (and its low 32 bits in elapsedMs), as a frame's clock update would.
void SetClock(uint64_t ms);

// From now on every UpdateClock advances the clock by exactly stepMs, whatever the wall time,
// from startMs.
void UseFixedClock(uint32_t stepMs, uint32_t startMs);

// Takes the zero point: reads the frequency, then the counter.
void StartClock();
// Refreshes elapsedMs from the counter; called at the top of every display callback.
void UpdateClock();
