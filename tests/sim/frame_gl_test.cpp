// Whole frames drawn into the test window: the cloud sky and the exit fade's state.
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

class FrameGlTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    ResetSettings();
    InitDrift(kDriftChannels);
    windowWidth = glutGet(GLUT_WINDOW_WIDTH);
    windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
    ResetFrameTime();
    previousTime = 0.0;
    elapsedMs = 200;  // inside the first second: no frame count is taken yet
    frameCount = 0;
    nextSecond = 1.0;
  }
  void TearDown() override {
    ResetSettings();
    glClearColor(0, 0, 0, 1);
  }
};

TEST_F(FrameGlTest, CloudSkyIsABlueBetween02And07) {
  settings.option = 1;
  for (int frame = 0; frame < 30; ++frame) {
    elapsedMs += 16;
    ASSERT_TRUE(DrawFrame());
    // A corner far from the clouds' emitter on the left shows the sky alone.
    const Rgb sky = ReadBackPixel(windowWidth - 2, windowHeight - 2);
    EXPECT_EQ(sky.r, 0);
    EXPECT_EQ(sky.g, 0);
    EXPECT_GE(sky.b, static_cast<int>(0.2 * 255) - 1);
    EXPECT_LE(sky.b, static_cast<int>(0.7 * 255) + 1);
  }
}

TEST_F(FrameGlTest, FlameFramesClearToBlackAndCountFrames) {
  settings.option = 0;
  const int before = frameCount;
  elapsedMs += 16;
  ASSERT_TRUE(DrawFrame());
  const Rgb corner = ReadBackPixel(1, 1);
  EXPECT_EQ(corner.r, 0);
  EXPECT_EQ(corner.g, 0);
  EXPECT_EQ(corner.b, 0);
  EXPECT_EQ(frameCount, before + 1);
  EXPECT_FLOAT_EQ(timeNow, elapsedMs * 0.001f);
}

TEST_F(FrameGlTest, PausedFramesLeaveTheDriftChannelsStill) {
  settings.option = 1;
  elapsedMs += 16;
  DrawFrame();
  paused = 1;
  const DriftChannelState before = GetDriftChannel(11);
  for (int i = 0; i < 5; ++i) {
    elapsedMs += 16;
    DrawFrame();
  }
  const DriftChannelState after = GetDriftChannel(11);
  EXPECT_EQ(after.phase, before.phase);
  EXPECT_EQ(after.rate, before.rate);
  paused = 0;
}

}  // namespace
