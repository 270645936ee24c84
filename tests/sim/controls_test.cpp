// The simulation's keys driven through the real callbacks: the setting each one changes, its
// bounds and cycles, and the message it leaves on the status line.
#include "sim/controls.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>

#include "app/clock.h"
#include "sim/drift.h"
#include "sim/particles.h"
#include "sim/random.h"
#include "sim/settings.h"
#include "tests/support/gl_window_test.h"
#include "text/text_overlay.h"

namespace {

class ControlsTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    if (IsSkipped()) return;
    timeNow = 0.0f;
    ResetSettings();
    helpOn = 0;
    exitStartTime = 0;
    exitRequested = 0;
    letterboxCounter = 0;
    fullScreenOn = 1;
    particleSystem.limit = kDefaultParticleLimit;
    textOverlay.lastText[0] = '\0';
    textOverlay.messageExpiry = 0.0;
  }

  static void Press(unsigned char key, int times = 1) {
    for (int i = 0; i < times; ++i) SimKeyboard(key, 0, 0);
  }
  static std::string Message() { return textOverlay.lastText; }
};

TEST_F(ControlsTest, FieldOfViewStepsByTwoBetween10And178) {
  Press(',', 29);
  EXPECT_EQ(settings.fov, 178);
  EXPECT_EQ(Message(), "FOV: 178 Degrees\n");
  Press(',');
  EXPECT_EQ(settings.fov, 178);
  Press('.');
  EXPECT_EQ(settings.fov, 176);
  Press('.', 83);
  EXPECT_EQ(settings.fov, 10);
  EXPECT_EQ(Message(), "FOV:  10 Degrees\n");
  Press('.');
  EXPECT_EQ(settings.fov, 10);
  EXPECT_DOUBLE_EQ(textOverlay.messageExpiry, 3.0);
}

TEST_F(ControlsTest, TesselationStopsAt4And40) {
  Press('>');
  EXPECT_EQ(settings.tesselation, 31);
  EXPECT_EQ(Message(), "Tesselation: 31\n");
  Press('>', 20);
  EXPECT_EQ(settings.tesselation, 40);
  EXPECT_EQ(Message(), "Tesselation: 40\n");
  Press('<', 40);
  EXPECT_EQ(settings.tesselation, 4);
  EXPECT_EQ(Message(), "Tesselation: 4\n");
}

TEST_F(ControlsTest, OneStepDownAndOneUpLeaveJustBelowOne) {
  Press('[');
  EXPECT_EQ(settings.objectSize, 0.9f);
  EXPECT_EQ(Message(), "Object Size: 0.90\n");
  Press(']');
  EXPECT_EQ(settings.objectSize, 0.99999988f);
  EXPECT_LT(settings.objectSize, 1.0f);
  EXPECT_EQ(Message(), "Object Size: 1.00\n");
}

TEST_F(ControlsTest, EverySpeedKeyScalesItsOwnSettingAndNamesIt) {
  struct Row {
    unsigned char key;
    float* field;
    float expected;
    const char* message;
  };
  const Row rows[] = {
      {'(', &settings.lightRotateSpeed, 0.9f, "Light Rotate Speed: 0.90\n"},
      {')', &settings.lightRotateSpeed, 1.111111f, "Light Rotate Speed: 1.11\n"},
      {'+', &settings.movementSpeed, 1.111111f, "Movement Speed: 1.11\n"},
      {'_', &settings.movementSpeed, 0.9f, "Movement Speed: 0.90\n"},
      {'=', &settings.rotateSpeed, 1.111111f, "Rotate Speed: 1.11\n"},
      {'-', &settings.rotateSpeed, 0.9f, "Rotate Speed: 0.90\n"},
      {'[', &settings.objectSize, 0.9f, "Object Size: 0.90\n"},
      {']', &settings.objectSize, 1.111111f, "Object Size: 1.11\n"},
  };
  for (const Row& row : rows) {
    ResetSettings();
    Press(row.key);
    EXPECT_EQ(*row.field, row.expected) << row.key;
    EXPECT_EQ(Message(), row.message) << row.key;
  }
}

