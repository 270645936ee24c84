// The process-wide random generator: a 32-bit linear congruential generator with 15-bit output.
// Every probability and range in the scene assumes its divisor of 32768, so the C library's
// rand (a different, wider generator on this platform) is never used.
#pragma once

#include <cstdint>

constexpr int kRandomMax = 32767;

void SeedRandom(uint32_t seed);  // what srand does for the C library's generator
int NextRandom();                // 0..32767

// Uniform in [0, x): the next draw divided by 32768, times x. Never returns x itself.
double frand(double x);
