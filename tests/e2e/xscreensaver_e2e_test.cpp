// Quor under the real screen savers, each under a window manager as on a desktop. Debian's
// xscreensaver daemon, run as an ordinary user (it launches no hacks as root) on an Xvfb server
// open to that user, under openbox, starts `quor -root` (the hacks' one-dash form) from its
// programs list when told to, and ends it with SIGTERM when told to stop. MATE's screen saver,
// under marco in a D-Bus session of its own, finds Quor through its desktop entry and its program
// in Debian's folder of hacks, keeps it running while active, and ends it when deactivated.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/x_app.h"

namespace {

namespace fs = std::filesystem;
constexpr double kDeadline = 60.0;
constexpr const char* kUser = "nobody";
// How long a hack must go on running under MATE's saver, which stops one that covers its window.
constexpr double kStillRunningSeconds = 10.0;

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool OnPath(const std::string& program) {
  for (const char* dir : {"/usr/bin", "/usr/sbin", "/bin", "/sbin"})
    if (access((std::string(dir) + "/" + program).c_str(), X_OK) == 0) return true;
  return false;
}

// Runs a command with the given environment added, its output into log; returns the child.
pid_t Start(const std::vector<std::string>& command,
            const std::vector<std::pair<std::string, std::string>>& environment,
            const std::string& log) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  for (const auto& [name, value] : environment) setenv(name.c_str(), value.c_str(), 1);
  const int fd = open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd >= 0) {
    dup2(fd, 1);
    dup2(fd, 2);
  }
  std::vector<char*> argv;
  for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(nullptr);
  execvp(argv[0], argv.data());
  _exit(127);
}

int RunCommand(const std::vector<std::string>& command,
               const std::vector<std::pair<std::string, std::string>>& environment,
               const std::string& log) {
  // A command that hangs is a failure like any other.
  return WaitForChildExit(Start(command, environment, log), kDeadline);
}

// The process running the copied program, 0 while there is none.
pid_t FindProgram(const std::string& binary) {
  for (const auto& entry : fs::directory_iterator("/proc")) {
    const std::string name = entry.path().filename();
    if (name.find_first_not_of("0123456789") != std::string::npos) continue;
    std::error_code error;
    if (fs::read_symlink(entry.path() / "exe", error) == binary) return std::stoi(name);
  }
  return 0;
}

