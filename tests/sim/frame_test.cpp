// Frame composition: time steps, the frame counter, the letterbox, the fade and the reset.
#include "sim/frame.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "app/clock.h"
#include "app/shell.h"
#include "sim/particles.h"
#include "sim/random.h"
#include "sim/settings.h"
#include "tests/support/gl_context.h"

namespace {

class FrameTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFrameTime();
    previousTime = 0.0;
    timeNow = 0.0f;
    frameDt = 0.0f;
    frameCount = 0;
    nextSecond = 1.0;
    framesPerSecond = 30;
  }
  void TearDown() override {
    SetFrameCap(0);
    SetUp();
  }
};

TEST_F(FrameTimeTest, FirstFrameStepIsTheTimeSinceTheZeroPoint) {
  AdvanceFrameTime(40);
  EXPECT_FLOAT_EQ(timeNow, 0.04f);
  EXPECT_FLOAT_EQ(frameDt, 0.04f);
  EXPECT_DOUBLE_EQ(previousTime, static_cast<double>(0.04f));
}

TEST_F(FrameTimeTest, SlowStartUpGivesTheSubstituteStep) {
  AdvanceFrameTime(850);
  EXPECT_FLOAT_EQ(timeNow, 0.85f);
  EXPECT_EQ(frameDt, 0.05f);
}

TEST_F(FrameTimeTest, StepsAboveALimitOfOneTenthAreReplacedButOneTenthIsKept) {
  AdvanceFrameTime(1000);
  AdvanceFrameTime(1100);
  EXPECT_NEAR(frameDt, 0.1f, 1e-6);
  EXPECT_NE(frameDt, 0.05f);
  AdvanceFrameTime(1600);  // a stall of half a second
  EXPECT_EQ(frameDt, 0.05f);
  AdvanceFrameTime(1616);
  EXPECT_NEAR(frameDt, 0.016f, 1e-4);
}

// Under a frame cap a step of up to two of its intervals is the machine being late, not a stall.
TEST_F(FrameTimeTest, UnderAFrameCapStepsOfUpToTwoIntervalsAreReal) {
  for (const auto& c : {std::make_tuple(10u, 199u, 0.199f), std::make_tuple(10u, 201u, 0.05f),
                        std::make_tuple(0u, 104u, 0.05f)}) {
    SetUp();
    SetFrameCap(std::get<0>(c));
    AdvanceFrameTime(1000);
    AdvanceFrameTime(1000 + std::get<1>(c));
    EXPECT_NEAR(frameDt, std::get<2>(c), 1e-6) << std::get<0>(c) << " fps, " << std::get<1>(c);
  }
}

// A fast machine draws several frames per millisecond: the repeats must advance nothing, not
// count as stalls.
TEST_F(FrameTimeTest, FramesInTheSameMillisecondAdvanceNothing) {
  for (const uint32_t base : {1234u, 5u * 3600u * 1000u}) {
    SetUp();
    AdvanceFrameTime(base);
    const float before = timeNow;
    AdvanceFrameTime(base);
    EXPECT_EQ(frameDt, 0.0f) << base;
    EXPECT_EQ(timeNow, before) << base;
  }
}

TEST_F(FrameTimeTest, ManyFramesOverOneSecondAdvanceOneSecond) {
  constexpr uint32_t kOneDayMs = 24u * 3600u * 1000u;
  for (const uint32_t base : {0u, kOneDayMs}) {
    for (const int frames : {1000, 2000}) {  // one and two frames per millisecond
      SetUp();
      AdvanceFrameTime(base);
      double advanced = 0.0;
      for (int i = 1; i <= frames; ++i) {
        AdvanceFrameTime(base + static_cast<uint32_t>(i * 1000 / frames));
        advanced += frameDt;
      }
      EXPECT_NEAR(advanced, 1.0, 0.01) << frames << " frames from " << base << " ms";
    }
  }
}

