// The target window of --root and --window-id, on an X connection of the program's own.
#include "app/embed_window.h"

#include <GL/glx.h>
#include <X11/Xlib.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "app/options.h"

namespace {
constexpr unsigned long kLargestWindowId = 0x1FFFFFFF;

Display* display = nullptr;  // the program's own connection
Window target = 0;
Window glutWindow = 0;
int targetWidth = 0, targetHeight = 0;
bool targetGone = false;
XErrorHandler reportError = nullptr;  // Xlib's handler, for every other error

bool trappedError = false;
int TrapError(Display*, XErrorEvent*) {
  trappedError = true;
  return 0;
}

// The handler is one for the whole process, freeglut's connection included: once the target
// has been destroyed, every frame drawn before the program notices fails on the vanished
// window. Those errors end the program quietly instead of flooding standard error.
int OnXError(Display* d, XErrorEvent* error) {
  if (error->resourceid == target || error->resourceid == glutWindow) {
    targetGone = true;
    return 0;
  }
  return reportError != nullptr ? reportError(d, error) : 0;
}
}  // namespace

bool ParseWindowId(const char* text, unsigned long* id) {
  if (text == nullptr) return false;
  int base = 10;
  const char* digits = text;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    digits = text + 2;
  }
  const unsigned char first = static_cast<unsigned char>(digits[0]);
  if (base == 16 ? !std::isxdigit(first) : !std::isdigit(first)) return false;
  errno = 0;
  char* end = nullptr;
  const unsigned long long n = std::strtoull(digits, &end, base);
  if (errno != 0 || *end != '\0' || n == 0 || n > kLargestWindowId) return false;
  *id = static_cast<unsigned long>(n);
  return true;
}

int OpenTargetWindow(const Options& options, std::FILE* err) {
  unsigned long id = options.windowId;
  const char* fromEnvironment = std::getenv("XSCREENSAVER_WINDOW");
  const bool useEnvironment = id == 0 && fromEnvironment != nullptr && fromEnvironment[0] != '\0';
  if (useEnvironment && !ParseWindowId(fromEnvironment, &id)) {
    std::fprintf(err, "quor: XSCREENSAVER_WINDOW holds no window id: '%s'\n", fromEnvironment);
    return kExitBadUsage;
  }
  const char* name = options.display.empty() ? nullptr : options.display.c_str();
  display = XOpenDisplay(name);
  if (display == nullptr) {
    std::fprintf(err, "quor: cannot open display '%s'\n", XDisplayName(name));
    return 1;
  }
  if (id == 0) id = DefaultRootWindow(display);  // --root with no saver: the root window

  // A window that does not exist answers with an X error: caught here, not reported by Xlib.
  XSync(display, False);
  trappedError = false;
  const XErrorHandler previous = XSetErrorHandler(TrapError);
  XWindowAttributes attributes{};
  const bool found = XGetWindowAttributes(display, id, &attributes) != 0;
  if (found) XSelectInput(display, id, StructureNotifyMask);
  XSync(display, False);
  XSetErrorHandler(previous);
  if (!found || trappedError || attributes.c_class != InputOutput) {
    std::fprintf(err, "quor: no window 0x%lx to draw in on display '%s'\n", id,
                 XDisplayString(display));
    XCloseDisplay(display);
    display = nullptr;
    return kExitBadUsage;
  }
  target = id;
  targetWidth = attributes.width;
  targetHeight = attributes.height;
  return 0;
}

bool TargetWindowOpen() {
  return display != nullptr;
}

void TargetWindowSize(int* width, int* height) {
  *width = targetWidth;
  *height = targetHeight;
}

void AdoptGlutWindow() {
  Display* glutDisplay = glXGetCurrentDisplay();
  glutWindow = glXGetCurrentDrawable();
  if (glutDisplay == nullptr || glutWindow == 0) return;
  reportError = XSetErrorHandler(OnXError);
  // Override-redirect first: the window, framed by a window manager if there is one, is mapped
  // again by the move, and a window manager must not take it back (the root window as target).
  XSetWindowAttributes attributes{};
  attributes.override_redirect = True;
  XChangeWindowAttributes(glutDisplay, glutWindow, CWOverrideRedirect, &attributes);
  XReparentWindow(glutDisplay, glutWindow, target, 0, 0);
  XResizeWindow(glutDisplay, glutWindow, static_cast<unsigned>(targetWidth),
                static_cast<unsigned>(targetHeight));
  XMapRaised(glutDisplay, glutWindow);
  XSync(glutDisplay, False);
}

bool TargetWindowAlive() {
  if (display == nullptr) return true;
  while (!targetGone && XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == DestroyNotify && event.xdestroywindow.window == target) {
      targetGone = true;
    } else if (event.type == ConfigureNotify && event.xconfigure.window == target &&
               (event.xconfigure.width != targetWidth || event.xconfigure.height != targetHeight)) {
      targetWidth = event.xconfigure.width;
      targetHeight = event.xconfigure.height;
      // freeglut then sees its own window's new size and calls the reshape callback.
      if (glutWindow != 0)
        XResizeWindow(display, glutWindow, static_cast<unsigned>(targetWidth),
                      static_cast<unsigned>(targetHeight));
    }
  }
  if (!targetGone) XFlush(display);
  return !targetGone;
}

int TargetConnectionFd() {
  return display != nullptr ? ConnectionNumber(display) : -1;
}
