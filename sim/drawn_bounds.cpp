#include "sim/drawn_bounds.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
// A pixel as one word, in memory order, so that the comparison is one instruction whatever the
// machine's byte order; the alpha byte is masked off.
uint32_t Word(const uint8_t* p) {
  uint32_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}
}  // namespace

PixelBounds DrawnBounds(const uint8_t* rgba, int width, int height, const uint8_t sky[3]) {
  const uint8_t skyBytes[4] = {sky[0], sky[1], sky[2], 0};
  const uint8_t maskBytes[4] = {0xff, 0xff, 0xff, 0};
  const uint32_t skyWord = Word(skyBytes), mask = Word(maskBytes);
  PixelBounds b{width, height, 0, 0};
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rgba + static_cast<size_t>(y) * width * 4;
    int left = 0;
    while (left < width && (Word(row + left * 4) & mask) == skyWord) ++left;
    if (left == width) continue;
    int right = width;
    while (right > std::max(left, b.x1) && (Word(row + (right - 1) * 4) & mask) == skyWord) --right;
    b.x0 = std::min(b.x0, left);
    b.x1 = std::max(b.x1, right);
    b.y0 = std::min(b.y0, y);
    b.y1 = y + 1;
  }
  return b.Empty() ? PixelBounds{0, 0, 0, 0} : b;
}

PixelBounds StretchedBounds(PixelBounds drawn, int sceneWidth, int sceneHeight, int targetWidth,
                            int targetHeight) {
  if (drawn.Empty() || sceneWidth <= 0 || sceneHeight <= 0) return PixelBounds{0, 0, 0, 0};
  const auto span = [](int from, int to, int sceneSize, int targetSize, int* outFrom, int* outTo) {
    const double r = static_cast<double>(targetSize) / sceneSize;
    *outFrom = std::max(0, static_cast<int>(std::floor((from - 1) * r)));
    *outTo = std::min(targetSize, static_cast<int>(std::ceil((to + 1) * r)));
  };
  PixelBounds t{};
  span(drawn.x0, drawn.x1, sceneWidth, targetWidth, &t.x0, &t.x1);
  span(drawn.y0, drawn.y1, sceneHeight, targetHeight, &t.y0, &t.y1);
  return t;
}
