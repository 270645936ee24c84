// The views of a window over several monitors, and when they are read again.
#include "app/monitor_layout.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <cstdint>

#include "app/options.h"
#include "app/shell.h"

namespace {
MonitorLayout layout;
int layoutWidth = -1, layoutHeight = -1;  // the window size the layout was made for
bool layoutFromMonitors = false;          // the layout was read from the monitors
unsigned layoutsRead = 0;

bool SameRect(const ViewRect& a, const ViewRect& b) {
  return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

bool Inside(const ViewRect& inner, const ViewRect& outer) {
  return inner.x >= outer.x && inner.y >= outer.y &&
         inner.x + inner.width <= outer.x + outer.width &&
         inner.y + inner.height <= outer.y + outer.height;
}

// Whether the views leave any pixel of the window uncovered: the window cut into cells at every
// view edge, each cell tested once (at most 2 * kMaxMonitors + 2 edges a side).
bool LeavesPixelsUncovered(const MonitorLayout& l, int width, int height) {
  int xs[2 * kMaxMonitors + 2], ys[2 * kMaxMonitors + 2];
  int nx = 0, ny = 0;
  xs[nx++] = 0;
  xs[nx++] = width;
  ys[ny++] = 0;
  ys[ny++] = height;
  for (int i = 0; i < l.count; ++i) {
    xs[nx++] = l.views[i].x;
    xs[nx++] = l.views[i].x + l.views[i].width;
    ys[ny++] = l.views[i].y;
    ys[ny++] = l.views[i].y + l.views[i].height;
  }
  std::sort(xs, xs + nx);
  std::sort(ys, ys + ny);
  for (int i = 0; i + 1 < nx; ++i) {
    for (int j = 0; j + 1 < ny; ++j) {
      if (xs[i] == xs[i + 1] || ys[j] == ys[j + 1]) continue;
      bool covered = false;
      for (int v = 0; v < l.count && !covered; ++v) {
        const ViewRect& r = l.views[v];
        covered = xs[i] >= r.x && xs[i + 1] <= r.x + r.width && ys[j] >= r.y &&
                  ys[j + 1] <= r.y + r.height;
      }
      if (!covered) return true;
    }
  }
  return false;
}

bool SameLayout(const MonitorLayout& a, const MonitorLayout& b) {
  if (a.split != b.split || a.count != b.count || a.textView != b.textView) return false;
  for (int i = 0; i < a.count; ++i)
    if (!SameRect(a.views[i], b.views[i])) return false;
  return true;
}

MonitorLayout WholeWindow(int width, int height) {
  MonitorLayout whole;
  whole.views[0] = ViewRect{0, 0, width, height};
  whole.copyOf[0] = -1;
  return whole;
}

// Monitors matter where the program covers the desktop itself; --span asks for one scene.
bool MonitorsApply() {
  return !options.span && (options.Embedded() || ShellWindowFullScreen());
}
}  // namespace

MonitorLayout LayoutForMonitors(int windowWidth, int windowHeight, const MonitorArea* monitors,
                                int count) {
  MonitorLayout l;
  l.count = 0;
  for (int m = 0; m < count && l.count < kMaxMonitors; ++m) {
    const MonitorArea& a = monitors[m];
    const int x0 = std::max(a.x, 0), y0 = std::max(a.y, 0);
    const int x1 = std::min<int64_t>(int64_t{a.x} + a.width, windowWidth);
    const int y1 = std::min<int64_t>(int64_t{a.y} + a.height, windowHeight);
    if (x1 <= x0 || y1 <= y0) continue;
    // GL counts rows from the bottom.
    const ViewRect view{x0, windowHeight - y1, x1 - x0, y1 - y0};
    // A mirror shows the pixels of the monitor it copies: drawing it again would cut into them.
    bool mirror = false;
    for (int v = 0; v < l.count && !mirror; ++v) mirror = Inside(view, l.views[v]);
    if (mirror) continue;
    l.copyOf[l.count] = -1;
    for (int v = 0; v < l.count; ++v) {
      if (l.copyOf[v] < 0 && l.views[v].width == view.width && l.views[v].height == view.height) {
        l.copyOf[l.count] = v;
        break;
      }
    }
    l.views[l.count++] = view;
  }
  const bool oneWhole =
      l.count == 1 && SameRect(l.views[0], ViewRect{0, 0, windowWidth, windowHeight});
  if (l.count == 0 || oneWhole) return WholeWindow(windowWidth, windowHeight);
  l.split = true;
  l.textView = 0;  // the primary comes first where it shows in the window
  l.offMonitor = LeavesPixelsUncovered(l, windowWidth, windowHeight);
  return l;
}

void UpdateMonitorLayout() {
  const bool apply = MonitorsApply();
  // Asked every frame, so that a notice is taken when it comes and not kept for later.
  const bool monitorsChanged = apply && MonitorsChanged();
  const bool sizeChanged = windowWidth != layoutWidth || windowHeight != layoutHeight;
  if (!sizeChanged && !monitorsChanged && apply == layoutFromMonitors) return;
  layoutWidth = windowWidth;
  layoutHeight = windowHeight;
  layoutFromMonitors = apply;
  if (!apply) {
    layout = WholeWindow(windowWidth, windowHeight);
    return;
  }
  MonitorArea monitors[kMaxMonitors];
  const int count = WindowMonitors(monitors, kMaxMonitors);
  const MonitorLayout read = LayoutForMonitors(windowWidth, windowHeight, monitors, count);
  if (!sizeChanged && SameLayout(read, layout)) return;  // read again, and nothing changed
  layout = read;
  layout.serial = ++layoutsRead;
}

const MonitorLayout& CurrentMonitorLayout() {
  // One view is always the window as it is now, also before the first update.
  if (!layout.Split()) layout = WholeWindow(windowWidth, windowHeight);
  return layout;
}

ViewRect TextViewRect() {
  const MonitorLayout& l = CurrentMonitorLayout();
  if (l.Split()) return l.views[l.textView];
  return ViewRect{0, 0, glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_WINDOW_HEIGHT)};
}
