// Runs of the program (see tests/support/quor_run.h).
#include "tests/support/quor_run.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>

#include "tests/support/child_process.h"
#include "tests/support/screen_pixels.h"

namespace {
bool CopyFile(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return false;
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
  return static_cast<bool>(out);
}
}  // namespace

std::string MakeWorkDir(bool withAssets) {
  char pattern[] = "/tmp/quor-run-XXXXXX";
  const char* dir = mkdtemp(pattern);
  if (dir == nullptr) return "";
  const std::string path = dir;
  if (withAssets) {
    const std::string assets = std::string(QUOR_SOURCE_DIR) + "/assets/";
    CopyFile(assets + "font.bmp", path + "/font.bmp");
    CopyFile(assets + "smoke128.bmp", path + "/smoke128.bmp");
  }
  return path;
}

namespace {
std::vector<std::string> programCommand{QUOR_BINARY};
}  // namespace

void SetProgramCommand(const std::vector<std::string>& command) {
  programCommand = command;
}

QuorRun::QuorRun(XvfbServer& s, const std::string& workDir, const std::vector<std::string>& args,
                 const std::vector<std::pair<std::string, std::string>>& env,
                 const std::vector<int>& ignoredSignals)
    : server(s), logPath(MakeWorkDir(false) + "/quor.log") {  // beside, never in, workDir
  if (!server.Ok()) return;
  std::vector<char*> argv;
  for (const std::string& word : programCommand) argv.push_back(const_cast<char*>(word.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid = fork();
  if (pid == 0) {
    if (chdir(workDir.c_str()) != 0) _exit(126);
    setenv("DISPLAY", server.Name().c_str(), 1);
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    unsetenv("GDK_SCALE");  // the desktop's text scale of whoever runs the tests stays out
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (log >= 0) {
      dup2(log, 1);
      dup2(log, 2);
    }
    for (const int signal : ignoredSignals) std::signal(signal, SIG_IGN);  // kept across exec
    execvp(argv[0], argv.data());
    _exit(127);
  }
}

QuorRun::~QuorRun() {
  if (pid > 0 && !reaped && Running()) {
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return;  // killed: what it printed was cut short
  }
  if (pid <= 0) return;
  const std::vector<std::string> unexpected = UnexpectedOutput();
  if (!unexpected.empty()) {
    std::string lines;
    for (const std::string& line : unexpected) lines += "  " + line + "\n";
    ADD_FAILURE() << "the program printed what no test expects (" << logPath << "):\n" << lines;
  }
}

std::string QuorRun::Output() const {
  std::ifstream in(logPath, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::string> QuorRun::UnexpectedOutput() const {
  std::vector<std::string> lines;
  std::istringstream in(Output());
  std::string line;
  while (std::getline(in, line)) {
    bool expected = false;
    for (const std::string& pattern : allowed)
      if (std::regex_match(line, std::regex(pattern))) expected = true;
    if (!expected) lines.push_back(line);
  }
  return lines;
}

int RunToEnd(XvfbServer& server, const std::string& workDir, const std::vector<std::string>& args,
             double timeoutSeconds, const std::vector<std::string>& allowedOutput) {
  QuorRun run(server, workDir, args);
  for (const std::string& pattern : allowedOutput) run.AllowOutput(pattern);
  return run.WaitExit(timeoutSeconds);
}

namespace {
// The viewable window titled "Quor" at or below parent, two levels deep at most: a window
// manager puts each top-level window inside a frame of its own.
Window FindQuorWindow(Display* dpy, Window parent, int depth) {
  Window root = 0, up = 0, *children = nullptr;
  unsigned int count = 0;
  Window found = 0;
  if (!XQueryTree(dpy, parent, &root, &up, &children, &count)) return 0;
  for (unsigned int i = 0; i < count && found == 0; ++i) {
    char* title = nullptr;
    if (XFetchName(dpy, children[i], &title) && title != nullptr) {
      XWindowAttributes attributes{};
      if (std::strcmp(title, "Quor") == 0 && XGetWindowAttributes(dpy, children[i], &attributes) &&
          attributes.map_state == IsViewable)
        found = children[i];
      XFree(title);
    }
    if (found == 0 && depth > 1) found = FindQuorWindow(dpy, children[i], depth - 1);
  }
  if (children != nullptr) XFree(children);
  return found;
}
}  // namespace

bool QuorRun::WaitForWindow(double timeoutSeconds) {
  Display* dpy = server.Dpy();
  if (dpy == nullptr || pid <= 0) return false;
  const double deadline = MonotonicSeconds() + timeoutSeconds;
  while (MonotonicSeconds() < deadline) {
    window = FindQuorWindow(dpy, DefaultRootWindow(dpy), 2);
    if (window != 0) return true;
    if (!Running()) return false;
    SleepSeconds(0.05);
  }
  return false;
}

std::string QuorRun::Title() const {
  std::string result;
  char* title = nullptr;
  if (window != 0 && XFetchName(server.Dpy(), window, &title) && title != nullptr) {
    result = title;
    XFree(title);
  }
  return result;
}

void QuorRun::Geometry(int* x, int* y, int* width, int* height) const {
  XWindowAttributes attributes{};
  XGetWindowAttributes(server.Dpy(), window, &attributes);
  Window child = 0;
  XTranslateCoordinates(server.Dpy(), window, DefaultRootWindow(server.Dpy()), 0, 0, x, y, &child);
  *width = attributes.width;
  *height = attributes.height;
}

bool QuorRun::WaitForSize(int width, int height, double timeoutSeconds) const {
  const double deadline = MonotonicSeconds() + timeoutSeconds;
  while (MonotonicSeconds() < deadline) {
    int x, y, w, h;
    Geometry(&x, &y, &w, &h);
    if (w == width && h == height) return true;
    SleepSeconds(0.05);
  }
  return false;
}

void QuorRun::Key(const char* keysymName) {
  Display* dpy = server.Dpy();
  const KeySym keysym = XStringToKeysym(keysymName);
  const KeyCode code = XKeysymToKeycode(dpy, keysym);
  if (code == 0) return;
  // Without a window manager the focus follows the pointer unless set: give it to the window.
  if (window != 0) XSetInputFocus(dpy, window, RevertToPointerRoot, CurrentTime);
  const bool shifted = XkbKeycodeToKeysym(dpy, code, 0, 0) != keysym;
  const KeyCode shift = XKeysymToKeycode(dpy, XK_Shift_L);
  if (shifted) XTestFakeKeyEvent(dpy, shift, True, CurrentTime);
  XTestFakeKeyEvent(dpy, code, True, CurrentTime);
  XTestFakeKeyEvent(dpy, code, False, CurrentTime);
  if (shifted) XTestFakeKeyEvent(dpy, shift, False, CurrentTime);
  XSync(dpy, False);
}

namespace {
// A client message about window, sent to target as a window manager or a pager would.
void SendClientMessage(Display* dpy, Window target, Window window, const char* type, long first,
                       long mask) {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(dpy, type, False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = first;
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(dpy, target, False, mask, &event);
  XSync(dpy, False);
}
}  // namespace

void QuorRun::CloseWindow() {
  Display* dpy = server.Dpy();
  SendClientMessage(dpy, window, window, "WM_PROTOCOLS",
                    static_cast<long>(XInternAtom(dpy, "WM_DELETE_WINDOW", False)), NoEventMask);
}

void QuorRun::Iconify() {
  Display* dpy = server.Dpy();
  XIconifyWindow(dpy, window, DefaultScreen(dpy));
  XSync(dpy, False);
}

void QuorRun::Activate() {
  Display* dpy = server.Dpy();
  // Source 2, a pager: honoured at once.
  SendClientMessage(dpy, DefaultRootWindow(dpy), window, "_NET_ACTIVE_WINDOW", 2,
                    SubstructureRedirectMask | SubstructureNotifyMask);
  XMapRaised(dpy, window);
  XSync(dpy, False);
}

bool QuorRun::Mapped() const {
  XWindowAttributes attributes{};
  return XGetWindowAttributes(server.Dpy(), window, &attributes) &&
         attributes.map_state == IsViewable;
}

long QuorRun::FramesDrawn(double timeoutSeconds) {
  AllowOutput("quor: frame [0-9]+");
  const std::string marker = "quor: frame ";
  const size_t before = Output().size();
  if (pid <= 0 || kill(pid, SIGUSR1) != 0) return -1;
  const double deadline = MonotonicSeconds() + timeoutSeconds;
  while (MonotonicSeconds() < deadline && Running()) {
    const std::string out = Output();
    const size_t at = out.find(marker, before);
    if (at != std::string::npos && out.find('\n', at) != std::string::npos)
      return std::atol(out.c_str() + at + marker.size());
    SleepSeconds(0.02);
  }
  return -1;
}

double QuorRun::CpuSeconds() const {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Fields 14 and 15 (utime, stime) follow the command name, which ends with ')'.
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  unsigned long long ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i)
    if (i >= 14) ticks += std::stoull(field);
  return static_cast<double>(ticks) / sysconf(_SC_CLK_TCK);
}

bool QuorRun::Running() {
  if (pid <= 0 || reaped) return false;
  int status = 0;
  const pid_t r = waitpid(pid, &status, WNOHANG);
  if (r == 0) return true;
  reaped = true;
  exitCode = (r == pid && WIFEXITED(status)) ? WEXITSTATUS(status) : -1;
  return false;
}

bool QuorRun::Signal(int signal) {
  return Running() && kill(pid, signal) == 0;
}

int QuorRun::WaitExit(double timeoutSeconds, double* seconds) {
  const double start = MonotonicSeconds();
  while (Running() && MonotonicSeconds() - start < timeoutSeconds) SleepSeconds(0.01);
  if (seconds != nullptr) *seconds = MonotonicSeconds() - start;
  return reaped ? exitCode : -1;
}

std::vector<Rgb> QuorRun::Screenshot() const {
  return ScreenPixels(server);
}