TEST_F(FrameTimeTest, StepAcrossTheClockWrapIsTheTrueSmallStep) {
  AdvanceFrameTime(4294967290u);
  const float before = timeNow;
  AdvanceFrameTime(10u);  // the 32-bit millisecond count wrapped 16 ms later
  EXPECT_FLOAT_EQ(frameDt, 0.016f);
  EXPECT_NEAR(timeNow - before, 0.016, 0.001);
}

// Far into a run, across the moment the scene's seconds are moved back (at 2^14 s), and across
// the wrap of the millisecond count, a flame particle moves by equal steps and fades smoothly,
// as it does in the first minute.
TEST_F(FrameTimeTest, LongRunsKeepMotionEvenAndFadesSmooth) {
  constexpr uint64_t kDayMs = 24ull * 3600 * 1000;
  constexpr uint64_t kWrapMs = 1ull << 32;
  constexpr uint64_t kFirstShiftMs = 16384ull * 1000;
  constexpr uint32_t kStepMs = 16;
  for (const uint64_t base : {kFirstShiftMs - 1000, kDayMs, 7 * kDayMs, kWrapMs - 2000}) {
    SetUp();
    uint64_t clock = base;
    AdvanceFrameTime(static_cast<uint32_t>(clock));
    // The scene's own particle system: the one whose times are moved with the scene's seconds.
    ParticleSystem& system = particleSystem;
    for (Particle& slot : system.particles) slot.active = 0;
    SeedRandom(1);
    system.Emit(0, 0.0f, 0.0f, 0.0f, timeNow, 1.0f);
    const Particle& p = system.particles[0];
    const double life = static_cast<double>(p.deathTime) - p.birthTime;
    ASSERT_NEAR(life, 4.5, 0.5) << base;
    float lastY = p.y, lastStep = -1.0f, lastAge = 0.0f;
    // Four seconds of frames: the particle lives throughout, and passes the shift or the wrap in
    // the first or the third.
    for (int frame = 0; frame < 250; ++frame) {
      clock += kStepMs;
      AdvanceFrameTime(static_cast<uint32_t>(clock));
      ASSERT_FLOAT_EQ(frameDt, 0.016f) << base << " frame " << frame;
      system.Update(timeNow, frameDt, 1.0f);
      ASSERT_EQ(p.active, 1) << base << " frame " << frame;
      const float step = p.y - lastY;
      if (lastStep >= 0.0f) {
        ASSERT_NEAR(step, lastStep, 1e-6) << base << " frame " << frame;
      }
      lastStep = step;
      lastY = p.y;
      const float age = static_cast<float>((timeNow - p.birthTime) / life);
      ASSERT_LE(std::fabs(age - lastAge), 0.01f) << base << " frame " << frame;
      lastAge = age;
    }
    EXPECT_NEAR(lastAge, 4.0 / life, 0.01) << base;
    for (Particle& slot : system.particles) slot.active = 0;
  }
}

TEST_F(FrameTimeTest, FramesPerSecondStays30UntilTheFirstWholeSecond) {
  for (uint32_t ms = 10; ms < 1000; ms += 10) {
    AdvanceFrameTime(ms);
    CountFrame();
    ASSERT_EQ(framesPerSecond, 30);
  }
  AdvanceFrameTime(1000);
  CountFrame();
  EXPECT_EQ(framesPerSecond, 100);
  EXPECT_EQ(frameCount, 0);
  EXPECT_EQ(nextSecond, 2.0);
}

TEST_F(FrameTimeTest, AfterAStallTheCountCatchesUpOneSecondPerFrame) {
  AdvanceFrameTime(500);
  CountFrame();
  AdvanceFrameTime(4500);  // several whole seconds without a frame
  CountFrame();
  EXPECT_EQ(framesPerSecond, 2);
  EXPECT_EQ(nextSecond, 2.0);
  for (int expectedNext = 3; expectedNext <= 5; ++expectedNext) {
    AdvanceFrameTime(4510 + expectedNext);
    CountFrame();
    EXPECT_EQ(framesPerSecond, 1);
    EXPECT_EQ(nextSecond, expectedNext);
  }
  AdvanceFrameTime(4600);
  CountFrame();
  EXPECT_EQ(nextSecond, 5.0);  // ahead of timeNow again: counting resumes normally
  EXPECT_EQ(frameCount, 1);
}

