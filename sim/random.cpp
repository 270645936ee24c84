// The 15-bit linear congruential generator shared by the whole scene.
#include "sim/random.h"

namespace {
uint32_t state = 0;

constexpr uint32_t kMultiplier = 214013u;
constexpr uint32_t kIncrement = 2531011u;
constexpr double kRange = 32768.0;  // every draw is below this
}  // namespace

void SeedRandom(uint32_t seed) {
  state = seed;
}

int NextRandom() {
  state = state * kMultiplier + kIncrement;  // modulo 2^32 by unsigned wrap-around
  return static_cast<int>((state >> 16) & 0x7FFFu);
}

double frand(double x) {
  return NextRandom() / kRange * x;
}
