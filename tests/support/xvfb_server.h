// An Xvfb server of the test's own, with a window manager on it where a test asks for one.
#pragma once

#include <sys/types.h>

#include <string>

// Xlib's own header defines macros (None, Bool, Status) that break other headers, so only the
// two types the harness hands out are declared here.
typedef struct _XDisplay Display;
using XWindowId = unsigned long;

// An Xvfb server on a free display number, killed when the object goes. With a window manager,
// one runs on it too, as on a user's desktop: openbox, or the one named ("marco", MATE's;
// "xfwm4", Xfce's), with a session bus of its own, as a desktop session gives it. With openAccess
// (-ac) any local user may connect, as a screen saver run under another user needs. With
// screens > 1 the server has that many screens of the same size (:N.0, :N.1, ...); the harness's
// connection is to screen 0. With xinerama the server also answers Xinerama's questions, with
// the monitors RandR lists (tests/support/monitors.h).
class XvfbServer {
 public:
  explicit XvfbServer(int width = 1024, int height = 768, bool windowManager = false,
                      bool openAccess = false, const std::string& manager = "openbox",
                      int screens = 1, bool xinerama = false);
  ~XvfbServer();
  XvfbServer(const XvfbServer&) = delete;
  XvfbServer& operator=(const XvfbServer&) = delete;

  bool Ok() const { return display != nullptr; }
  // False when a window manager was asked for and did not come up.
  bool HasWindowManager() const { return wmPid > 0; }
  const std::string& Manager() const { return manager; }
  const std::string& Name() const { return name; }  // for example ":57"
  Display* Dpy() const { return display; }
  int Width() const { return width; }
  int Height() const { return height; }

 private:
  void StartSessionBus();
  void StartWindowManager();

  std::string name;
  std::string manager;
  std::string busAddress;  // the window manager's own session bus, empty without one
  pid_t pid = -1;
  pid_t busPid = -1;
  pid_t wmPid = -1;
  Display* display = nullptr;
  int width, height;
};
