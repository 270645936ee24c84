// Where the scene is drawn when the window covers several monitors: one view per monitor, each
// showing a whole scene at its own size, so that no bezel cuts a flame in half. The layout
// applies to a window drawn as a screen saver (--root, --window-id) and to a full-screen window,
// and not with --span or in a plain window, where the whole window is the one view. With one
// view every frame is drawn as it always was.
#pragma once

#include "platform/platform.h"

// A part of the window in pixels from its bottom-left corner, as glViewport takes it.
struct ViewRect {
  int x, y, width, height;
};

struct MonitorLayout {
  int count = 1;
  ViewRect views[kMaxMonitors] = {};
  // -1 for a view that is drawn; else the earlier view of the same size whose pixels it copies.
  int copyOf[kMaxMonitors] = {};
  int textView = 0;         // the primary monitor's view: the clock, messages and help page
  bool offMonitor = false;  // part of the window lies on no monitor and stays black
  unsigned serial = 0;      // changes whenever the monitors are read again
  bool split = false;       // false: the whole window is the one view
  bool Split() const { return split; }
};

// The layout for a window of this size over these monitors (window pixels from its top left,
// the primary first). Each monitor's part of the window is a view; a monitor outside the window
// and one within the part of an earlier one (a mirror) add none. Only where that leaves one view
// that covers the whole window, or none, is the window one view.
MonitorLayout LayoutForMonitors(int windowWidth, int windowHeight, const MonitorArea* monitors,
                                int count);

// Once a frame before drawing: reads the monitors again when the window's size or the
// monitors have changed (the layout follows a monitor added or taken away within a frame or
// two of the system's notice).
void UpdateMonitorLayout();
const MonitorLayout& CurrentMonitorLayout();
// The text overlay's part of the window: the primary monitor's view, or the whole window as
// GLUT reports it.
ViewRect TextViewRect();
