// The scene at a reduced scale: where it is drawn, and the GL state a reduced frame hands the
// overlay. The pictures themselves are pinned by the reference pictures at half scale.
#include "sim/scaled_scene.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "app/clock.h"
#include "app/hooks.h"
#include "app/shell.h"
#include "sim/drift.h"
#include "sim/frame.h"
#include "sim/particles.h"
#include "sim/settings.h"
#include "tests/support/gl_context.h"

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

class ScaledFrameTest : public GlTest {
 protected:
  void TearDown() override {
    if (IsSkipped()) return;
    UseFixedRenderScale(1.0);
    ResetSettings();
    for (Particle& p : particleSystem.particles) p.active = 0;
  }
};

TEST_F(ScaledFrameTest, LeavesTheStateTheOverlayReliesOn) {
  ResizeGlWindow(320, 240);
  windowWidth = 320;
  windowHeight = 240;
  ResetSettings();
  InitDrift(kDriftChannels);
  ResetFrameTime();
  previousTime = 0.0;
  elapsedMs = 0;
  UseFixedRenderScale(0.5);
  settings.polyMode = 1;
  settings.letterbox = 3;
  for (int i = 0; i < 10; ++i) {
    elapsedMs += 33;
    ASSERT_TRUE(DrawFrame());
  }
  GLint blendSource = 0, blendDestination = 0, modes[2] = {}, matrixMode = 0, viewport[4] = {};
  glGetIntegerv(GL_BLEND_SRC, &blendSource);
  glGetIntegerv(GL_BLEND_DST, &blendDestination);
  glGetIntegerv(GL_POLYGON_MODE, modes);
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(blendSource, GL_SRC_ALPHA);  // the particles' additive blend, for the text
  EXPECT_EQ(blendDestination, GL_ONE);
  EXPECT_EQ(modes[0], GL_LINE);  // the scene's polygon mode stays for the overlay to handle
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  // The letterboxed viewport at full size, as a full-scale frame leaves it.
  EXPECT_TRUE(viewport[1] == 36 && viewport[2] == 320 && viewport[3] == 168) << viewport[3];
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
