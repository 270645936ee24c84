// Where the scene is drawn at a reduced scale. The frames themselves, and the overlay over them,
// are pinned by the reference pictures at half scale.
#include "sim/scaled_scene.h"

#include <gtest/gtest.h>

namespace {

TEST(ScaledSceneRect, IsTheViewportAtFullScaleElseItsBottomLeftPart) {
  const struct {
    int width, bottom, height;
    double scale;
    int maxSize;
    SceneRect expected;
  } cases[] = {
      {1024, 38, 691, 1.0, 4096, {0, 38, 1024, 691}},
      {1024, 38, 691, 0.5, 4096, {0, 38, 512, 346}},  // 345.5 rounds up
      {1920, 0, 1080, 0.35, 4096, {0, 0, 672, 378}},
      {3, 0, 1, 0.25, 4096, {0, 0, 1, 1}},           // never below one pixel
      {640, 0, 0, 0.5, 4096, {0, 0, 640, 0}},        // nothing visible: nothing to reduce
      {8000, 0, 100, 0.75, 4095, {0, 0, 4095, 75}},  // held within the largest texture
  };
  for (const auto& c : cases) {
    const SceneRect r = ScaledSceneRect(c.width, c.bottom, c.height, c.scale, c.maxSize);
    const SceneRect& e = c.expected;
    EXPECT_TRUE(r.x == e.x && r.y == e.y && r.width == e.width && r.height == e.height)
        << c.width << "x" << c.height << " at " << c.scale << ": " << r.x << "," << r.y << " "
        << r.width << "x" << r.height;
  }
}

}  // namespace
