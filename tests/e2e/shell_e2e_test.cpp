// The real program on the real clock, for what only real time shows: its window, real key
// events through XTest, the full-screen toggle, Escape's fade-out and the window's close button.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <string>

#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
// Every wait is for a condition; the deadline only ends a wait that would never finish, and is
// long enough for a machine busy with other work.
constexpr double kDeadline = 30.0;

class ShellE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }

  static std::string SizeOf(const QuorRun& run) {
    int x, y, w, h;
    run.Geometry(&x, &y, &w, &h);
    return std::to_string(w) + " x " + std::to_string(h) + " at " + std::to_string(x) + ", " +
           std::to_string(y);
  }

  // Waits until the start-up hint's place at the top left shows text, or none.
  static bool WaitForScreen(QuorRun& run, bool hintShown) {
    bool shown = !hintShown;
    WaitUntil(
        [&] {
          if (!run.Running()) return true;
          shown = CountPixels(run.Screenshot(), kWidth, {10, 0, 254, 20}, IsBright) > 0;
          return shown == hintShown;
        },
        kDeadline);
    return shown == hintShown;
  }

  // The frame count once it has passed more, or the last count seen (-1 once the program has
  // ended) when the deadline came.
  static long WaitForFramesPast(QuorRun& run, long more) {
    long frames = -1;
    WaitUntil([&] { return (frames = run.FramesDrawn()) < 0 || frames > more; }, kDeadline);
    return frames;
  }

  XvfbServer server{kWidth, kHeight};
};

TEST_F(ShellE2e, WindowIsQuorFullScreenFTogglesA512SquareAndClosingEndsWithZero) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow(kDeadline));
  EXPECT_EQ(run.Title(), "Quor");
  ASSERT_TRUE(run.WaitForSize(kWidth, kHeight, kDeadline)) << SizeOf(run);
  int x, y, w, h;
  run.Geometry(&x, &y, &w, &h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);

  run.Key("f");
  EXPECT_TRUE(run.WaitForSize(512, 512, kDeadline)) << "leaving full screen: " << SizeOf(run);
  run.Key("f");
  EXPECT_TRUE(run.WaitForSize(kWidth, kHeight, kDeadline))
      << "back to full screen: " << SizeOf(run);

  run.CloseWindow();
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

TEST_F(ShellE2e, EscapeFadesOutForAboutThreeSecondsAndExitsWithZero) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow(kDeadline));
  // An Escape in the program's first second would store the whole second 0, which means no
  // fade. The start-up hint shows until the program's clock reaches 3 s: once frames have been
  // drawn and the hint is gone, the clock is well past the first second. (On a busy machine the
  // hint's three seconds can pass between two screenshots, so it is not required to be seen.)
  long frames = 0;
  WaitUntil([&] { return (frames = run.FramesDrawn()) >= 3; }, kDeadline);
  ASSERT_GE(frames, 3) << "no frames drawn";
  ASSERT_TRUE(WaitForScreen(run, false)) << "the start-up hint never went";
  run.Key("Escape");
  // The fade starts at the whole second before the press and lasts three seconds: the program
  // ends 1.97 to 2.97 s after the key reached it. A busy machine can only make that later.
  double seconds = 0.0;
  EXPECT_EQ(run.WaitExit(kDeadline, &seconds), 0);
  EXPECT_GT(seconds, 1.5) << "ended before the fade could have run";
  EXPECT_LT(seconds, 15.0);
}

// nohup, or a shell's background job, leaves SIGHUP ignored: it stays ignored, so the hang-up
// of the terminal does not end the program; SIGTERM still ends it in order.
TEST_F(ShellE2e, AHangupIgnoredAtStartStaysIgnoredAndTermStillEndsWithZero) {
  QuorRun run(server, MakeWorkDir(true), {"-w"}, {}, {SIGHUP});
  ASSERT_TRUE(run.WaitForWindow(kDeadline));
  const long before = WaitForFramesPast(run, 2);
  ASSERT_GT(before, 2) << "no frames drawn";
  ASSERT_TRUE(run.Signal(SIGHUP));
  EXPECT_GT(WaitForFramesPast(run, before + 5), before + 5) << "SIGHUP ended the run";
  ASSERT_TRUE(run.Signal(SIGTERM));
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

// Without a window manager, -geometry 1x1 puts the window at (-1, -1), wholly off the screen,
// and freeglut never calls the display callback for it. A run with a set number of frames still
// draws them all and ends.
TEST_F(ShellE2e, ARunWithSetFramesEndsWithItsWindowWhollyOffTheScreen) {
  const std::string dir = MakeWorkDir(true);
  EXPECT_EQ(RunToEnd(server, dir,
                     {"--step=33", "-w", "-geometry", "1x1", "--frames=30",
                      "--capture=" + dir + "/off%d.png"},
                     120.0),
            0);
  for (const int n : {1, 30}) {
    const std::string name = dir + "/off" + std::to_string(n) + ".png";
    std::FILE* f = std::fopen(name.c_str(), "rb");
    EXPECT_NE(f, nullptr) << name;
    if (f != nullptr) std::fclose(f);
  }
}

}  // namespace