// A clock started anywhere (--clock-start), also just before the wrap of the 32-bit count: at
// 25 ms a frame the count reads 40 from the first whole second on.
TEST_F(FrameTimeTest, AClockStartedLateCountsRightFromItsFirstSecond) {
  for (const uint32_t start : {2500u, 4294965296u}) {
    SetUp();
    StartFrameTime(start);
    for (uint32_t frame = 1; frame <= 130; ++frame) {  // past the wrap for the last start
      AdvanceFrameTime(start + frame * 25);
      CountFrame();
      ASSERT_FLOAT_EQ(frameDt, 0.025f) << start << " frame " << frame;
      const double toNextSecond = nextSecond - timeNow;
      ASSERT_TRUE(toNextSecond > -1e-3 && toNextSecond <= 1.0 + 1e-3) << start << " " << frame;
    }
    EXPECT_EQ(framesPerSecond, 40) << start;
  }
}

TEST(Letterbox, RowsOfA768RowWindow) {
  LetterboxRows r = ComputeLetterbox(0, 768);
  EXPECT_EQ(r.bottom, 0);
  EXPECT_EQ(r.visibleHeight, 768);
  r = ComputeLetterbox(1, 768);
  EXPECT_EQ(r.bottom, 38);
  EXPECT_EQ(r.top, 729);
  EXPECT_EQ(r.visibleHeight, 691);
  EXPECT_EQ(ComputeLetterbox(2, 768).visibleHeight, 615);
  r = ComputeLetterbox(6, 768);
  EXPECT_EQ(r.bottom, 230);
  EXPECT_EQ(r.top, 537);  // rows 230 to 536 visible
  EXPECT_EQ(r.visibleHeight, 307);
}

TEST(Letterbox, ZeroHeightNeverDividesByZero) {
  const LetterboxRows r = ComputeLetterbox(3, 0);
  EXPECT_EQ(r.visibleHeight, 0);
  EXPECT_EQ(AspectRatio(800, r.visibleHeight), 1.0);
  EXPECT_DOUBLE_EQ(AspectRatio(1024, 768), 1024.0 / 768.0);
}

class FadeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    exitRequested = 0;
    exitStartTime = 0;
    fadeLevel = 1.0f;
  }
  void TearDown() override { SetUp(); }
};

TEST_F(FadeTest, NoFadeWithoutEscape) {
  timeNow = 100.0f;
  EXPECT_FALSE(UpdateFade());
  EXPECT_EQ(fadeLevel, 1.0f);
}

TEST_F(FadeTest, FadeBegunAt79StartsNear070AndEndsAfter997) {
  exitRequested = 1;
  exitStartTime = 7;
  timeNow = 7.9f;
  EXPECT_FALSE(UpdateFade());
  EXPECT_NEAR(fadeLevel, 0.7f, 0.001f);
  timeNow = 9.5f;
  EXPECT_FALSE(UpdateFade());
  EXPECT_NEAR(fadeLevel, 1.0 - 2.5 / 3.0, 1e-6);
  timeNow = 9.96f;
  EXPECT_FALSE(UpdateFade());
  timeNow = 9.975f;
  EXPECT_TRUE(UpdateFade());
  EXPECT_LT(fadeLevel, 0.01f);
}

TEST_F(FadeTest, EscapeInTheFirstSecondStillFades) {
  exitRequested = 1;
  exitStartTime = 0;  // the whole second at or before a press at 0.6 s
  timeNow = 0.6f;
  EXPECT_FALSE(UpdateFade());
  EXPECT_NEAR(fadeLevel, 0.8f, 1e-6);
  timeNow = 2.96f;
  EXPECT_FALSE(UpdateFade());
  timeNow = 2.975f;
  EXPECT_TRUE(UpdateFade());
}

