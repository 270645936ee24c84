// The target window of --root and --window-id, on an X connection of the program's own.
#include "platform/x11/target_window.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <time.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "platform/exit_status.h"
#include "platform/number_text.h"
#include "platform/platform.h"

namespace {
constexpr unsigned long kLargestWindowId = 0x1FFFFFFF;
// How long a window manager is given to let go of a window it was handed (see AdoptGlutWindow).
constexpr double kWithdrawTimeoutSeconds = 2.0;
constexpr long kWithdrawPollNanoseconds = 10 * 1000 * 1000;
// GLX's own BadDrawable, counted from the extension's first error (GLXBadDrawable in the GLX
// protocol header, which only the server's side installs).
constexpr int kGlxBadDrawableOffset = 2;

Display* display = nullptr;  // the program's own connection
Window target = 0;
Window glutWindow = 0;
int targetWidth = 0, targetHeight = 0;
bool targetGone = false;
bool createInTarget = false;          // the next top-level window is made inside the target
int glxErrorBase = -1;                // GLX's first error code on freeglut's connection
XErrorHandler reportError = nullptr;  // Xlib's handler, for every other error

bool trappedError = false;
int TrapError(Display*, XErrorEvent*) {
  trappedError = true;
  return 0;
}

// The handler is one for the whole process, freeglut's connection included: once the target
// has been destroyed, every frame drawn before the program notices fails on the vanished
// window. Those errors, and only those, end the program quietly instead of flooding standard
// error; any other error is a fault of the program's and is reported as Xlib does.
int OnXError(Display* d, XErrorEvent* error) {
  const bool aboutOurWindows = error->resourceid == target || error->resourceid == glutWindow;
  const bool windowGone =
      error->error_code == BadWindow || error->error_code == BadDrawable ||
      (glxErrorBase >= 0 && error->error_code == glxErrorBase + kGlxBadDrawableOffset);
  if (aboutOurWindows && windowGone) {
    targetGone = true;
    return 0;
  }
  return reportError != nullptr ? reportError(d, error) : 0;
}

double Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

Window ParentOf(Display* d, Window window) {
  Window root = 0, parent = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(d, window, &root, &parent, &children, &count)) return 0;
  if (children != nullptr) XFree(children);
  return parent;
}

// ICCCM 4.1.4: a window a window manager has taken is given back by unmapping it and sending
// the root a synthetic UnmapNotify (XWithdrawWindow does both); the manager has let it go once
// it has removed WM_STATE, or has moved the window out of its frame back to the root.
void WithdrawFromWindowManager(Display* d, Window window) {
  XWithdrawWindow(d, window, DefaultScreen(d));
  XSync(d, False);
  const Atom wmState = XInternAtom(d, "WM_STATE", False);
  const Window root = DefaultRootWindow(d);
  const double deadline = Now() + kWithdrawTimeoutSeconds;
  while (Now() < deadline) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    XGetWindowProperty(d, window, wmState, 0, 2, False, AnyPropertyType, &type, &format, &items,
                       &after, &data);
    if (data != nullptr) XFree(data);
    if (type == None && ParentOf(d, window) == root) return;
    const timespec pause{0, kWithdrawPollNanoseconds};
    nanosleep(&pause, nullptr);
  }
}
}  // namespace

// freeglut makes its window a child of the root window and maps it at once, inside
// glutCreateWindow: under a window manager that map is only a request to the manager, which
// frames the window and shows it at the top level, over the saver's own window, before the
// program could move it. So the program's first window is made inside the target from the
// start, override-redirect so that no manager ever takes it (the root window as target): this
// definition stands in for Xlib's, and freeglut's call reaches it because a function the
// executable defines comes before the libraries' in the dynamic linker's search.
extern "C" Window XCreateWindow(Display* d, Window parent, int x, int y, unsigned int width,
                                unsigned int height, unsigned int borderWidth, int depth,
                                unsigned int windowClass, Visual* visual, unsigned long valueMask,
                                XSetWindowAttributes* attributes) {
  using CreateWindow =
      Window (*)(Display*, Window, int, int, unsigned int, unsigned int, unsigned int, int,
                 unsigned int, Visual*, unsigned long, XSetWindowAttributes*);
  static const CreateWindow xlibCreateWindow =
      reinterpret_cast<CreateWindow>(dlsym(RTLD_NEXT, "XCreateWindow"));
  if (createInTarget && attributes != nullptr && parent == DefaultRootWindow(d)) {
    createInTarget = false;
    parent = target;
    attributes->override_redirect = True;
    valueMask |= CWOverrideRedirect;
  }
  return xlibCreateWindow(d, parent, x, y, width, height, borderWidth, depth, windowClass, visual,
                          valueMask, attributes);
}

bool ParseTargetWindow(const char* text, uint64_t* id) {
  if (text == nullptr) return false;
  int base = 10;
  const char* digits = text;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    digits = text + 2;
  }
  // Digits only from here: a sign, spaces or a second "0x" ("0x0x5") are refused.
  return ParseWholeNumber(digits, 1, kLargestWindowId, id, base);
}

