// The monitors on Win32: EnumDisplayMonitors, in the GLUT window's client pixels. A change is
// seen as a new count or extent of the virtual screen, which GetSystemMetrics reads from memory
// the system keeps current; the full-screen saver also follows WM_DISPLAYCHANGE itself
// (platform/win32/saver_window.cpp).
#include <windows.h>

#include "platform/platform.h"

namespace {
struct Collected {
  MonitorArea* out;
  int max;
  int count;
  POINT origin;      // the window's client origin in screen pixels
  bool primaryPass;  // the primary is collected first
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
  auto* c = reinterpret_cast<Collected*>(data);
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) return TRUE;
  const bool primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
  if (primary != c->primaryPass) return TRUE;
  if (c->count >= c->max) return FALSE;
  const RECT& r = info.rcMonitor;
  c->out[c->count++] =
      MonitorArea{r.left - c->origin.x, r.top - c->origin.y, r.right - r.left, r.bottom - r.top};
  return TRUE;
}

struct DesktopShape {
  int monitors, x, y, width, height;
  bool operator==(const DesktopShape& o) const {
    return monitors == o.monitors && x == o.x && y == o.y && width == o.width && height == o.height;
  }
};

DesktopShape CurrentShape() {
  return DesktopShape{GetSystemMetrics(SM_CMONITORS), GetSystemMetrics(SM_XVIRTUALSCREEN),
                      GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      GetSystemMetrics(SM_CYVIRTUALSCREEN)};
}

DesktopShape lastShape{};
bool haveShape = false;
}  // namespace

int WindowMonitors(MonitorArea* out, int max) {
  HDC dc = wglGetCurrentDC();
  HWND window = dc != nullptr ? WindowFromDC(dc) : nullptr;
  if (window == nullptr || max <= 0) return 0;
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  Collected c{out, max, 0, origin, true};
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&c));
  c.primaryPass = false;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&c));
  lastShape = CurrentShape();
  haveShape = true;
  return c.count;
}

bool MonitorsChanged() {
  if (!haveShape) return false;
  const DesktopShape shape = CurrentShape();
  if (shape == lastShape) return false;
  lastShape = shape;
  return true;
}