// Waits for the flame on the screen: bright pixels around the middle of the saver's window.
// Saves the last look as the named screenshot.
bool FlameOnScreen(const XvfbServer& server, const char* name) {
  std::vector<Rgb> screen;
  const bool flame = WaitUntil(
      [&] {
        screen = ScreenPixels(server);
        return CountPixels(screen, 800, {200, 150, 600, 450}, IsBright) > 5000;
      },
      kDeadline, 0.1);
  if (!screen.empty()) SavePicture(ScreenshotPath(name), 800, 600, screen);
  return flame;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(XscreensaverE2e, SelectShowsTheFlameAndDeactivateEndsQuorWithZero) {
  if (geteuid() != 0)
    GTEST_SKIP() << "xscreensaver must run as another user (it launches no hacks as root), and "
                    "only root can start it as one";
  const passwd* user = getpwnam(kUser);
  if (user == nullptr) GTEST_SKIP() << "there is no user '" << kUser << "' to run xscreensaver as";
  for (const char* program : {"runuser", "xscreensaver", "xscreensaver-command"})
    if (!OnPath(program)) GTEST_SKIP() << program << " is not installed (scripts/setup)";
  XvfbServer server{800, 600, true, true};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  if (!server.HasWindowManager()) GTEST_SKIP() << "openbox is not installed (scripts/setup)";

  // The clone may sit where the user cannot read: the program and its images go to a
  // world-readable folder, laid out as installed (bin/quor finds ../share/quor).
  char pattern[] = "/tmp/quor-saver-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path dir = pattern;
  fs::create_directories(dir / "bin");
  fs::create_directories(dir / "share/quor");
  fs::create_directories(dir / "home");
  const fs::path binary = dir / "bin/quor";
  fs::copy_file(QUOR_BINARY, binary);
  for (const char* image : {"font.bmp", "smoke128.bmp"})
    fs::copy_file(fs::path(QUOR_SOURCE_DIR) / "assets" / image, dir / "share/quor" / image);
  {
    std::ofstream settings(dir / "home/.xscreensaver");
    settings << "mode:\tone\nselected:\t0\nlock:\tFalse\nfade:\tFalse\nunfade:\tFalse\n"
                "splash:\tFalse\ntimeout:\t1:00:00\nprograms:\t\\\n"
                "  GL: \"Quor\" quor -root \\n\\\n\n";
  }
  ASSERT_EQ(RunCommand({"chmod", "-R", "a+rX", dir.string()}, {}, "/dev/null"), 0);
  ASSERT_EQ(chown((dir / "home").c_str(), user->pw_uid, user->pw_gid), 0);
  ASSERT_EQ(chown((dir / "home/.xscreensaver").c_str(), user->pw_uid, user->pw_gid), 0);
  const std::string log = (dir / "xscreensaver.log").string();

  // The hack is the daemon's grandchild, and the daemon's helper that started it is gone by
  // the time it ends: as a subreaper this process inherits it and learns its exit status.
  ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
  std::vector<std::string> command = {"runuser",
                                      "-u",
                                      kUser,
                                      "--",
                                      "env",
                                      "HOME=" + (dir / "home").string(),
                                      "DISPLAY=" + server.Name(),
                                      "PATH=" + (dir / "bin").string() + ":/usr/bin:/bin",
                                      "LIBGL_ALWAYS_SOFTWARE=1"};
  for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
    if (const char* value = std::getenv(name)) command.push_back(std::string(name) + "=" + value);
  for (const char* word : {"xscreensaver", "--no-splash", "--verbose"}) command.push_back(word);
  const pid_t daemon = Start(command, {}, log);
  ASSERT_GT(daemon, 0);
  const std::vector<std::pair<std::string, std::string>> display = {{"DISPLAY", server.Name()}};

  // The daemon answers once it is up; until then -select fails.
  const bool selected = WaitUntil(
      [&] {
        return RunCommand({"xscreensaver-command", "-select", "1"}, display, "/dev/null") == 0;
      },
      kDeadline, 0.2);
  EXPECT_TRUE(selected) << ReadAll(log);
  pid_t quor = 0;
  if (selected) WaitUntil([&] { return (quor = FindProgram(binary.string())) != 0; });
  EXPECT_GT(quor, 0) << "xscreensaver did not start quor\n" << ReadAll(log);
  EXPECT_TRUE(quor > 0 && FlameOnScreen(server, "xscreensaver_root")) << "no flame on the screen";

  if (quor > 0) {
    const double start = Now();
    EXPECT_EQ(RunCommand({"xscreensaver-command", "-deactivate"}, display, "/dev/null"), 0);
    // Until xscreensaver's helper has gone, quor is not this process's child (ECHILD).
    int status = 0;
    pid_t ended = 0;
    bool reapedElsewhere = false;
    WaitUntil(
        [&] {
          ended = waitpid(quor, &status, WNOHANG);
          if (ended < 0) reapedElsewhere = !fs::exists("/proc/" + std::to_string(quor));
          return ended == quor || reapedElsewhere;
        },
        kDeadline, 0.002);
    const double seconds = Now() - start;
    ASSERT_FALSE(reapedElsewhere) << "quor's exit status went to xscreensaver";
    ASSERT_EQ(ended, quor) << "quor is still running after -deactivate";
    EXPECT_TRUE(WIFEXITED(status)) << "quor ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
    std::printf("quor ended %.3f s after xscreensaver-command -deactivate\n", seconds);
    RecordProperty("deactivate_to_exit_ms", static_cast<int>(seconds * 1000));
  }

  RunCommand({"xscreensaver-command", "-exit"}, display, "/dev/null");
  WaitForChildExit(daemon, kDeadline);  // asked to end above
  prctl(PR_SET_CHILD_SUBREAPER, 0);

  // Whatever quor printed went to the daemon's log: only the daemon's own lines (and its
  // indented banner) are expected, a sanitizer report or an X error is not.
  std::istringstream lines(ReadAll(log));
  std::string line;
  while (std::getline(lines, line))
    if (!line.empty() && line[0] != '\t' && line.rfind("xscreensaver", 0) != 0)
      ADD_FAILURE() << "unexpected output in " << log << ": " << line;
  if (!HasFailure()) fs::remove_all(dir);  // kept, with the daemon's log, after a failure
}

// Debian's folder of hacks, the only place besides two of MATE's own where mate-screensaver
// looks for the program of a desktop entry: the test puts its link there, and takes it away.
constexpr const char* kMateHackLink = "/usr/libexec/xscreensaver/quor";
struct HackLink {
  explicit HackLink(const fs::path& to) { made = symlink(to.c_str(), kMateHackLink) == 0; }
  ~HackLink() {
    if (made) unlink(kMateHackLink);
  }
  bool made = false;
};

TEST(MateScreensaverE2e, ActivatedQuorShowsTheFlameAndDeactivationEndsItWithZero) {
  for (const char* program :
       {"mate-screensaver", "mate-screensaver-command", "dbus-run-session", "gsettings", "marco"})
    if (!OnPath(program)) GTEST_SKIP() << program << " is not installed (scripts/setup)";
  if (geteuid() != 0)
    GTEST_SKIP() << "mate-screensaver finds hacks only in system folders (" << kMateHackLink
                 << "), where only root can put the test's program";
  struct stat existing {};
  if (lstat(kMateHackLink, &existing) == 0)
    GTEST_SKIP() << kMateHackLink << " is installed already; the test does not replace it";
  XvfbServer server{800, 600, true, false, "marco"};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  if (!server.HasWindowManager()) GTEST_SKIP() << "marco did not start";

  // The desktop entry as installed, in a data folder of the session's own; the program behind a
  // script that keeps its exit status and its output, which mate-screensaver would swallow.
  char pattern[] = "/tmp/quor-mate-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const fs::path dir = pattern;
  fs::create_directories(dir / "share/applications/screensavers");
  fs::create_directories(dir / "home");
  fs::copy_file(fs::path(QUOR_SOURCE_DIR) / "dist/quor-screensaver.desktop",
                dir / "share/applications/screensavers/quor.desktop");
  const std::string d = dir.string();
  {
    std::ofstream hack(dir / "hack");
    hack << "#!/bin/sh\n"
         << "'" << QUOR_BINARY << "' \"$@\" >'" << d << "/quor.log' 2>&1 &\n"
         << "child=$!\necho $child >'" << d << "/quor.pid'\n"
         << "trap 'kill -TERM $child' TERM INT HUP\n"
         // A trapped signal ends the first wait early: wait again until the program is gone.
         << "while :; do wait $child; status=$?; kill -0 $child 2>/dev/null || break; done\n"
         << "echo $status >'" << d << "/quor.status'\n";
  }
  fs::permissions(dir / "hack", fs::perms::owner_all, fs::perm_options::add);
  {
    std::ofstream session(dir / "session");
    session << "#!/bin/sh\nset -e\n"
            << "gsettings set org.mate.screensaver mode single\n"
            << "gsettings set org.mate.screensaver themes \"['screensavers-quor']\"\n"
            << "gsettings set org.mate.screensaver lock-enabled false\n"
            << "gsettings set org.mate.screensaver idle-activation-enabled false\n"
            << "echo \"$DBUS_SESSION_BUS_ADDRESS\" >'" << d << "/bus.new'\n"
            << "mv '" << d << "/bus.new' '" << d << "/bus'\n"
            << "exec mate-screensaver --no-daemon\n";
  }
  fs::permissions(dir / "session", fs::perms::owner_all, fs::perm_options::add);
  HackLink link(dir / "hack");
  ASSERT_TRUE(link.made) << "cannot link " << kMateHackLink;

  const std::string log = d + "/mate-screensaver.log";
  std::vector<std::pair<std::string, std::string>> environment = {
      {"HOME", d + "/home"},
      {"DISPLAY", server.Name()},
      {"XDG_DATA_DIRS", d + "/share:/usr/share"},
      {"LIBGL_ALWAYS_SOFTWARE", "1"},
      // GIO's local files only: gvfs, where it is installed, would mount a FUSE folder in this
      // home that outlives the session and cannot be removed.
      {"GIO_USE_VFS", "local"},
      {"GVFS_DISABLE_FUSE", "1"}};
  const pid_t session = Start({"dbus-run-session", "--", d + "/session"}, environment, log);
  ASSERT_GT(session, 0);
  ASSERT_TRUE(WaitUntil([&] { return fs::exists(dir / "bus"); })) << ReadAll(log);
  std::string bus = ReadAll(d + "/bus");
  bus.erase(bus.find_last_not_of('\n') + 1);
  environment.push_back({"DBUS_SESSION_BUS_ADDRESS", bus});

  // The saver answers once it is on the bus.
  const bool active = WaitUntil(
      [&] {
        return RunCommand({"mate-screensaver-command", "--activate"}, environment, "/dev/null") ==
               0;
      },
      kDeadline, 0.2);
  EXPECT_TRUE(active) << ReadAll(log);
  if (active) WaitUntil([&] { return fs::exists(dir / "quor.pid"); });
  EXPECT_TRUE(fs::exists(dir / "quor.pid")) << "mate-screensaver did not start quor\n"
                                            << ReadAll(log);

  // Ten seconds on, Quor still runs (MATE stops a hack whose window covers its own) and the flame
  // is on the screen.
  if (fs::exists(dir / "quor.pid")) {
    // Watched for the whole ten seconds: an end at any moment in them fails at once.
    WaitUntil([&] { return fs::exists(dir / "quor.status"); }, kStillRunningSeconds, 0.1);
    EXPECT_FALSE(fs::exists(dir / "quor.status")) << "quor ended while the saver was active\n"
                                                  << ReadAll(log);
    EXPECT_TRUE(FlameOnScreen(server, "mate_screensaver")) << "no flame on the screen";
    EXPECT_EQ(RunCommand({"mate-screensaver-command", "--deactivate"}, environment, "/dev/null"),
              0);
    WaitUntil([&] { return fs::exists(dir / "quor.status"); });
    EXPECT_EQ(ReadAll(d + "/quor.status"), "0\n") << "quor did not end with 0 on deactivation";
    EXPECT_EQ(ReadAll(d + "/quor.log"), "") << "quor printed";
  }

  RunCommand({"mate-screensaver-command", "--exit"}, environment, "/dev/null");
  WaitForChildExit(session, kDeadline);             // asked to end above
  std::error_code ignored;                          // what cannot go stays in /tmp, failing nothing
  if (!HasFailure()) fs::remove_all(dir, ignored);  // kept, with the saver's log, after a failure
}

}  // namespace
