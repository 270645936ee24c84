// The screen read back (see tests/support/screen_pixels.h).
#include "tests/support/screen_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>

std::vector<Rgb> ScreenPixels(const XvfbServer& server) {
  Display* dpy = server.Dpy();
  const int w = server.Width(), h = server.Height();
  std::vector<Rgb> pixels(static_cast<size_t>(w) * h);
  XImage* image = XGetImage(dpy, DefaultRootWindow(dpy), 0, 0, w, h, AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      pixels[static_cast<size_t>(y) * w + x] = {static_cast<uint8_t>((p >> 16) & 0xFF),
                                                static_cast<uint8_t>((p >> 8) & 0xFF),
                                                static_cast<uint8_t>(p & 0xFF)};
    }
  XDestroyImage(image);
  return pixels;
}

int CountPixels(const std::vector<Rgb>& pixels, int width, PixelRegion r,
                bool (*predicate)(const Rgb&)) {
  int count = 0;
  for (int y = r.y0; y < r.y1; ++y)
    for (int x = r.x0; x < r.x1; ++x)
      if (predicate(pixels[static_cast<size_t>(y) * width + x])) ++count;
  return count;
}

bool IsBlack(const Rgb& p) {
  return p.r < 8 && p.g < 8 && p.b < 8;
}
bool IsNotBlack(const Rgb& p) {
  return !IsBlack(p);
}
bool IsBright(const Rgb& p) {
  return p.r > 128 || p.g > 128 || p.b > 128;
}

std::string ScreenshotPath(const std::string& name) {
  const char* dir = std::getenv("QUOR_SCREENSHOT_DIR");
  std::string base = (dir != nullptr && dir[0] != '\0') ? dir : "screenshots";
  mkdir(base.c_str(), 0755);
  return base + "/" + name;
}