TEST_F(ControlsTest, ArrowKeysScaleMainSpeedAndArrowY) {
  struct Row {
    int key;
    float* field;
    float expected;
    const char* message;
  };
  const Row rows[] = {
      {GLUT_KEY_LEFT, &settings.mainSpeed, 0.9f, "Main Speed: 0.90\n"},
      {GLUT_KEY_RIGHT, &settings.mainSpeed, 1.111111f, "Main Speed: 1.11\n"},
      {GLUT_KEY_UP, &settings.arrowY, 1.111111f, "ArrowY: 1.11\n"},
      {GLUT_KEY_DOWN, &settings.arrowY, 0.9f, "ArrowY: 0.90\n"},
  };
  for (const Row& row : rows) {
    ResetSettings();
    SimSpecial(row.key, 0, 0);
    EXPECT_EQ(*row.field, row.expected) << row.key;
    EXPECT_EQ(Message(), row.message) << row.key;
  }
  // Unbounded: repeated presses keep multiplying.
  ResetSettings();
  for (int i = 0; i < 50; ++i) SimSpecial(GLUT_KEY_RIGHT, 0, 0);
  EXPECT_GT(settings.mainSpeed, 190.0f);
  EXPECT_EQ(Message().rfind("Main Speed: 19", 0), 0u);
}

TEST_F(ControlsTest, CameraStepsByATenthAndDoesNotComeBackToExactlyZero) {
  Press('{');
  EXPECT_EQ(settings.cameraZ, -0.1f);
  EXPECT_EQ(Message(), "CameraZ: -0.10\n");
  Press('}');
  EXPECT_NE(settings.cameraZ, 0.0f);
  EXPECT_NEAR(settings.cameraZ, -1.49e-9, 1e-10);
  EXPECT_EQ(Message(), "CameraZ: -0.00\n");
  Press('}', 3);
  EXPECT_NEAR(settings.cameraZ, 0.3f, 1e-6);
  EXPECT_EQ(Message(), "CameraZ: 0.30\n");
}

TEST_F(ControlsTest, LetterboxPingPongsThroughACycleOfTwelvePresses) {
  const int expected[] = {1, 2, 3, 4, 5, 6, 5, 4, 3, 2, 1, 0, 1, 2};
  for (int want : expected) {
    Press('l');
    ASSERT_EQ(settings.letterbox, want);
    EXPECT_EQ(Message(), "Letterbox: " + std::to_string(want));
  }
  Press('L');
  EXPECT_EQ(settings.letterbox, 3);
}

TEST_F(ControlsTest, LetterboxStartsAgainFromZeroAfterAReset) {
  Press('l', 10);  // 1..6, 5, 4, 3, 2: the counter stands at -2
  ASSERT_EQ(letterboxCounter, -2);
  Press('r');
  EXPECT_EQ(settings.letterbox, 0);
  EXPECT_EQ(letterboxCounter, -2);  // the reset leaves the counter
  Press('l');
  EXPECT_EQ(settings.letterbox, 1);

  // On the way up the stale counter would skip ahead; the re-sync starts from 0 instead.
  Press('l', 2);
  ASSERT_EQ(letterboxCounter, 3);
  Press('r');
  Press('l');
  EXPECT_EQ(settings.letterbox, 1);
  EXPECT_EQ(Message(), "Letterbox: 1");
}

TEST_F(ControlsTest, DigitKeysSetTheParticleLimitAndAResetKeepsIt) {
  const int limits[] = {10, 20, 40, 80, 160, 320};
  for (int i = 0; i < 6; ++i) {
    Press(static_cast<unsigned char>('1' + i));
    EXPECT_EQ(particleSystem.limit, limits[i]);
    EXPECT_EQ(Message(), std::to_string(limits[i]) + " particles");
  }
  Press('2');
  Press('r');
  EXPECT_EQ(particleSystem.limit, 20);
  EXPECT_EQ(Message(), "Reset");
}