int OpenTargetWindow(uint64_t windowId, const char* displayName, std::FILE* err) {
  uint64_t id = windowId;
  const char* fromEnvironment = std::getenv("XSCREENSAVER_WINDOW");
  const bool useEnvironment = id == 0 && fromEnvironment != nullptr && fromEnvironment[0] != '\0';
  if (useEnvironment && !ParseTargetWindow(fromEnvironment, &id)) {
    std::fprintf(err, "quor: XSCREENSAVER_WINDOW holds no window id: '%s'\n", fromEnvironment);
    return kExitBadUsage;
  }
  const char* name = displayName != nullptr && displayName[0] != '\0' ? displayName : nullptr;
  display = XOpenDisplay(name);
  if (display == nullptr) {
    std::fprintf(err, "quor: cannot open display '%s'\n", XDisplayName(name));
    return 1;
  }
  if (id == 0) id = DefaultRootWindow(display);  // --root with no saver: the root window

  // A window that does not exist answers with an X error: caught here, not reported by Xlib.
  // Its events are selected before its size is read, so that no resize falls between the two.
  XSync(display, False);
  trappedError = false;
  const XErrorHandler previous = XSetErrorHandler(TrapError);
  XSelectInput(display, id, StructureNotifyMask);
  XWindowAttributes attributes{};
  const bool found = XGetWindowAttributes(display, id, &attributes) != 0;
  XSync(display, False);
  XSetErrorHandler(previous);
  const char* problem = nullptr;
  if (!found || trappedError || attributes.c_class != InputOutput)
    problem = "quor: no window 0x%lx to draw in on display '%s'\n";
  else if (attributes.root != DefaultRootWindow(display))
    // The program's window and visual belong to the display's default screen.
    problem = "quor: window 0x%lx is on another screen than display '%s'\n";
  if (problem != nullptr) {
    std::fprintf(err, problem, static_cast<unsigned long>(id), XDisplayString(display));
    XCloseDisplay(display);
    display = nullptr;
    return kExitBadUsage;
  }
  target = id;
  targetWidth = attributes.width;
  targetHeight = attributes.height;
  createInTarget = true;
  return 0;
}

bool TargetWindowOpen() {
  return display != nullptr;
}

void TargetWindowSize(int* width, int* height) {
  *width = targetWidth;
  *height = targetHeight;
}

void AdoptCurrentWindow() {
  if (display == nullptr) return;  // no target
  Display* glutDisplay = glXGetCurrentDisplay();
  glutWindow = glXGetCurrentDrawable();
  createInTarget = false;
  if (glutDisplay == nullptr || glutWindow == 0) return;
  int eventBase = 0;
  if (!glXQueryExtension(glutDisplay, &glxErrorBase, &eventBase)) glxErrorBase = -1;
  reportError = XSetErrorHandler(OnXError);
  // Normally made inside the target already. Should a window manager have been handed it all
  // the same, it is taken back first, as ICCCM says, so that the manager does not fight the move.
  if (ParentOf(glutDisplay, glutWindow) != target) {
    WithdrawFromWindowManager(glutDisplay, glutWindow);
    XSetWindowAttributes attributes{};
    attributes.override_redirect = True;
    XChangeWindowAttributes(glutDisplay, glutWindow, CWOverrideRedirect, &attributes);
    XReparentWindow(glutDisplay, glutWindow, target, 0, 0);
  }
  XMoveResizeWindow(glutDisplay, glutWindow, 0, 0, static_cast<unsigned>(targetWidth),
                    static_cast<unsigned>(targetHeight));
  XMapWindow(glutDisplay, glutWindow);
  XSync(glutDisplay, False);
  // From here the program's own connection watches its window too, to put it back should
  // anything unmap it or move it out of the target.
  XSelectInput(display, glutWindow, StructureNotifyMask);
  XFlush(display);
}

bool TargetWindowAlive() {
  if (display == nullptr) return true;
  while (!targetGone && XPending(display) > 0) {
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == DestroyNotify &&
        (event.xdestroywindow.window == target || event.xdestroywindow.window == glutWindow)) {
      targetGone = true;
    } else if (event.type == ConfigureNotify && event.xconfigure.window == target &&
               (event.xconfigure.width != targetWidth || event.xconfigure.height != targetHeight)) {
      targetWidth = event.xconfigure.width;
      targetHeight = event.xconfigure.height;
      // freeglut then sees its own window's new size and calls the reshape callback.
      if (glutWindow != 0)
        XResizeWindow(display, glutWindow, static_cast<unsigned>(targetWidth),
                      static_cast<unsigned>(targetHeight));
    } else if (event.type == ReparentNotify && event.xreparent.window == glutWindow &&
               event.xreparent.parent != target) {
      XReparentWindow(display, glutWindow, target, 0, 0);
      XMapWindow(display, glutWindow);
    } else if (event.type == UnmapNotify && event.xunmap.window == glutWindow) {
      XMapWindow(display, glutWindow);
    }
  }
  if (!targetGone) XFlush(display);
  return !targetGone;
}

int TargetConnectionFd() {
  return display != nullptr ? ConnectionNumber(display) : -1;
}
