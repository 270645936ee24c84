// The window as a desktop user meets it under a window manager (openbox): leaving full screen,
// and resting while iconified. The bare-server case of leaving full screen is in
// shell_e2e_test.cpp.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;

class OpenboxE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
    if (!server.HasWindowManager()) GTEST_SKIP() << "openbox is not installed";
  }
  XvfbServer server{kWidth, kHeight, true};
};

TEST_F(OpenboxE2e, LeavingFullScreenGivesA512By512WindowAndFReturns) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow(60.0));
  ASSERT_TRUE(run.WaitForSize(kWidth, kHeight, 30.0));
  run.Key("f");
  EXPECT_TRUE(run.WaitForSize(512, 512, 30.0));
  run.Key("f");
  EXPECT_TRUE(run.WaitForSize(kWidth, kHeight, 30.0));
  run.Key("Escape");
  EXPECT_EQ(run.WaitExit(60.0), 0);
}

bool WaitFor(bool (*condition)(QuorRun&), QuorRun& run, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition(run)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

// The frame count once it has passed more, or the last count seen when the deadline came.
long WaitForFramesPast(QuorRun& run, long more, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  long frames = run.FramesDrawn();
  while (frames >= 0 && frames <= more && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    frames = run.FramesDrawn();
  }
  return frames;
}

TEST_F(OpenboxE2e, IconifiedWindowRestsAndAnimatesAgainWhenShown) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow(60.0));
  ASSERT_GT(WaitForFramesPast(run, 5, 60.0), 5);

  run.Iconify();
  ASSERT_TRUE(WaitFor([](QuorRun& r) { return !r.Mapped(); }, run, 30.0));
  // A frame already under way when the window went may still finish.
  const long hidden = run.FramesDrawn();
  const double cpuBefore = run.CpuSeconds();
  std::this_thread::sleep_for(std::chrono::seconds(3));  // the span measured, not a wait
  const double cpu = run.CpuSeconds() - cpuBefore;
  EXPECT_LT(cpu, 0.05 * 3.0) << "an iconified window must not keep drawing";
  EXPECT_LE(run.FramesDrawn(), hidden + 1);

  run.Activate();
  ASSERT_TRUE(WaitFor([](QuorRun& r) { return r.Mapped(); }, run, 30.0));
  EXPECT_GT(WaitForFramesPast(run, hidden + 5, 60.0), hidden + 5)
      << "frames do not resume once the window is shown again";
  run.Key("Escape");
  EXPECT_EQ(run.WaitExit(60.0), 0);
}

}  // namespace
