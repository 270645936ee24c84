// Child processes, deadlines and the hang report (see tests/support/child_process.h).
#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <thread>

double MonotonicSeconds() {
  using Clock = std::chrono::steady_clock;
  static const Clock::time_point start = Clock::now();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void SleepSeconds(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
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
  const double deadline = MonotonicSeconds() + timeoutSeconds;
  fcntl(fds[0], F_SETFL, O_NONBLOCK);
  char chunk[256];
  while (*child > 0 && MonotonicSeconds() < deadline && line.find('\n') == std::string::npos) {
    const ssize_t n = read(fds[0], chunk, sizeof chunk);
    if (n == 0) break;
    if (n > 0)
      line.append(chunk, static_cast<size_t>(n));
    else
      SleepSeconds(0.02);
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

namespace {
struct HangWatch {
  HangWatch() {
    const char* text = std::getenv("QUOR_HANG_REPORT_SECONDS");
    const double seconds = text != nullptr ? std::atof(text) : 0.0;
    if (seconds > 0.0)
      std::thread([seconds] {
        SleepSeconds(seconds);
        ReportHang();
      }).detach();
  }
} hangWatch;
}  // namespace

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
  const double deadline = MonotonicSeconds() + timeoutSeconds;
  while (!done()) {
    if (MonotonicSeconds() > deadline) return false;
    SleepSeconds(pollSeconds);
  }
  return true;
}