TEST(ResetSettingsTest, RestoresDefaultsAndLeavesTheRestAlone) {
  settings.fov = 40;
  settings.option = 1;
  settings.universeOn = 1;
  settings.letterbox = 4;
  settings.cameraZ = -2.0f;
  settings.objectSize = 3.0f;
  settings.polyMode = 2;
  settings.clearEachFrame = 0;
  paused = 1;
  fadeLevel = 0.4f;
  helpOn = 1;
  exitStartTime = 5;
  letterboxCounter = -3;
  fullScreenOn = 0;
  elapsedMs = 0;
  ResetSettings();
  EXPECT_EQ(settings.fov, 120);
  EXPECT_EQ(settings.option, 0);
  EXPECT_EQ(settings.universeOn, 0);
  EXPECT_EQ(settings.letterbox, 0);
  EXPECT_EQ(settings.tesselation, 30);
  EXPECT_EQ(settings.clearEachFrame, 1);
  EXPECT_EQ(settings.texturesOn, 1);
  EXPECT_EQ(settings.polyMode, 0);
  EXPECT_EQ(settings.spotLightsOn, 0);
  EXPECT_EQ(settings.fpsClockOn, 0);
  EXPECT_EQ(settings.cameraZ, 0.0f);
  EXPECT_EQ(settings.objectSize, 1.0f);
  EXPECT_EQ(settings.rotateSpeed, 1.0f);
  EXPECT_EQ(settings.movementSpeed, 1.0f);
  EXPECT_EQ(settings.mainSpeed, 1.0f);
  EXPECT_EQ(settings.arrowY, 1.0f);
  EXPECT_EQ(settings.lightRotateSpeed, 1.0f);
  EXPECT_EQ(paused, 0);
  EXPECT_EQ(fadeLevel, 1.0f);
  // Left as they were.
  EXPECT_EQ(helpOn, 1);
  EXPECT_EQ(exitStartTime, 5);
  EXPECT_EQ(letterboxCounter, -3);
  EXPECT_EQ(fullScreenOn, 0);
  // Seeded with elapsedMs.
  EXPECT_EQ(NextRandom(), 38);
  helpOn = 0;
  exitStartTime = 0;
  letterboxCounter = 0;
  fullScreenOn = 1;
}

class ViewTest : public GlTest {};

TEST_F(ViewTest, ViewportAndPolygonModeFollowTheSettings) {
  ResetSettings();
  windowWidth = 1024;
  windowHeight = 768;
  // Letterbox rows of a 768-row window: 1 leaves 38 rows below and 39 above, 6 leaves rows 230
  // to 536.
  const struct {
    int letterbox, polyMode;
    GLint bottom, height, mode;
  } cases[] = {{0, 0, 0, 768, GL_FILL}, {1, 1, 38, 691, GL_LINE}, {6, 2, 230, 307, GL_POINT}};
  for (const auto& c : cases) {
    settings.letterbox = c.letterbox;
    settings.polyMode = c.polyMode;
    SetupView();
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], c.bottom);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], c.height);
    GLint modes[2];
    glGetIntegerv(GL_POLYGON_MODE, modes);
    EXPECT_EQ(modes[0], c.mode);
    EXPECT_EQ(modes[1], c.mode);
  }
  GLint matrixMode;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  ResetSettings();
  windowWidth = 640;
  windowHeight = 480;
  SetupView();
}

TEST_F(ViewTest, ZeroHeightWindowGivesAFiniteProjection) {
  ResetSettings();
  windowWidth = 640;
  windowHeight = 0;
  SetupView();
  GLfloat projection[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  for (GLfloat v : projection) EXPECT_TRUE(std::isfinite(v));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  windowHeight = 480;
}

TEST_F(ViewTest, CameraSitsAtCameraZLookingDownMinusZ) {
  ResetSettings();
  settings.cameraZ = 1.5f;
  SetupView();
  GLfloat modelview[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
  EXPECT_NEAR(modelview[14], -1.5f, 1e-6);  // the world moves back by the eye's offset
  EXPECT_NEAR(modelview[0], 1.0f, 1e-6);
  ResetSettings();
}

}  // namespace