TEST_F(ControlsTest, ResetRestoresDefaultsButKeepsHelpFadeAndFullScreen) {
  Press(',');
  Press('o');
  Press('p');
  Press('u');
  Press('c');
  Press('w');
  Press('}');
  Press(' ');
  helpOn = 1;
  exitStartTime = 7;
  exitRequested = 1;
  fullScreenOn = 0;
  fadeLevel = 0.4f;

  Press('R');
  EXPECT_EQ(settings.fov, 120);
  EXPECT_EQ(settings.option, 0);
  EXPECT_EQ(paused, 0);
  EXPECT_EQ(settings.universeOn, 0);
  EXPECT_EQ(settings.fpsClockOn, 0);
  EXPECT_EQ(settings.polyMode, 0);
  EXPECT_EQ(settings.cameraZ, 0.0f);
  EXPECT_EQ(settings.clearEachFrame, 1);
  EXPECT_EQ(fadeLevel, 1.0f);
  EXPECT_EQ(helpOn, 1);
  EXPECT_EQ(exitStartTime, 7);
  EXPECT_EQ(exitRequested, 1);
  EXPECT_EQ(fullScreenOn, 0);
  EXPECT_EQ(Message(), "Reset");
}

TEST_F(ControlsTest, ResetSeedsFromTheClockBeforeTheDriftChannelsDraw) {
  SetClock(123456);
  Press('r');
  const int afterKey = NextRandom();
  SeedRandom(123456);
  InitDrift(kDriftChannels);
  EXPECT_EQ(NextRandom(), afterKey);
  EXPECT_DOUBLE_EQ(textOverlay.messageExpiry, 123.456 + 3.0);
}

TEST_F(ControlsTest, LettersActAlikeInBothCasesWithMessagesByTheNewValue) {
  struct Row {
    unsigned char lower;
    int* flag;
    const char* on;
    const char* off;
  };
  const Row rows[] = {
      {'c', &settings.fpsClockOn, "Frame/Second Clock On", "Frame/Second Clock Off"},
      {'p', &paused, "Pause Action", "Continue Action"},
      {'s', &settings.spotLightsOn, "SpotLights On", "SpotLights Off"},
      {'t', &settings.texturesOn, "Textures On", "Textures Off"},
      {'u', &settings.universeOn, "Universe On", "Universe Off"},
  };
  for (const Row& row : rows) {
    const unsigned char upper = static_cast<unsigned char>(row.lower - 'a' + 'A');
    const int start = *row.flag;
    Press(row.lower);
    EXPECT_EQ(*row.flag, start == 0 ? 1 : 0) << row.lower;
    EXPECT_EQ(Message(), start == 0 ? row.on : row.off) << row.lower;
    Press(upper);
    EXPECT_EQ(*row.flag, start) << upper;
    EXPECT_EQ(Message(), start == 0 ? row.off : row.on) << upper;
  }
}

TEST_F(ControlsTest, PolyModeCyclesPolygonsLinesPoints) {
  Press('w');
  EXPECT_EQ(settings.polyMode, 1);
  EXPECT_EQ(Message(), "PolyMode 2/3: Lines");
  Press('W');
  EXPECT_EQ(settings.polyMode, 2);
  EXPECT_EQ(Message(), "PolyMode 3/3: Points");
  Press('w');
  EXPECT_EQ(settings.polyMode, 0);
  EXPECT_EQ(Message(), "PolyMode 1/3: Polygons");
}

TEST_F(ControlsTest, FlamesSetTheClearColourBlackAtOnceCloudsLeaveItToTheFrame) {
  glClearColor(0.0f, 0.0f, 0.5f, 1.0f);
  Press('o');
  EXPECT_EQ(settings.option, 1);
  EXPECT_EQ(Message(), "Option 1/1: Clouds");
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[2], 0.5f);

  Press('O');
  EXPECT_EQ(settings.option, 0);
  EXPECT_EQ(Message(), "Option 0/1: Flames");
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_FLOAT_EQ(clear[0], 0.0f);
  EXPECT_FLOAT_EQ(clear[1], 0.0f);
  EXPECT_FLOAT_EQ(clear[2], 0.0f);
  EXPECT_FLOAT_EQ(clear[3], 1.0f);
}

TEST_F(ControlsTest, SpaceTogglesHyperspaceWithoutAMessage) {
  Press(' ');
  EXPECT_EQ(settings.clearEachFrame, 0);
  Press(' ');
  EXPECT_EQ(settings.clearEachFrame, 1);
  EXPECT_EQ(Message(), "");
  EXPECT_EQ(textOverlay.messageExpiry, 0.0);
}

