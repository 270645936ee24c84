// The scene at a reduced scale: where it is drawn, and whole frames in the test window that must
// fill the letterboxed viewport, keep the bars as at full scale, keep hyperspace's trails
// exactly, and hand the overlay the GL state a full-scale frame leaves.
#include "sim/scaled_scene.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/clock.h"
#include "app/hooks.h"
#include "app/shell.h"
#include "sim/drift.h"
#include "sim/frame.h"
#include "sim/particles.h"
#include "sim/random.h"
#include "sim/settings.h"
#include "tests/support/gl_context.h"
#include "text/text_overlay.h"

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
      {1920, 0, 1080, 0.25, 4096, {0, 0, 480, 270}},
      {3, 0, 1, 0.25, 4096, {0, 0, 1, 1}},     // never below one pixel
      {640, 0, 0, 0.5, 4096, {0, 0, 640, 0}},  // nothing visible: nothing to reduce
      {0, 0, 480, 0.5, 4096, {0, 0, 0, 480}},
      {8000, 0, 100, 0.75, 4095, {0, 0, 4095, 75}},  // held within the largest texture
  };
  for (const auto& c : cases) {
    const SceneRect r = ScaledSceneRect(c.width, c.bottom, c.height, c.scale, c.maxSize);
    EXPECT_EQ(r.x, c.expected.x) << c.width << "x" << c.height << " at " << c.scale;
    EXPECT_EQ(r.y, c.expected.y) << c.width << "x" << c.height << " at " << c.scale;
    EXPECT_EQ(r.width, c.expected.width) << c.width << "x" << c.height << " at " << c.scale;
    EXPECT_EQ(r.height, c.expected.height) << c.width << "x" << c.height << " at " << c.scale;
  }
}

class ScaledFrameTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    ResizeGlWindow(320, 240);
    windowWidth = 320;
    windowHeight = 240;
    ResetSettings();
    InitDrift(kDriftChannels);
    ResetFrameTime();
    previousTime = 0.0;
    elapsedMs = 0;
    textOverlay.messageExpiry = 0.0;
    for (Particle& p : particleSystem.particles) p.active = 0;
    UseFixedRenderScale(0.5);
  }
  void TearDown() override {
    if (IsSkipped()) return;
    UseFixedRenderScale(1.0);
    ResetSettings();
    for (Particle& p : particleSystem.particles) p.active = 0;
    glClearColor(0, 0, 0, 1);
  }
  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      elapsedMs += 33;
      ASSERT_TRUE(DrawFrame());
    }
  }
};

// The right-most and top-most pixel of the clouds in the letterboxed viewport.
struct Extent {
  int right = 0, top = 0;
};
Extent CloudExtent(const std::vector<Rgb>& picture) {
  Extent e;
  for (int y = 36; y < 204; ++y)
    for (int x = 0; x < 320; ++x)
      if (picture[y * 320 + x].r > 40) {
        e.right = std::max(e.right, x);
        e.top = std::max(e.top, y);
      }
  return e;
}

TEST_F(ScaledFrameTest, TheStretchedSceneLiesWhereTheFullScaleOneDoesAndTheBarsKeepTheSky) {
  std::vector<Rgb> pictures[2];
  const double scales[2] = {1.0, 0.5};
  for (int i = 0; i < 2; ++i) {
    UseFixedRenderScale(scales[i]);
    SeedRandom(0);
    InitDrift(kDriftChannels);
    ResetFrameTime();
    previousTime = 0.0;
    elapsedMs = 0;
    for (Particle& p : particleSystem.particles) p.active = 0;
    settings.option = 1;     // clouds: the sky's blue shows where the clear reached
    settings.letterbox = 3;  // 36 rows hidden at the bottom, 36 at the top
    Frames(150);
    pictures[i] = ReadBackBuffer(320, 240);
  }
  const std::vector<Rgb>& full = pictures[0];
  const std::vector<Rgb>& half = pictures[1];
  for (const int y : {10, 230}) {
    EXPECT_GT(half[y * 320 + 300].b, 40) << y;
    EXPECT_EQ(half[y * 320 + 300].b, full[y * 320 + 300].b) << y;
  }
  // The reduced scene lies in the viewport's bottom-left quarter; stretched, it reaches as far
  // as the full-scale scene, give or take a reduced pixel.
  const Extent a = CloudExtent(full), b = CloudExtent(half);
  ASSERT_GT(a.right, 170);
  EXPECT_NEAR(b.right, a.right, 3);
  EXPECT_NEAR(b.top, a.top, 3);
  // The overlay then draws over the letterboxed viewport as it would at full scale.
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[1], 36);
  EXPECT_EQ(viewport[2], 320);
  EXPECT_EQ(viewport[3], 168);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ScaledFrameTest, LeavesTheStateTheOverlayReliesOn) {
  settings.polyMode = 1;
  Frames(10);
  GLint blendSource = 0, blendDestination = 0, modes[2] = {}, matrixMode = 0, bound = 0;
  glGetIntegerv(GL_BLEND_SRC, &blendSource);
  glGetIntegerv(GL_BLEND_DST, &blendDestination);
  glGetIntegerv(GL_POLYGON_MODE, modes);
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(blendSource, GL_SRC_ALPHA);  // the particles' additive blend, for the text
  EXPECT_EQ(blendDestination, GL_ONE);
  EXPECT_EQ(modes[0], GL_LINE);  // the scene's polygon mode stays for the overlay to handle
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  EXPECT_EQ(static_cast<GLuint>(bound), particleSystem.textureName);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_SCISSOR_TEST));
  GLint envMode = 0;
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
  EXPECT_EQ(envMode, GL_MODULATE);
}

TEST_F(ScaledFrameTest, HyperspaceKeepsTheTrailsExactlyFrameAfterFrame) {
  Frames(90);  // a burning flame
  // From here the scene adds nothing: whatever changes would be the reduced frame drawn back
  // wrongly, or not at all.
  settings.clearEachFrame = 0;
  for (Particle& p : particleSystem.particles) p.active = 0;
  settings.arrowY = 0.0f;
  const std::vector<Rgb> before = ReadBackBuffer(320, 240);
  long lit = 0;
  for (const Rgb& p : before) lit += p.r > 60;
  ASSERT_GT(lit, 2000);
  for (int i = 0; i < 5; ++i) {
    Frames(1);
    const std::vector<Rgb> after = ReadBackBuffer(320, 240);
    long different = 0;
    for (size_t k = 0; k < after.size(); ++k)
      different +=
          after[k].r != before[k].r || after[k].g != before[k].g || after[k].b != before[k].b;
    EXPECT_EQ(different, 0) << "frame " << i + 1 << " of hyperspace";
  }
}

}  // namespace
