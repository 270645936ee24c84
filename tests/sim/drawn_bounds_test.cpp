// Which part of a reduced frame the stretch must cover. A rectangle too small would cut the
// flame off; the tests therefore pin the edges exactly and the growth for linear filtering.
#include "sim/drawn_bounds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/scaled_scene.h"

namespace {

struct Frame {
  int width, height;
  std::vector<uint8_t> rgba;
  Frame(int w, int h, const uint8_t sky[3]) : width(w), height(h), rgba(size_t(w) * h * 4) {
    for (size_t i = 0; i < rgba.size(); i += 4) {
      rgba[i] = sky[0];
      rgba[i + 1] = sky[1];
      rgba[i + 2] = sky[2];
      rgba[i + 3] = static_cast<uint8_t>(i);  // alpha is noise: it must not count
    }
  }
  void Set(int x, int y, uint8_t r, uint8_t g, uint8_t b) {
    uint8_t* p = &rgba[(size_t(y) * width + x) * 4];
    p[0] = r;
    p[1] = g;
    p[2] = b;
  }
};

bool Equal(PixelBounds a, PixelBounds b) {
  return a.x0 == b.x0 && a.y0 == b.y0 && a.x1 == b.x1 && a.y1 == b.y1;
}

TEST(DrawnBounds, HoldsEveryPixelThatIsNotSkyAndNothingElse) {
  const uint8_t black[3] = {0, 0, 0}, blue[3] = {0, 0, 97};
  {
    const Frame sky(40, 30, black);
    EXPECT_TRUE(DrawnBounds(sky.rgba.data(), 40, 30, black).Empty());
  }
  {  // one channel one step away is drawn, at each corner of the frame
    Frame f(40, 30, blue);
    f.Set(0, 0, 0, 0, 98);
    f.Set(39, 29, 1, 0, 97);
    const PixelBounds b = DrawnBounds(f.rgba.data(), 40, 30, blue);
    EXPECT_TRUE(Equal(b, {0, 0, 40, 30})) << b.x0 << "," << b.y0 << " " << b.x1 << "," << b.y1;
  }
  {  // scattered pixels: the right edge is found on a row above the widest one
    Frame f(40, 30, black);
    f.Set(12, 5, 9, 0, 0);
    f.Set(30, 6, 0, 9, 0);
    f.Set(7, 20, 0, 0, 9);
    f.Set(8, 21, 0, 0, 9);
    const PixelBounds b = DrawnBounds(f.rgba.data(), 40, 30, black);
    EXPECT_TRUE(Equal(b, {7, 5, 31, 22})) << b.x0 << "," << b.y0 << " " << b.x1 << "," << b.y1;
  }
  {  // a sky given in another colour sees the black sky as drawn
    const Frame f(8, 4, black);
    EXPECT_TRUE(Equal(DrawnBounds(f.rgba.data(), 8, 4, blue), {0, 0, 8, 4}));
  }
}

TEST(StretchedBounds, GrowByOneTexelScaledAndStayInsideTheTarget) {
  const struct {
    PixelBounds drawn;
    int sceneW, sceneH, targetW, targetH;
    PixelBounds expected;
  } cases[] = {
      {{10, 20, 30, 40}, 100, 100, 400, 400, {36, 76, 124, 164}},  // 4 x: one texel is 4 pixels
      {{0, 0, 100, 50}, 100, 50, 200, 100, {0, 0, 200, 100}},      // the whole scene: the target
      {{5, 5, 6, 6}, 480, 270, 960, 540, {8, 8, 14, 14}},          // one texel, twice as large
      {{3, 1, 4, 2}, 7, 3, 10, 5, {2, 0, 8, 5}},                   // a ratio of no whole pixels
      {{0, 0, 0, 0}, 100, 100, 400, 400, {0, 0, 0, 0}},            // nothing drawn, nothing
  };
  for (const auto& c : cases) {
    const PixelBounds t = StretchedBounds(c.drawn, c.sceneW, c.sceneH, c.targetW, c.targetH);
    EXPECT_TRUE(Equal(t, c.expected))
        << c.sceneW << "x" << c.sceneH << " to " << c.targetW << "x" << c.targetH << ": " << t.x0
        << "," << t.y0 << " " << t.x1 << "," << t.y1;
  }
}

// A target pixel is reachable from the drawn texels when the linear filter's texel pair for its
// centre touches them; every such pixel must lie in the stretched bounds, at every ratio.
TEST(StretchedBounds, CoverEveryPixelThatLinearFilteringTakesFromTheDrawnTexels) {
  for (int scene = 3; scene <= 40; scene += 7)
    for (int target = scene + 1; target <= 8 * scene; target += 5)
      for (int x0 = 0; x0 < scene; x0 += 2)
        for (int x1 = x0 + 1; x1 <= scene; x1 += 3) {
          const PixelBounds t = StretchedBounds({x0, 0, x1, 1}, scene, 1, target, 1);
          for (int p = 0; p < target; ++p) {
            const double u = (p + 0.5) * scene / target - 0.5;
            const int left = u < 0 ? 0 : static_cast<int>(u);
            const int right = std::min(left + 1, scene - 1);
            const bool reached = right >= x0 && left < x1;
            if (!reached) continue;
            ASSERT_TRUE(p >= t.x0 && p < t.x1)
                << scene << " to " << target << ", texels " << x0 << ".." << x1 << ", pixel " << p;
          }
        }
}

TEST(StretchStageDivisor, EnlargesMoreOnLargerViewsButNeverShrinksTheScene) {
  const struct {
    int viewW, viewH, sceneW, sceneH, expected;
  } cases[] = {
      {1920, 1080, 960, 540, 1},  // half size: linear in one step
      {1920, 1080, 480, 270, 2},  // 1080p: a stage of half the view
      {1920, 1080, 240, 135, 2},
      {3840, 2160, 480, 270, 4},  // 4K: a quarter, the same pixels on screen as at 1080p
      {3840, 2160, 691, 389, 4},
      {3840, 2160, 960, 540, 3},  // a quarter would only copy the scene: a third
      {3840, 2160, 1344, 756, 2},
      {2560, 1440, 320, 180, 3},  // between the two: a third
      {640, 480, 80, 60, 2},      // small windows keep the half stage
      {3840, 1600, 480, 200, 3},  // letterboxed 4K: the view's area decides
      {31, 100, 4, 12, 1},        // too narrow for a nearest zoom of whole pixels
  };
  for (const auto& c : cases)
    EXPECT_EQ(StretchStageDivisor(c.viewW, c.viewH, c.sceneW, c.sceneH), c.expected)
        << c.viewW << "x" << c.viewH << " with " << c.sceneW << "x" << c.sceneH;
}

}  // namespace
