// quor.scr cross-built for Windows, run under Wine as Windows runs a screen saver: full screen
// (/s) ending on the user's input, over two monitors, and in a preview pane (/p) following the
// pane.
#include "tests/wine/windows_program.h"

namespace {
using namespace wine_tests;

// --- The full-screen saver (/s) --------------------------------------------------------------

// Starts quor.scr /s and waits until it covers the screen.
void StartFullScreen(QuorRun& run) {
  ASSERT_TRUE(run.Started());
  ASSERT_TRUE(run.WaitForWindow(60)) << run.Output();
  ASSERT_TRUE(run.WaitForSize(kScreenWidthPixels, kScreenHeightPixels, 30)) << run.Output();
}

void Xdotool(const XvfbServer& server, const std::vector<std::string>& args) {
  std::vector<std::string> argv{"env", "DISPLAY=" + server.Name(), "xdotool"};
  argv.insert(argv.end(), args.begin(), args.end());
  ASSERT_EQ(RunCommand(argv).status, 0);
}

TEST_F(WindowsProgram, FullScreenSaverEndsOnAKeyNotOnAJitter) {
  Use("quor.scr");
  Xdotool(server, {"mousemove", "320", "240"});
  const std::string work = MakeWorkDir(true);
  QuorRun run(server, work, {"/s"});
  AllowWineLines(run);
  StartFullScreen(run);
  // The flame grows on the screen.
  std::vector<Rgb> screen;
  int bright = 0;
  WaitUntil(
      [&] {
        screen = run.Screenshot();
        bright = CountPixels(screen, kScreenWidthPixels,
                             {0, 0, kScreenWidthPixels, kScreenHeightPixels}, IsBright);
        return bright >= kFlamePixels;
      },
      60.0, 0.2);
  SavePicture(ScreenshotPath("wine_saver_full_screen"), kScreenWidthPixels, kScreenHeightPixels,
              screen);
  EXPECT_GE(bright, kFlamePixels) << "no flame on the screen";
  // A pointer that shifts by one pixel, as a desk's vibration does, keeps it going.
  Xdotool(server, {"mousemove_relative", "--", "1", "1"});
  Xdotool(server, {"mousemove_relative", "--", "-1", "-1"});
  EXPECT_EQ(run.WaitExit(3), -1) << "a one-pixel jitter ended the saver";
  run.Key("a");
  EXPECT_EQ(run.WaitExit(60), 0);
}

TEST_F(WindowsProgram, FullScreenSaverEndsWhenTheMouseMoves) {
  Use("quor.scr");
  Xdotool(server, {"mousemove", "320", "240"});
  QuorRun run(server, MakeWorkDir(true), {"/s"});
  AllowWineLines(run);
  StartFullScreen(run);
  Xdotool(server, {"mousemove_relative", "--", "40", "30"});
  EXPECT_EQ(run.WaitExit(60), 0);
}

// --- Two monitors ----------------------------------------------------------------------------

// Wine's X11 driver takes the monitors from Xinerama, which Xvfb answers with RandR's monitor
// list, once it is told not to ask RandR for them; the setting goes again with the test.
class WineMonitors {
 public:
  explicit WineMonitors(const XvfbServer& server) : display("DISPLAY=" + server.Name()) {
    Reg({"add", kKey, "/v", "UseXRandR", "/t", "REG_SZ", "/d", "N", "/f"});
    StopWineServer();  // the desktop reads the monitors as it starts
  }
  ~WineMonitors() {
    Reg({"delete", kKey, "/v", "UseXRandR", "/f"});
    StopWineServer();
  }
  // How many monitors Windows programs see.
  int Count() const {
    const CommandResult r = RunCommand(
        {"env", display, "wine", WindowsBuildFile("quor/tests/quor_test_host.exe"), "--monitors"});
    return r.status == 0 ? std::atoi(r.out.c_str()) : -1;
  }

