// The test's X server and its window manager (see tests/support/xvfb_server.h).
#include "tests/support/xvfb_server.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <vector>

#include "tests/support/child_process.h"

namespace {
int IgnoreXErrors(Display*, XErrorEvent*) {
  return 0;
}
}  // namespace

XvfbServer::XvfbServer(int w, int h, bool windowManager, bool openAccess, const std::string& wm,
                       int screens, bool xinerama)
    : manager(wm), width(w), height(h) {
  XSetErrorHandler(IgnoreXErrors);
  const std::string screen = std::to_string(w) + "x" + std::to_string(h) + "x24";
  std::vector<std::string> words = {"Xvfb", "-displayfd", "{fd}", "-nolisten", "tcp", "-noreset"};
  if (openAccess) words.push_back("-ac");
  if (xinerama) words.push_back("+xinerama");
  for (int i = 0; i < screens; ++i)
    words.insert(words.end(), {"-screen", std::to_string(i), screen});
  // Xvfb writes its display number to the pipe once it accepts connections.
  const std::string number = StartAndReadReadyLine(words, &pid, 20.0);
  if (number.empty()) return;
  name = ":" + std::to_string(std::atoi(number.c_str()));
  display = XOpenDisplay(name.c_str());
  if (display != nullptr && windowManager) {
    StartSessionBus();
    StartWindowManager();
  }
}

// A session bus for the window manager alone, as a desktop session gives its manager one from the
// start. Without it, marco and xfwm4 start a bus of their own through dbus-launch: more X clients
// on the server, started at a moment of the manager's choosing, that outlive the test.
void XvfbServer::StartSessionBus() {
  busAddress = StartAndReadReadyLine(
      {"dbus-daemon", "--session", "--nofork", "--print-address={fd}"}, &busPid, 20.0);
  if (busAddress.empty() && busPid > 0) {
    EndChildProcess(busPid);
    busPid = -1;
  }
}

void XvfbServer::StartWindowManager() {
  wmPid = fork();
  if (wmPid == 0) {
    setenv("DISPLAY", name.c_str(), 1);
    if (!busAddress.empty()) setenv("DBUS_SESSION_BUS_ADDRESS", busAddress.c_str(), 1);
    setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus: nothing here reads the screen aloud
    QuietOutput();
    // Each without session management, and the two with a compositor without it: Xvfb has
    // no use for one, and the pictures read back are the windows' own.
    if (manager == "marco")
      execlp("marco", "marco", "--sm-disable", "--no-composite", static_cast<char*>(nullptr));
    else if (manager == "xfwm4")
      execlp("xfwm4", "xfwm4", "--sm-client-disable", "--compositor=off",
             static_cast<char*>(nullptr));
    else
      execlp(manager.c_str(), manager.c_str(), "--sm-disable", static_cast<char*>(nullptr));
    _exit(127);
  }
  // The manager has taken over once it owns the window-manager selection of screen 0, and has
  // finished starting when it names itself on the root window (_NET_SUPPORTING_WM_CHECK).
  const Atom selection = XInternAtom(display, "WM_S0", False);
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
  const double deadline = MonotonicSeconds() + 60.0;
  while (MonotonicSeconds() < deadline) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const bool named =
        XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False, XA_WINDOW,
                           &type, &format, &items, &after, &data) == Success &&
        items == 1;
    if (data != nullptr) XFree(data);
    if (XGetSelectionOwner(display, selection) != 0 && named) return;
    if (waitpid(wmPid, nullptr, WNOHANG) == wmPid) break;
    SleepSeconds(0.05);
  }
  EndChildProcess(wmPid);
  wmPid = -1;
}

XvfbServer::~XvfbServer() {
  if (wmPid > 0) EndChildProcess(wmPid);
  if (display != nullptr) XCloseDisplay(display);
  if (pid > 0) EndChildProcess(pid);
  if (busPid > 0) EndChildProcess(busPid);
}
