// A plain X window made by the test, as a screen saver or a settings dialog makes the window a
// hack draws in: mapped at a given place and size on a test's Xvfb server, resized, read back
// and destroyed by the test.
#pragma once

#include <string>
#include <vector>

#include "tests/support/x_app.h"

class TargetWindow {
 public:
  TargetWindow(XvfbServer& server, int x, int y, int width, int height);
  // Inside parent (0: the root window of screen 0), and, with overrideRedirect, out of any window
  // manager's hands, as a screen saver's full-screen window is. A top-level window made without
  // it is managed (framed) by the server's window manager.
  TargetWindow(XvfbServer& server, XWindowId parent, int x, int y, int width, int height,
               bool overrideRedirect = false);
  ~TargetWindow();  // destroys the window unless Destroy did
  TargetWindow(const TargetWindow&) = delete;
  TargetWindow& operator=(const TargetWindow&) = delete;

  XWindowId Id() const { return window; }
  std::string IdText() const;  // as a screen saver writes it: 0x...
  void Resize(int width, int height);
  void Destroy();

  // The window's contents as the screen shows them, children included, top row first.
  std::vector<Rgb> Read(int* width, int* height) const;
  // The size of the one child window a hack puts inside, or false without one.
  bool ChildSize(int* width, int* height) const;

 private:
  XvfbServer& server;
  XWindowId window = 0;
};
