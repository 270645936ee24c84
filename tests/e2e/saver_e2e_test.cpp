// Quor as a screen-saver hack on a bare Xvfb server: drawing in a window the test makes, as a
// saver or a settings dialog hands one over (--root with $XSCREENSAVER_WINDOW, --window-id),
// following its size and ending with it; and the orderly end on SIGTERM, SIGINT and SIGHUP.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/picture.h"
#include "tests/support/target_window.h"
#include "tests/support/x_app.h"

namespace {

constexpr double kDeadline = 60.0;  // ends only a wait that would never finish

// The horizontal middle of the bright pixels of a picture, -1 without any.
double BrightCentre(const std::vector<Rgb>& pixels, int width, int height) {
  double sum = 0.0;
  long count = 0;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (IsBright(pixels[static_cast<size_t>(y) * width + x])) {
        sum += x;
        ++count;
      }
  return count > 0 ? sum / count : -1.0;
}

// Waits until the target window shows the flame, centred in a window of the given size.
bool WaitForFlame(const TargetWindow& target, int width, int height, std::vector<Rgb>* seen) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kDeadline);
  while (std::chrono::steady_clock::now() < deadline) {
    int w = 0, h = 0, childW = 0, childH = 0;
    *seen = target.Read(&w, &h);
    const double centre = BrightCentre(*seen, w, h);
    if (w == width && h == height && target.ChildSize(&childW, &childH) && childW == width &&
        childH == height && CountPixels(*seen, w, {0, 0, w, h}, IsBright) > 200 &&
        std::abs(centre - width / 2.0) < width / 10.0)
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}

class SaverE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }
  XvfbServer server{1024, 768};
};

TEST_F(SaverE2e, RootDrawsTheSaversWindowAtItsOddSizeWithoutTheHint) {
  constexpr int kWidth = 301, kHeight = 187;
  TargetWindow target(server, 37, 53, kWidth, kHeight);
  const std::string dir = MakeWorkDir(true);
  {
    QuorRun run(server, dir,
                {"--root", "--step=33", "--frames=90", "--capture=" + dir + "/saver.png"},
                {{"XSCREENSAVER_WINDOW", target.IdText()}});
    EXPECT_EQ(run.WaitExit(120.0), 0);
  }
  // The same frames in a plain window of that size: the saver's differ only by the start-up
  // hint, which a saver does not show.
  ASSERT_EQ(RunToEnd(server, dir,
                     {"-w", "-geometry", "301x187+600+400", "--step=33", "--frames=90",
                      "--capture=" + dir + "/plain.png"}),
            0);
  Picture saver, plain;
  ASSERT_TRUE(ReadPng(dir + "/saver.png", &saver));
  ASSERT_TRUE(ReadPng(dir + "/plain.png", &plain));
  SavePicture(ScreenshotPath("saver_root_capture"), saver.width, saver.height, saver.pixels);
  ASSERT_EQ(saver.width, kWidth);
  ASSERT_EQ(saver.height, kHeight);
  ASSERT_EQ(plain.width, kWidth);
  EXPECT_GT(CountPixels(saver.pixels, kWidth, {0, 0, kWidth, kHeight}, IsBright), 200)
      << "no flame";
  constexpr int kHintRows = 24;
  long differentBelowHint = 0, differentInHint = 0;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const Rgb& p = saver.pixels[static_cast<size_t>(y) * kWidth + x];
      const Rgb& q = plain.pixels[static_cast<size_t>(y) * kWidth + x];
      if (p.r != q.r || p.g != q.g || p.b != q.b)
        ++(y < kHintRows ? differentInHint : differentBelowHint);
    }
  EXPECT_EQ(differentBelowHint, 0) << "the saver's picture is not the viewer's";
  EXPECT_GT(differentInHint, 0) << "the start-up hint is shown in the saver's window";
}

