// Quor as a screen-saver hack on a bare Xvfb server: drawing in a window the test makes, as a
// saver or a settings dialog hands one over (--root with $XSCREENSAVER_WINDOW, --window-id),
// following its size and ending with it; and the orderly end on SIGTERM, SIGINT and SIGHUP.
#include <gtest/gtest.h>
#include <signal.h>

#include <chrono>
#include <cmath>
#include <string>
#include <thread>

#include "tests/support/picture.h"
#include "tests/support/target_window.h"
#include "tests/support/x_app.h"

namespace {

constexpr double kDeadline = 60.0;  // ends only a wait that would never finish

// Polls until the condition holds; false at the deadline.
template <typename Condition>
bool WaitUntil(Condition done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(kDeadline);
  while (!done()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

// Waits until the target window and Quor's window in it have the given size and the target shows
// the flame, centred; saves that picture as the named screenshot.
bool WaitForFlame(const TargetWindow& target, int width, int height, const char* name) {
  return WaitUntil([&] {
    int w = 0, h = 0, childW = 0, childH = 0;
    const std::vector<Rgb> seen = target.Read(&w, &h);
    double sum = 0.0;
    long bright = 0;
    for (size_t i = 0; i < seen.size(); ++i) {
      if (IsBright(seen[i])) {
        sum += static_cast<double>(i % w);
        ++bright;
      }
    }
    const bool shown = w == width && h == height && target.ChildSize(&childW, &childH) &&
                       childW == width && childH == height && bright > 200 &&
                       std::abs(sum / bright - width / 2.0) < width / 10.0;
    if (shown) SavePicture(ScreenshotPath(name), w, h, seen);
    return shown;
  });
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
    // At full resolution: the saver's automatic scale follows the machine's speed.
    QuorRun run(server, dir,
                {"--root", "--render-scale=1", "--step=33", "--frames=90",
                 "--capture=" + dir + "/saver.png"},
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
  ASSERT_TRUE(WaitForFlame(target, 333, 211, "saver_window_id")) << "no flame in the window";
  target.Resize(517, 263);
  EXPECT_TRUE(WaitForFlame(target, 517, 263, "saver_window_id_resized"))
      << "the picture did not follow the size";
  target.Destroy();
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

TEST_F(SaverE2e, BadWindowIdsAreNamedAndEndWithTwo) {
  const struct {
    const char* argument;
    const char* environment;
    const char* named;
  } cases[] = {
      {"--window-id=0x1FFFFF0", nullptr, "0x1fffff0"},
      {"--root", "0x60000C junk", "'0x60000C junk'"},
      {"--window-id=60000C", nullptr, "'60000C'"},
  };
  for (const auto& c : cases) {
    std::vector<std::pair<std::string, std::string>> environment;
    if (c.environment != nullptr) environment.push_back({"XSCREENSAVER_WINDOW", c.environment});
    QuorRun run(server, MakeWorkDir(true), {c.argument}, environment);
    run.AllowOutput(".*");
    EXPECT_EQ(run.WaitExit(kDeadline), 2) << c.argument;
    EXPECT_NE(run.Output().find(c.named), std::string::npos) << run.Output();
  }
}

class QuitSignal : public SaverE2e, public ::testing::WithParamInterface<int> {};

// A saver's run (--root into $XSCREENSAVER_WINDOW, drawn at its odd size) and a paused viewer.
TEST_P(QuitSignal, EndsASaversRunAndAPausedViewerWithZero) {
  TargetWindow target(server, 37, 53, 301, 187);
  QuorRun embedded(server, MakeWorkDir(true), {"--root"},
                   {{"XSCREENSAVER_WINDOW", target.IdText()}});
  ASSERT_TRUE(WaitForFlame(target, 301, 187, "saver_root"));
  ASSERT_TRUE(embedded.Signal(GetParam()));
  EXPECT_EQ(embedded.WaitExit(kDeadline), 0);

  QuorRun viewer(server, MakeWorkDir(true), {"-w"});
  ASSERT_TRUE(viewer.WaitForWindow(kDeadline));
  ASSERT_TRUE(WaitUntil([&] { return viewer.FramesDrawn() > 3; }));
  viewer.Key("p");
  ASSERT_TRUE(viewer.Signal(GetParam()));
  EXPECT_EQ(viewer.WaitExit(kDeadline), 0);
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
  ASSERT_TRUE(WaitUntil([&] { return run.FramesDrawn() > 3; }));
  run.Iconify();
  ASSERT_TRUE(WaitUntil([&] { return !run.Mapped(); }));
  ASSERT_TRUE(run.Signal(SIGTERM));
  EXPECT_EQ(run.WaitExit(kDeadline), 0);
}

}  // namespace