TEST_F(ControlsTest, HelpOffClearsThePictureAtOnceExceptInHyperspace) {
  auto fillRed = [] {
    glClearColor(1, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 1);
  };
  fillRed();
  Press('?');
  EXPECT_EQ(helpOn, 1);
  EXPECT_GT(ReadBackPixel(320, 240).r, 200);
  Press('/');
  EXPECT_EQ(helpOn, 0);
  EXPECT_LT(ReadBackPixel(320, 240).r, 8);

  fillRed();
  Press(' ');  // hyperspace
  Press('/');
  Press('?');
  EXPECT_EQ(helpOn, 0);
  EXPECT_GT(ReadBackPixel(320, 240).r, 200);
  EXPECT_EQ(Message(), "");
}

TEST_F(ControlsTest, EscapeStartsTheFadeEvenInTheFirstSecond) {
  settings.clearEachFrame = 0;
  helpOn = 1;
  timeNow = 0.4f;
  Press(27);
  EXPECT_EQ(exitStartTime, 0);
  EXPECT_EQ(exitRequested, 1);
  EXPECT_EQ(settings.clearEachFrame, 1);
  EXPECT_EQ(helpOn, 0);
  EXPECT_EQ(Message(), "");

  timeNow = 7.9f;
  Press(27);
  EXPECT_EQ(exitStartTime, 7);
  timeNow = 9.2f;
  Press(27);  // a second Escape restarts from the current whole second
  EXPECT_EQ(exitStartTime, 9);
}

TEST_F(ControlsTest, UnlistedKeysAndTheMouseChangeNothing) {
  Press(',');
  const Settings before = settings;
  const std::string message = Message();
  const unsigned char unlisted[] = {'a', 'x', 'Z', '0', '7', '9', '!', '\t', '\r', '~', 127, 200};
  for (unsigned char key : unlisted) Press(key);
  SimSpecial(GLUT_KEY_F1, 0, 0);
  SimSpecial(GLUT_KEY_PAGE_UP, 0, 0);
  SimMouse(GLUT_LEFT_BUTTON, GLUT_DOWN, 10, 10);
  SimMouse(GLUT_LEFT_BUTTON, GLUT_UP, 10, 10);
  EXPECT_EQ(Message(), message);
  EXPECT_EQ(settings.fov, before.fov);
  EXPECT_EQ(settings.letterbox, before.letterbox);
  EXPECT_EQ(settings.polyMode, before.polyMode);
  EXPECT_EQ(settings.option, before.option);
  EXPECT_EQ(settings.rotateSpeed, before.rotateSpeed);
  EXPECT_EQ(settings.mainSpeed, before.mainSpeed);
  EXPECT_EQ(settings.cameraZ, before.cameraZ);
  EXPECT_EQ(paused, 0);
  EXPECT_EQ(helpOn, 0);
  EXPECT_EQ(exitRequested, 0);
  EXPECT_EQ(particleSystem.limit, kDefaultParticleLimit);
}

TEST_F(ControlsTest, FullScreenKeyLeavesToA512SquareWindowAndReturns) {
  Press('f');
  EXPECT_EQ(fullScreenOn, 0);
  for (int i = 0; i < 200 && glutGet(GLUT_WINDOW_WIDTH) != 512; ++i) PumpGlEvents();
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 512);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 512);

  Press('F');
  EXPECT_EQ(fullScreenOn, 1);
  const int screenWidth = glutGet(GLUT_SCREEN_WIDTH);
  for (int i = 0; i < 200 && glutGet(GLUT_WINDOW_WIDTH) != screenWidth; ++i) PumpGlEvents();
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), screenWidth);

  // Give the shared test window back as the other tests expect it: leave full screen, let the
  // old size come back, then resize.
  glutLeaveFullScreen();
  for (int i = 0; i < 200 && glutGet(GLUT_WINDOW_WIDTH) == screenWidth; ++i) PumpGlEvents();
  ResizeGlWindow(kWidth, kHeight);
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), kWidth);
}

}  // namespace