 private:
  static constexpr const char* kKey = "HKCU\\Software\\Wine\\X11 Driver";
  void Reg(const std::vector<std::string>& words) const {
    std::vector<std::string> argv{"env", display, "wine", "reg"};
    argv.insert(argv.end(), words.begin(), words.end());
    EXPECT_EQ(RunCommand(argv).status, 0) << "wine reg " << words[0];
  }
  std::string display;
};

TEST_F(WindowsProgram, FullScreenSaverShowsAWholeFlameOnEachMonitorAndEndsOnEither) {
  constexpr int kMonitorWidth = 640, kMonitorHeight = 400;
  StopWineServer();
  XvfbServer screens{2 * kMonitorWidth, kMonitorHeight, false, false, "", 1, true};
  ASSERT_TRUE(screens.Ok());
  const TestMonitor left{0, 0, kMonitorWidth, kMonitorHeight};
  const TestMonitor right{kMonitorWidth, 0, kMonitorWidth, kMonitorHeight};
  std::string error;
  ASSERT_TRUE(SetMonitors(screens, {left, right}, &error)) << error;
  WineMonitors monitors(screens);
  const int seen = monitors.Count();
  if (seen == 1) GTEST_SKIP() << "Wine sees one monitor where Xinerama lists two";
  ASSERT_EQ(seen, 2);

  Use("quor.scr");
  const TestMonitor both[] = {left, right};
  for (int i = 0; i < 2; ++i) {
    // The pointer rests on one monitor; the input comes on the other.
    const TestMonitor& input = both[i];
    const TestMonitor& rest = both[1 - i];
    Xdotool(screens, {"mousemove", std::to_string(rest.x + 100), "100"});
    QuorRun run(screens, MakeWorkDir(true), {"/s"});
    AllowWineLines(run);
    ASSERT_TRUE(run.Started());
    ASSERT_TRUE(run.WaitForWindow(60)) << run.Output();
    ASSERT_TRUE(run.WaitForSize(2 * kMonitorWidth, kMonitorHeight, 30)) << run.Output();
    Picture p{screens.Width(), screens.Height(), {}};
    const auto centred = [&](const TestMonitor& m) {
      const WarmPixels warm = FindWarmPixels(p.pixels, p.width, {m.x, 0, m.x + m.width, m.height});
      return warm.count >= 2000 && std::abs(warm.x - (m.x + m.width / 2.0)) < m.width * 0.15;
    };
    EXPECT_TRUE(WaitUntil(
        [&] {
          p.pixels = run.Screenshot();
          return centred(left) && centred(right);
        },
        60.0, 0.2))
        << "no whole flame centred on each monitor";
    if (i == 0) SavePicture(ScreenshotPath("wine_saver_two_monitors"), p.width, p.height, p.pixels);
    // The pointer moved over to the other monitor and clicked there ends it.
    Xdotool(screens, {"mousemove", std::to_string(input.x + 200), "200", "click", "1"});
    EXPECT_EQ(run.WaitExit(60), 0);
  }
}

// --- The preview pane (/p) -------------------------------------------------------------------

// quor_test_host.exe: a Win32 window standing for the settings dialog's preview pane. It prints
// its HWND, then takes "size W H" and "close" on its standard input.
class PreviewHost {
 public:
  PreviewHost(const XvfbServer& server, int width, int height) {
    int toHost[2], fromHost[2];
    if (pipe(toHost) != 0 || pipe(fromHost) != 0) return;
    pid = fork();
    if (pid == 0) {
      setenv("DISPLAY", server.Name().c_str(), 1);
      dup2(toHost[0], 0);
      dup2(fromHost[1], 1);
      close(toHost[1]);
      close(fromHost[0]);
      const std::string host = WindowsBuildFile("quor/tests/quor_test_host.exe");
      execlp("wine", "wine", host.c_str(), std::to_string(width).c_str(),
             std::to_string(height).c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    close(toHost[0]);
    close(fromHost[1]);
    requests = fdopen(toHost[1], "w");
    answers = fromHost[0];
    hwnd = ReadLine();
  }
  ~PreviewHost() {
    if (requests != nullptr) std::fclose(requests);
    if (answers >= 0) close(answers);
    if (pid > 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
    }
  }
  const std::string& Hwnd() const { return hwnd; }
  // Sends one request and returns the host's answer line.
  std::string Request(const std::string& line) {
    std::fprintf(requests, "%s\n", line.c_str());
    std::fflush(requests);
    return ReadLine();
  }

 private:
  // The host's next line; empty when none comes within a minute (it did not start, or hangs).
  std::string ReadLine() {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::seconds(60);
    std::string text;
    char c = 0;
    while (answers >= 0) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
      pollfd ready{answers, POLLIN, 0};
      if (left <= 0 || poll(&ready, 1, static_cast<int>(left)) <= 0 || read(answers, &c, 1) != 1)
        return "";
      if (c == '\n') break;
      if (c != '\r') text += c;
    }
    return text;
  }
  pid_t pid = -1;
  std::FILE* requests = nullptr;
  int answers = -1;  // the host's standard output
  std::string hwnd;
};

// Waits until a whole captured frame of the given size, numbered above firstFrame, has been
// written (the newest file may still be being written: the one before it is whole). Its name, or
// "" on time-out.
std::string WaitForCapturedFrame(const std::string& dir, int firstFrame, int width, int height,
                                 double timeoutSeconds) {
  std::string found;
  WaitUntil(
      [&] {
        int newest = -1;
        for (const auto& entry : std::filesystem::directory_iterator(dir)) {
          int number = -1;
          if (std::sscanf(entry.path().filename().c_str(), "f%d.png", &number) == 1)
            newest = std::max(newest, number);
        }
        char whole[32];
        std::snprintf(whole, sizeof whole, "/f%04d.png", newest - 1);
        Picture picture;
        if (newest > firstFrame && ReadPng(dir + whole, &picture) && picture.width == width &&
            picture.height == height)
          found = dir + whole;
        return !found.empty();
      },
      timeoutSeconds, 0.1);
  return found;
}

TEST_F(WindowsProgram, PreviewDrawsAtThePanesSizeFollowsItAndEndsWithIt) {
  PreviewHost host(server, 160, 120);
  ASSERT_FALSE(host.Hwnd().empty()) << "quor_test_host.exe printed no window handle";
  // quor.scr /p N is quor.exe --window-id=N; quor.exe also takes --capture, which shows what
  // it drew at each frame.
  Use("quor.exe");
  const std::string frames = MakeWorkDir(false);
  QuorRun run(server, MakeWorkDir(true),
              {"--window-id=" + host.Hwnd(), "--step=33",
               "--capture=" + WindowsPath(frames) + "\\f%04d.png"});
  AllowWineLines(run);
  ASSERT_TRUE(run.Started());
  // By frame 40 (1.3 s on the fixed clock) the flame has grown.
  const std::string first = WaitForCapturedFrame(frames, 40, 160, 120, 60);
  ASSERT_FALSE(first.empty()) << "no frame of 160x120 drawn: " << run.Output();
  Picture picture;
  ASSERT_TRUE(ReadPng(first, &picture));
  EXPECT_GT(
      CountPixels(picture.pixels, picture.width, {0, 0, picture.width, picture.height}, IsBright),
      10)
      << first << ": no flame";
  EXPECT_EQ(host.Request("size 240 180"), "ok");
  EXPECT_FALSE(WaitForCapturedFrame(frames, 0, 240, 180, 60).empty()) << "the pane's new size";
  EXPECT_EQ(host.Request("close"), "closed");
  EXPECT_EQ(run.WaitExit(60), 0);
}

TEST_F(WindowsProgram, PreviewSaverEndsWithZeroWhenThePaneCloses) {
  PreviewHost host(server, 160, 120);
  ASSERT_FALSE(host.Hwnd().empty()) << "quor_test_host.exe printed no window handle";
  Use("quor.scr");
  QuorRun run(server, MakeWorkDir(true), {"/p", host.Hwnd()});
  AllowWineLines(run);
  ASSERT_TRUE(run.Started());
  EXPECT_EQ(run.WaitExit(5), -1) << "it ended while the pane was open: " << run.Output();
  // Wine 8 hands the GL window no X drawable to copy its frames to when the pane belongs to
  // another process (winex11: SET_DRAWABLE ... drawable 0), so the pane stays white on the
  // screen although every frame is drawn and swapped; what it drew is checked through --capture
  // above. The screenshot shows where Wine stands.
  SavePicture(ScreenshotPath("wine_preview_pane"), kScreenWidthPixels, kScreenHeightPixels,
              run.Screenshot());
  EXPECT_EQ(host.Request("close"), "closed");
  EXPECT_EQ(run.WaitExit(60), 0);
}

}  // namespace
