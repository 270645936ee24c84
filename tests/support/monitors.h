// Monitors for the end-to-end tests: RandR 1.5 monitors set on an Xvfb server with xrandr, as
// a user with two screens has them, and where a picture's flame stands within each.
#pragma once

#include <string>
#include <vector>

#include "tests/support/x_app.h"

struct TestMonitor {
  int x, y, width, height;  // root-window pixels from the top left
};

// Makes these the server's monitors, in this order, the first over the server's one output
// (which then lists no monitor of its own) and the others over none. An empty list gives the
// server back its one monitor. False, with xrandr's words in *error, when xrandr failed.
bool SetMonitors(const XvfbServer& server, const std::vector<TestMonitor>& monitors,
                 std::string* error);

// The warm pixels of a region of a top-down screenshot (red bright and above blue: the flame,
// not the white text or a star) and their centre, in screen pixels.
struct WarmPixels {
  int count = 0;
  double x = 0.0, y = 0.0;
};
WarmPixels FindWarmPixels(const std::vector<Rgb>& pixels, int width, PixelRegion region);

// True when every pixel of the region is black: nothing is lit on no monitor.
bool RegionBlack(const std::vector<Rgb>& pixels, int width, PixelRegion region);
