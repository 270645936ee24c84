// The shell's millisecond clock: a monotonic counter read once at start-up and once per frame,
// turned into whole milliseconds since the start as an unsigned 32-bit count.
#pragma once

#include <cstdint>

extern int64_t counterFrequency;  // ticks per second of the counter, read once in main
extern int64_t startCount;        // counter value at the clock's zero point
extern uint32_t elapsedMs;        // whole ms from startCount to the start of the current frame

// The platform counter: a monotonic clock counted in microseconds, so that the product of a
// difference with 1000 stays far inside 64 bits (about 290 000 years of running).
int64_t ReadCounter();
int64_t ReadCounterFrequency();

// ((now - start) * 1000) / frequency in signed 64-bit arithmetic, low 32 bits kept.
// A frequency of 0 or less (no usable counter) gives 0 instead of dividing by it.
uint32_t ElapsedMsBetween(int64_t start, int64_t now, int64_t frequency);

// Takes the zero point: reads the frequency, then the counter.
void StartClock();
// Refreshes elapsedMs from the counter; called at the top of every display callback.
void UpdateClock();
