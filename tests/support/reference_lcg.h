// The scene's random generator written out again, independently of the code under test:
// s = s * 214013 + 2531011 (mod 2^32), output (s >> 16) & 0x7FFF, scaled like frand.
#pragma once

#include <cstdint>

class Lcg {
 public:
  explicit Lcg(uint32_t seed) : s(seed) {}
  double F(double x) {
    s = s * 214013u + 2531011u;
    return ((s >> 16) & 0x7FFF) / 32768.0 * x;
  }

 private:
  uint32_t s;
};
