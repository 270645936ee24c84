// Runs of the real program on a test's X server: its window, real key events through XTest,
// window-manager requests, signals, its output held to what the test expects.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/gl_context.h"  // Rgb
#include "tests/support/xvfb_server.h"

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
