// The test's own target window, drawn on by the program under test.
#include "tests/support/target_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {
constexpr int kShowWaitStepMs = 20;
constexpr int kShowWaitSteps = 1000;  // 20 s
constexpr int kMapAgainSteps = 50;    // 1 s
}  // namespace

TargetWindow::TargetWindow(XvfbServer& s, int x, int y, int width, int height)
    : TargetWindow(s, 0, x, y, width, height) {}

TargetWindow::TargetWindow(XvfbServer& s, XWindowId parent, int x, int y, int width, int height,
                           bool overrideRedirect)
    : server(s) {
  Display* dpy = server.Dpy();
  if (dpy == nullptr) return;
  // A dark grey background: the program's black can be told from a window nobody drew in.
  window = XCreateSimpleWindow(dpy, parent != 0 ? parent : DefaultRootWindow(dpy), x, y,
                               static_cast<unsigned>(width), static_cast<unsigned>(height), 0, 0,
                               0x202020);
  if (overrideRedirect) {
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(dpy, window, CWOverrideRedirect, &attributes);
  }
  XStoreName(dpy, window, "Target");
  XMapWindow(dpy, window);
  XSync(dpy, False);
  // A window manager maps a top-level window in its own time: the test starts once it shows.
  // openbox drops a map request that comes while it is still starting, so it is asked again.
  if (parent != 0) return;
  for (int wait = 1; wait <= kShowWaitSteps; ++wait) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(dpy, window, &attributes) && attributes.map_state == IsViewable) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(kShowWaitStepMs));
    if (wait % kMapAgainSteps == 0) XMapWindow(dpy, window);
  }
}

TargetWindow::~TargetWindow() {
  Destroy();
}

std::string TargetWindow::IdText() const {
  char text[24];
  std::snprintf(text, sizeof text, "0x%lX", window);
  return text;
}

void TargetWindow::Resize(int width, int height) {
  XResizeWindow(server.Dpy(), window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(server.Dpy(), False);
}

void TargetWindow::Destroy() {
  if (window == 0) return;
  XDestroyWindow(server.Dpy(), window);
  XSync(server.Dpy(), False);
  window = 0;
}

std::vector<Rgb> TargetWindow::Read(int* width, int* height) const {
  Display* dpy = server.Dpy();
  XWindowAttributes attributes{};
  std::vector<Rgb> pixels;
  *width = *height = 0;
  if (window == 0 || !XGetWindowAttributes(dpy, window, &attributes)) return pixels;
  XImage* image = XGetImage(dpy, window, 0, 0, static_cast<unsigned>(attributes.width),
                            static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  *width = attributes.width;
  *height = attributes.height;
  pixels.resize(static_cast<size_t>(*width) * *height);
  for (int y = 0; y < *height; ++y)
    for (int x = 0; x < *width; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      pixels[static_cast<size_t>(y) * *width + x] = {static_cast<uint8_t>((p >> 16) & 0xFF),
                                                     static_cast<uint8_t>((p >> 8) & 0xFF),
                                                     static_cast<uint8_t>(p & 0xFF)};
    }
  XDestroyImage(image);
  return pixels;
}

bool TargetWindow::ChildSize(int* width, int* height) const {
  Display* dpy = server.Dpy();
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (window == 0 || !XQueryTree(dpy, window, &root, &parent, &children, &count)) return false;
  XWindowAttributes attributes{};
  const bool one = count == 1 && XGetWindowAttributes(dpy, children[0], &attributes);
  if (children != nullptr) XFree(children);
  if (!one) return false;
  *width = attributes.width;
  *height = attributes.height;
  return true;
}
