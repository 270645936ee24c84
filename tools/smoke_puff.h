// The particle texture: a soft, irregular puff of smoke, bright in the middle and black at the
// edges, made from a radial fall-off and a few octaves of value noise with a fixed seed.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kSmokeSidePixels = 128;

// The puff as red-green-blue bytes, top row first, the same on every run for the same seed.
std::vector<uint8_t> RenderSmokePuff(uint32_t seed);
