// End-to-end harness: runs the real quor binary on an Xvfb server of its own, finds its window,
// sends real key events through XTest and reads the screen back.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/gl_context.h"  // Rgb, SavePicture

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

// A scratch working directory; with assets it holds copies of assets/font.bmp and
// assets/smoke128.bmp, as the program expects to find them.
std::string MakeWorkDir(bool withAssets);

// The command that starts the program: the Linux binary by default. The tests of the Windows
// build start quor.exe or quor.scr through Wine, for example {"wine", "/path/quor.exe"}; Wine's
// windows are X windows, so the rest of the harness sees them as it sees the Linux program's.
void SetProgramCommand(const std::vector<std::string>& command);

// One run of the program in workDir on the given server, with the given options and extra
// environment, and the given signals set to be ignored when it starts, as nohup or a shell's
// background job would leave them. Its standard output and error go to a quor.log of its own.
// When the run has ended by the time the object goes, everything it printed must be expected
// (AllowOutput): a sanitizer report or any stray line fails the test.
class QuorRun {
 public:
  QuorRun(XvfbServer& server, const std::string& workDir, const std::vector<std::string>& args = {},
          const std::vector<std::pair<std::string, std::string>>& env = {},
          const std::vector<int>& ignoredSignals = {});
  ~QuorRun();  // kills the process if it is still running

  // A regular expression (ECMAScript, whole line) for lines the run may print.
  void AllowOutput(const std::string& lineRegex) { allowed.push_back(lineRegex); }
  std::string Output() const;
  // The lines of Output() that no AllowOutput pattern matches.
  std::vector<std::string> UnexpectedOutput() const;
  QuorRun(const QuorRun&) = delete;
  QuorRun& operator=(const QuorRun&) = delete;

  bool Started() const { return pid > 0; }
  // Waits for the top-level window titled "Quor" to be mapped; false on time-out.
  bool WaitForWindow(double timeoutSeconds = 20.0);
  XWindowId GetWindow() const { return window; }
  std::string Title() const;
  // Size and position of the window on the root window.
  void Geometry(int* x, int* y, int* width, int* height) const;
  // Waits until the window reaches the given size (full screen is the server's size).
  bool WaitForSize(int width, int height, double timeoutSeconds = 10.0) const;

  // A real key press and release through XTest. keysym names as XStringToKeysym takes them:
  // "Escape", "Left", "comma", "question", "l", "bracketleft", ... Shift is added when the
  // key's character needs it.
  void Key(const char* keysymName);
  // Asks the window to close as a window manager would (WM_DELETE_WINDOW).
  void CloseWindow();
  // Asks the window manager to iconify the window, or to show and raise it again.
  void Iconify();
  void Activate();
  // True while the window is mapped (not iconified).
  bool Mapped() const;

  // The number of frames drawn so far, which the program prints when sent SIGUSR1; -1 when no
  // answer came within the time-out. The answer lines are expected output.
  long FramesDrawn(double timeoutSeconds = 30.0);
  // CPU time the process has used, user and system, in seconds.
  double CpuSeconds() const;

  bool Running();
  pid_t Pid() const { return pid; }
  // Sends a signal to the process; false when it has ended.
  bool Signal(int signal);
  // Waits for the process to end; returns its exit code, or -1 on time-out (process still
  // running) or an abnormal end. *seconds, if given, receives the time waited.
  int WaitExit(double timeoutSeconds, double* seconds = nullptr);

  // The whole screen, top row first.
  std::vector<Rgb> Screenshot() const;

 private:
  XvfbServer& server;
  pid_t pid = -1;
  std::string logPath;
  std::vector<std::string> allowed;
  XWindowId window = 0;
  bool reaped = false;
  int exitCode = -1;
};

// Runs the program to its end (a run with --frames) and returns its exit code, -1 when it had
// not ended after timeoutSeconds. Unexpected output fails the test.
int RunToEnd(XvfbServer& server, const std::string& workDir, const std::vector<std::string>& args,
             double timeoutSeconds = 120.0, const std::vector<std::string>& allowedOutput = {});

// Asks a child process to end (SIGTERM) and reaps it; one still there after graceSeconds is
// killed. No test waits without end for a program that will not go.
void EndChildProcess(pid_t child, double graceSeconds = 10.0);
// Waits for a child to end and returns its exit status; -1 for one that did not end by itself
// within timeoutSeconds (it is then ended as above) or was ended by a signal.
int WaitForChildExit(pid_t child, double timeoutSeconds);

// Checks `done` every pollSeconds until it holds; false when timeoutSeconds pass first. Tests in
// real time wait for a condition with a deadline that only a hang reaches, never a fixed time.
bool WaitUntil(const std::function<bool()>& done, double timeoutSeconds = 60.0,
               double pollSeconds = 0.05);

// The whole screen of a server, top row first.
std::vector<Rgb> ScreenPixels(const XvfbServer& server);

// Pixel statistics over a rectangle of a top-down screenshot of the given width.
struct PixelRegion {
  int x0, y0, x1, y1;  // half-open: x0 <= x < x1, y0 <= y < y1, y from the top
};
int CountPixels(const std::vector<Rgb>& pixels, int width, PixelRegion region,
                bool (*predicate)(const Rgb&));
bool IsBlack(const Rgb& p);     // every channel below 8
bool IsNotBlack(const Rgb& p);  // any channel at 8 or more
bool IsBright(const Rgb& p);    // any channel above 128

// Where screenshots go: $QUOR_SCREENSHOT_DIR, else build/screenshots beside the test binary's
// working directory.
std::string ScreenshotPath(const std::string& name);
