// A real GL context for tests: one GLUT window on the X server named by $DISPLAY (the test
// script starts Xvfb), created on first use so that tests without GL need no display.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

// Creates the window (once per process) and makes its context current; false without a display.
bool EnsureGlWindow();
// Resizes the test window and waits until GLUT reports the new size.
void ResizeGlWindow(int width, int height);
// Lets GLUT handle pending window-system events.
void PumpGlEvents();

struct Rgb {
  uint8_t r, g, b;
};
static_assert(sizeof(Rgb) == 3, "pixels are packed RGB, as OpenGL and libpng hand them over");

// Reads the back buffer (where the frame is drawn before the swap), rows bottom-up as OpenGL has
// them: pixel (x, y) is at index y * width + x with y = 0 the bottom row.
std::vector<Rgb> ReadBackBuffer(int width, int height);
Rgb ReadBackPixel(int x, int y);

// Writes an RGB picture, top row first, as PNG. Returns the path written, empty on failure.
std::string SavePicture(const std::string& pathWithoutExtension, int width, int height,
                        const std::vector<Rgb>& topDownPixels);

// Fixture for tests that need GL: skips cleanly where no display can be had.
class GlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!EnsureGlWindow()) GTEST_SKIP() << "no X display for a GL context";
  }
};
