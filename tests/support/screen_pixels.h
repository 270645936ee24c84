// The screen of a test's X server read back, and pixel statistics over it.
#pragma once

#include <string>
#include <vector>

#include "tests/support/gl_context.h"  // Rgb, SavePicture
#include "tests/support/xvfb_server.h"

// The whole screen of a server, top row first.
std::vector<Rgb> ScreenPixels(const XvfbServer& server);

// Pixel statistics over a rectangle of a top-down screenshot of the given width.
struct PixelRegion {
  int x0, y0, x1, y1;  // half-open: x0 <= x < x1, y0 <= y < y1, y from the top
};
int CountPixels(const std::vector<Rgb>& pixels, int width, PixelRegion region,
                bool (*predicate)(const Rgb&));
bool IsBlack(const Rgb& p);     // every channel below 8
bool IsNotBlack(const Rgb& p);  // any channel at 8 or more
bool IsBright(const Rgb& p);    // any channel above 128

// Where screenshots go: $QUOR_SCREENSHOT_DIR, else build/screenshots beside the test binary's
// working directory.
std::string ScreenshotPath(const std::string& name);
