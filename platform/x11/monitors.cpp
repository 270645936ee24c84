// The monitors on X11: RandR 1.5's monitor list, which also holds the monitors a user set with
// xrandr --setmonitor, else Xinerama's screens, both read on freeglut's connection. RandR's
// notices of a change (an output plugged in or out, a new mode) come on a connection of this
// file's own, because freeglut drops the events it does not know. Monitors set or deleted with
// xrandr --setmonitor send no notice at all, so the list is also read again twice a second.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/Xrandr.h>

#include "platform/platform.h"

namespace {
Display* watch = nullptr;  // hears RandR's notices; null where the server has no RandR
bool watchTried = false;
int randrEventBase = 0;
int randrMonitors = -1;  // 1 where the server lists RandR 1.5 monitors; -1 before the first look
constexpr int64_t kRereadMicroseconds = kMonotonicTicksPerSecond / 2;
int64_t lastReadUs = 0;  // when WindowMonitors last read the list

void StartWatching(Display* d) {
  watchTried = true;
  watch = XOpenDisplay(DisplayString(d));
  if (watch == nullptr) return;
  int errorBase = 0;
  if (!XRRQueryExtension(watch, &randrEventBase, &errorBase)) {
    XCloseDisplay(watch);
    watch = nullptr;
    return;
  }
  XRRSelectInput(watch, DefaultRootWindow(watch),
                 RRScreenChangeNotifyMask | RRCrtcChangeNotifyMask | RROutputChangeNotifyMask);
  XFlush(watch);
}

bool HasRandrMonitors(Display* d) {
  if (randrMonitors < 0) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    randrMonitors = XRRQueryExtension(d, &eventBase, &errorBase) &&
                            XRRQueryVersion(d, &major, &minor) &&
                            (major > 1 || (major == 1 && minor >= 5))
                        ? 1
                        : 0;
  }
  return randrMonitors == 1;
}

// Appends one monitor given in root-window pixels, moved to the window's own.
void Add(MonitorArea* out, int max, int* count, int x, int y, int width, int height, int originX,
         int originY) {
  if (*count >= max) return;
  out[(*count)++] = MonitorArea{x - originX, y - originY, width, height};
}
}  // namespace

int WindowMonitors(MonitorArea* out, int max) {
  Display* d = glXGetCurrentDisplay();
  const Window window = glXGetCurrentDrawable();
  if (d == nullptr || window == 0 || max <= 0) return 0;
  if (!watchTried) StartWatching(d);
  lastReadUs = MonotonicMicroseconds();
  const Window root = DefaultRootWindow(d);
  int originX = 0, originY = 0;
  Window child = 0;
  if (!XTranslateCoordinates(d, window, root, 0, 0, &originX, &originY, &child)) return 0;
  int count = 0;
  if (HasRandrMonitors(d)) {
    int n = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(d, root, True, &n);
    if (monitors == nullptr) return 0;
    // The primary first, then the others in the server's order.
    for (int pass = 0; pass < 2; ++pass) {
      for (int i = 0; i < n; ++i) {
        const XRRMonitorInfo& m = monitors[i];
        if ((m.primary != 0) != (pass == 0)) continue;
        Add(out, max, &count, m.x, m.y, m.width, m.height, originX, originY);
      }
    }
    XRRFreeMonitors(monitors);
  } else if (XineramaIsActive(d)) {
    int n = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(d, &n);
    if (screens == nullptr) return 0;
    for (int i = 0; i < n; ++i)  // Xinerama names no primary: its first screen stands for it
      Add(out, max, &count, screens[i].x_org, screens[i].y_org, screens[i].width, screens[i].height,
          originX, originY);
    XFree(screens);
  }
  return count;
}

bool MonitorsChanged() {
  if (!watchTried) return false;  // not read yet
  bool changed = MonotonicMicroseconds() - lastReadUs >= kRereadMicroseconds;
  if (watch == nullptr) return changed;
  // XPending reads only what has already come: no round trip.
  while (XPending(watch) > 0) {
    XEvent event;
    XNextEvent(watch, &event);
    if (event.type >= randrEventBase && event.type < randrEventBase + RRNumberEvents)
      changed = true;
  }
  return changed;
}
