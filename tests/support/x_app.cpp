// The end-to-end harness: Xvfb servers, runs of the program, XTest key events and screenshots.
#include "tests/support/x_app.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <thread>

namespace {
double Seconds() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point start = Clock::now();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void Sleep(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

int IgnoreXErrors(Display*, XErrorEvent*) {
  return 0;
}

// In a child about to exec: its standard output and error go nowhere.
void QuietOutput() {
  const int devNull = open("/dev/null", O_WRONLY);
  if (devNull >= 0) {
    dup2(devNull, 1);
    dup2(devNull, 2);
  }
}

// Starts a program that is told a pipe on its command line ("{fd}" in its words stands for the
// pipe's number) and writes one line to it once it is ready, output otherwise going nowhere.
// Returns that line, empty when none came within timeoutSeconds.
std::string StartAndReadReadyLine(std::vector<std::string> words, pid_t* child,
                                  double timeoutSeconds) {
  int fds[2];
  if (pipe(fds) != 0) return "";
  for (std::string& word : words) {
    const size_t at = word.find("{fd}");
    if (at != std::string::npos) word.replace(at, 4, std::to_string(fds[1]));
  }
  *child = fork();
  if (*child == 0) {
    close(fds[0]);
    QuietOutput();
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(fds[1]);
  std::string line;
  const double deadline = Seconds() + timeoutSeconds;
  fcntl(fds[0], F_SETFL, O_NONBLOCK);
  char chunk[256];
  while (*child > 0 && Seconds() < deadline && line.find('\n') == std::string::npos) {
    const ssize_t n = read(fds[0], chunk, sizeof chunk);
    if (n == 0) break;
    if (n > 0)
      line.append(chunk, static_cast<size_t>(n));
    else
      Sleep(0.02);
  }
  close(fds[0]);
  return line.substr(0, line.find('\n'));
}

// A test that hangs is ended by CTest's timeout with nothing said of where it stood. Shortly
// before that (QUOR_HANG_REPORT_SECONDS, which the build sets a little under the timeout) the test
// prints the processes it started and its main thread's stack, and CTest keeps them with its
// output.
void ReportHang() {
  prctl(PR_SET_PTRACER, PR_SET_PTRACER_ANY);  // gdb, a child, may look at its parent
  const std::string pid = std::to_string(getpid());
  std::printf("hang: the test is still running; its processes and where its main thread is:\n");
  std::fflush(stdout);
  const std::string stacks =
      "ps -o pid,stat,etime,wchan:24,args --ppid " + pid + " | cut -c1-150; gdb -p " + pid +
      " -batch -ex 'thread 1' -ex 'bt 12' 2>/dev/null" +
      " | sed -nE 's/^(#[0-9]+) +(0x[0-9a-f]+ in )?([^ (]+).* at (.*)/\\1 \\3 \\4/p;t;" +
      "s/^(#[0-9]+) +(0x[0-9a-f]+ in )?([^ (]+).*/\\1 \\3/p'";
  if (std::system(stacks.c_str()) != 0) std::printf("hang: no stacks (gdb or ps missing)\n");
  std::fflush(stdout);
}

struct HangWatch {
  HangWatch() {
    const char* text = std::getenv("QUOR_HANG_REPORT_SECONDS");
    const double seconds = text != nullptr ? std::atof(text) : 0.0;
    if (seconds > 0.0)
      std::thread([seconds] {
        Sleep(seconds);
        ReportHang();
      }).detach();
  }
} hangWatch;

bool CopyFile(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return false;
  std::ofstream out(to, std::ios::binary);
  out << in.rdbuf();
  return static_cast<bool>(out);
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
  const double deadline = Seconds() + 60.0;
  while (Seconds() < deadline) {
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
    Sleep(0.05);
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
  const double deadline = Seconds() + timeoutSeconds;
  while (Seconds() < deadline) {
    window = FindQuorWindow(dpy, DefaultRootWindow(dpy), 2);
    if (window != 0) return true;
    if (!Running()) return false;
    Sleep(0.05);
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
  const double deadline = Seconds() + timeoutSeconds;
  while (Seconds() < deadline) {
    int x, y, w, h;
    Geometry(&x, &y, &w, &h);
    if (w == width && h == height) return true;
    Sleep(0.05);
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
  const double deadline = Seconds() + timeoutSeconds;
  while (Seconds() < deadline && Running()) {
    const std::string out = Output();
    const size_t at = out.find(marker, before);
    if (at != std::string::npos && out.find('\n', at) != std::string::npos)
      return std::atol(out.c_str() + at + marker.size());
    Sleep(0.02);
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
  const double start = Seconds();
  while (Running() && Seconds() - start < timeoutSeconds) Sleep(0.01);
  if (seconds != nullptr) *seconds = Seconds() - start;
  return reaped ? exitCode : -1;
}

std::vector<Rgb> QuorRun::Screenshot() const {
  return ScreenPixels(server);
}

std::vector<Rgb> ScreenPixels(const XvfbServer& server) {
  Display* dpy = server.Dpy();
  const int w = server.Width(), h = server.Height();
  std::vector<Rgb> pixels(static_cast<size_t>(w) * h);
  XImage* image = XGetImage(dpy, DefaultRootWindow(dpy), 0, 0, w, h, AllPlanes, ZPixmap);
  if (image == nullptr) return pixels;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned long p = XGetPixel(image, x, y);
      pixels[static_cast<size_t>(y) * w + x] = {static_cast<uint8_t>((p >> 16) & 0xFF),
                                                static_cast<uint8_t>((p >> 8) & 0xFF),
                                                static_cast<uint8_t>(p & 0xFF)};
    }
  XDestroyImage(image);
  return pixels;
}

int CountPixels(const std::vector<Rgb>& pixels, int width, PixelRegion r,
                bool (*predicate)(const Rgb&)) {
  int count = 0;
  for (int y = r.y0; y < r.y1; ++y)
    for (int x = r.x0; x < r.x1; ++x)
      if (predicate(pixels[static_cast<size_t>(y) * width + x])) ++count;
  return count;
}

bool IsBlack(const Rgb& p) {
  return p.r < 8 && p.g < 8 && p.b < 8;
}
bool IsNotBlack(const Rgb& p) {
  return !IsBlack(p);
}
bool IsBright(const Rgb& p) {
  return p.r > 128 || p.g > 128 || p.b > 128;
}

std::string ScreenshotPath(const std::string& name) {
  const char* dir = std::getenv("QUOR_SCREENSHOT_DIR");
  std::string base = (dir != nullptr && dir[0] != '\0') ? dir : "screenshots";
  mkdir(base.c_str(), 0755);
  return base + "/" + name;
}

void EndChildProcess(pid_t child, double graceSeconds) {
  if (child <= 0) return;
  kill(child, SIGTERM);
  if (WaitUntil([&] { return waitpid(child, nullptr, WNOHANG) != 0; }, graceSeconds, 0.01)) return;
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

int WaitForChildExit(pid_t child, double timeoutSeconds) {
  int status = 0;
  pid_t reaped = 0;
  if (child <= 0) return -1;
  if (!WaitUntil([&] { return (reaped = waitpid(child, &status, WNOHANG)) != 0; }, timeoutSeconds,
                 0.02)) {
    EndChildProcess(child);
    return -1;
  }
  return reaped == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool WaitUntil(const std::function<bool()>& done, double timeoutSeconds, double pollSeconds) {
  const double deadline = Seconds() + timeoutSeconds;
  while (!done()) {
    if (Seconds() > deadline) return false;
    Sleep(pollSeconds);
  }
  return true;
}
