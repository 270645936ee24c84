// F12: the frame as drawn saved under a time-stamped name in the working directory, confirmed by
// a message; a directory that cannot be written gives a message, not a crash.
#include "sim/screenshot.h"

#include <GL/freeglut.h>
#include <GL/gl.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <regex>
#include <string>
#include <vector>

#include "app/shell.h"
#include "sim/controls.h"
#include "tests/support/gl_context.h"
#include "tests/support/picture.h"
#include "text/text_overlay.h"

namespace {

std::vector<std::string> PngsIn(const std::string& dir) {
  std::vector<std::string> names;
  if (DIR* d = opendir(dir.c_str())) {
    while (dirent* e = readdir(d))
      if (std::regex_match(e->d_name, std::regex(".*\\.png"))) names.push_back(e->d_name);
    closedir(d);
  }
  return names;
}

class ScreenshotTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    ResizeGlWindow(64, 48);
    windowWidth = 64;
    windowHeight = 48;
    char pattern[] = "/tmp/quor-shot-XXXXXX";
    dir = mkdtemp(pattern);
    ASSERT_TRUE(getcwd(previous, sizeof previous) != nullptr);
    ASSERT_EQ(chdir(dir.c_str()), 0);
  }
  void TearDown() override {
    if (previous[0] != '\0') {
      EXPECT_EQ(chdir(previous), 0);
    }
  }
  std::string dir;
  char previous[4096] = {};
};

TEST_F(ScreenshotTest, F12SavesTheFrameUnderATimeStampAndSaysSo) {
  // A picture that is easy to recognise: green left half, blue right half.
  glClearColor(0, 0, 1, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 32, 48);
  glClearColor(0, 1, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);

  SimSpecial(GLUT_KEY_F12, 0, 0);
  EXPECT_TRUE(PngsIn(dir).empty()) << "the picture is taken at the end of the frame";
  TakePendingScreenshot();
  const std::vector<std::string> files = PngsIn(dir);
  ASSERT_EQ(files.size(), 1u);
  EXPECT_TRUE(std::regex_match(files[0], std::regex("quor-20[0-9]{6}-[0-9]{6}\\.png"))) << files[0];
  EXPECT_EQ(std::string(textOverlay.lastText), "Screenshot saved: " + files[0]);

  Picture shot;
  ASSERT_TRUE(ReadPng(dir + "/" + files[0], &shot));
  ASSERT_EQ(shot.width, 64);
  ASSERT_EQ(shot.height, 48);
  const Rgb left = shot.pixels[10 * 64 + 5], right = shot.pixels[10 * 64 + 60];
  EXPECT_EQ(left.g, 255);
  EXPECT_EQ(left.b, 0);
  EXPECT_EQ(right.b, 255);
  EXPECT_EQ(right.g, 0);

  // A second one in the same second keeps the first.
  SimSpecial(GLUT_KEY_F12, 0, 0);
  TakePendingScreenshot();
  EXPECT_EQ(PngsIn(dir).size(), 2u);
  TakePendingScreenshot();  // nothing asked for: nothing saved
  EXPECT_EQ(PngsIn(dir).size(), 2u);
}

TEST_F(ScreenshotTest, AWorkingDirectoryThatCannotBeWrittenGivesAMessage) {
  // A removed working directory cannot take a file, not even for root.
  ASSERT_EQ(rmdir(dir.c_str()), 0);
  SimSpecial(GLUT_KEY_F12, 0, 0);
  TakePendingScreenshot();
  EXPECT_TRUE(std::regex_match(std::string(textOverlay.lastText),
                               std::regex("Screenshot failed: cannot write quor-.*\\.png")))
      << textOverlay.lastText;
}

}  // namespace