TEST_F(SaverE2e, WindowIdShowsTheFlameFollowsTheSizeAndEndsWithTheWindow) {
  TargetWindow target(server, 111, 77, 333, 211);
  QuorRun run(server, MakeWorkDir(true), {"--window-id=" + std::to_string(target.Id())});
  std::vector<Rgb> seen;
  ASSERT_TRUE(WaitForFlame(target, 333, 211, &seen)) << "no flame in the window";
  SavePicture(ScreenshotPath("saver_window_id"), 333, 211, seen);
  // No window of its own: the one window titled "Quor" sits in the target, filling it.
  ASSERT_TRUE(run.WaitForWindow(kDeadline));
  int x, y, w, h;
  run.Geometry(&x, &y, &w, &h);
  EXPECT_EQ(x, 111);
  EXPECT_EQ(y, 77);

  target.Resize(517, 263);
  EXPECT_TRUE(WaitForFlame(target, 517, 263, &seen)) << "the picture did not follow the size";
  SavePicture(ScreenshotPath("saver_window_id_resized"), 517, 263, seen);

  target.Destroy();
  double seconds = 0.0;
  EXPECT_EQ(run.WaitExit(kDeadline, &seconds), 0);
  std::printf("ended %.3f s after its window was destroyed\n", seconds);
}

TEST_F(SaverE2e, BadWindowIdsAreNamedAndEndWithTwo) {
  const struct {
    std::vector<std::string> args;
    const char* environment;
    const char* named;
  } cases[] = {
      {{"--window-id=0x1FFFFF0"}, nullptr, "0x1fffff0"},
      {{"--root"}, "0x1FFFFF0", "0x1fffff0"},
      {{"--root"}, "0x60000C junk", "'0x60000C junk'"},
      {{"--window-id=60000C"}, nullptr, "'60000C'"},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, std::string>> environment;
    if (c.environment != nullptr) environment.push_back({"XSCREENSAVER_WINDOW", c.environment});
    QuorRun run(server, MakeWorkDir(true), c.args, environment);
    run.AllowOutput(".*");
    EXPECT_EQ(run.WaitExit(kDeadline), 2) << c.args[0];
    EXPECT_NE(run.Output().find(c.named), std::string::npos) << run.Output();
  }
}

// The frame count once past more.
long WaitForFrames(QuorRun& run, long more) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kDeadline);
  long frames = run.FramesDrawn();
  while (frames >= 0 && frames <= more && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    frames = run.FramesDrawn();
  }
  return frames;
}

class QuitSignal : public SaverE2e, public ::testing::WithParamInterface<int> {};

TEST_P(QuitSignal, EndsAnEmbeddedRunWithZero) {
  TargetWindow target(server, 5, 9, 255, 171);
  QuorRun run(server, MakeWorkDir(true), {"--window-id=" + target.IdText()});
  std::vector<Rgb> seen;
  ASSERT_TRUE(WaitForFlame(target, 255, 171, &seen));
  ASSERT_TRUE(run.Signal(GetParam()));
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

TEST_P(QuitSignal, EndsAPausedViewerWithZeroAndNoFade) {
  QuorRun run(server, MakeWorkDir(true), {"-w"});
  ASSERT_TRUE(run.WaitForWindow(kDeadline));
  ASSERT_GT(WaitForFrames(run, 3), 3);
  run.Key("p");
  ASSERT_TRUE(run.Signal(GetParam()));
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

INSTANTIATE_TEST_SUITE_P(Signals, QuitSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return std::string(sigabbrev_np(info.param));
                         });

TEST(SaverOpenboxE2e, SigtermEndsAnIconifiedWindowThatSleeps) {
  XvfbServer server{1024, 768, true};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  if (!server.HasWindowManager()) GTEST_SKIP() << "openbox is not installed";
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow(kDeadline));
  ASSERT_GT(WaitForFrames(run, 3), 3);
  run.Iconify();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kDeadline);
  while (run.Mapped() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  ASSERT_FALSE(run.Mapped());
  ASSERT_TRUE(run.Signal(SIGTERM));
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

}  // namespace
