// The fixture of the tests that draw as the program does, in a GL window of its size: 640 x 480,
// the shell told that size, the clock at 0 and no GL error left from an earlier test. Skips
// cleanly where no display can be had.
#pragma once

#include <GL/gl.h>

#include "app/clock.h"
#include "app/shell.h"
#include "tests/support/gl_context.h"

class GlWindowTest : public GlTest {
 protected:
  static constexpr int kWidth = 640;
  static constexpr int kHeight = 480;

  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    ResizeGlWindow(kWidth, kHeight);
    windowWidth = kWidth;
    windowHeight = kHeight;
    SetClock(0);
    while (glGetError() != GL_NO_ERROR) {
    }
  }
};
