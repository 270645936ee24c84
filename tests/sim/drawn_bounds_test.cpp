// Which part of a reduced frame the stretch must cover: a rectangle too small would cut the flame
// off, so the edges are pinned exactly and the growth for linear filtering at every ratio.
#include "sim/drawn_bounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/scaled_scene.h"

namespace {

TEST(DrawnBounds, HoldsEveryPixelThatIsNotSkyWhateverItsAlpha) {
  const uint8_t sky[3] = {0, 0, 97};
  constexpr int kW = 40, kH = 30;
  std::vector<uint8_t> rgba(kW * kH * 4);
  for (size_t i = 0; i < rgba.size(); ++i) rgba[i] = i % 4 == 3 ? uint8_t(i) : sky[i % 4];
  EXPECT_TRUE(DrawnBounds(rgba.data(), kW, kH, sky).Empty());
  // One channel one step off; the right edge lies on a row above the lowest one.
  const auto set = [&](int x, int y, int channel) { ++rgba[(y * kW + x) * 4 + channel]; };
  set(12, 5, 0);
  set(30, 6, 1);
  set(7, 20, 2);
  const PixelBounds b = DrawnBounds(rgba.data(), kW, kH, sky);
  EXPECT_TRUE(b.x0 == 7 && b.y0 == 5 && b.x1 == 31 && b.y1 == 21)
      << b.x0 << "," << b.y0 << " " << b.x1 << "," << b.y1;
  set(39, 29, 2);
  EXPECT_EQ(DrawnBounds(rgba.data(), kW, kH, sky).x1, kW);
}

// A target pixel takes from the drawn texels when the linear filter's texel pair for its centre
// touches them: every such pixel must lie in the stretched bounds, at every ratio, and the bounds
// grow by no more than one texel.
TEST(StretchedBounds, CoverEveryPixelThatLinearFilteringTakesFromTheDrawnTexels) {
  for (int scene = 3; scene <= 40; scene += 7)
    for (int target = scene + 1; target <= 8 * scene; target += 5)
      for (int x0 = 0; x0 < scene; x0 += 2)
        for (int x1 = x0 + 1; x1 <= scene; x1 += 3) {
          const PixelBounds t = StretchedBounds({x0, 0, x1, 1}, scene, 1, target, 1);
          const double r = static_cast<double>(target) / scene;
          ASSERT_TRUE(t.x0 >= (x0 - 1) * r - 1 && t.x1 <= (x1 + 1) * r + 1);
          for (int p = 0; p < target; ++p) {
            const double u = (p + 0.5) / r - 0.5;
            const int left = u < 0 ? 0 : static_cast<int>(u);
            if (std::min(left + 1, scene - 1) < x0 || left >= x1) continue;
            ASSERT_TRUE(p >= t.x0 && p < t.x1)
                << scene << " to " << target << ", texels " << x0 << ".." << x1 << ", pixel " << p;
          }
        }
  EXPECT_TRUE(StretchedBounds({0, 0, 0, 0}, 100, 100, 400, 400).Empty());
}

TEST(StretchStageDivisor, EnlargesMoreOnLargerViewsButNeverShrinksTheScene) {
  const struct {
    int viewW, viewH, sceneW, sceneH, expected;
  } cases[] = {
      {1920, 1080, 960, 540, 1},  // half size: linear in one step
      {1920, 1080, 240, 135, 2},  // 1080p: a stage of half the view
      {3840, 2160, 480, 270, 4},  // 4K: a quarter, as many pixels on screen as at 1080p
      {3840, 2160, 960, 540, 3},  // a quarter would only copy the scene
      {2560, 1440, 320, 180, 3},  // between the two
      {31, 100, 4, 12, 1},        // too narrow for a zoom of near whole pixels
  };
  for (const auto& c : cases)
    EXPECT_EQ(StretchStageDivisor(c.viewW, c.viewH, c.sceneW, c.sceneH), c.expected)
        << c.viewW << "x" << c.viewH << " with " << c.sceneW << "x" << c.sceneH;
}

}  // namespace
