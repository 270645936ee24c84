// The real program on an X server of its own: its window, and the three ways it ends.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/x_app.h"

namespace {

void Wait(double seconds) { std::this_thread::sleep_for(std::chrono::duration<double>(seconds)); }

class ShellE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }
  XvfbServer server{1024, 768};
};

TEST_F(ShellE2e, WindowIsTitledQuorAndCoversTheScreen) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow());
  EXPECT_EQ(run.Title(), "Quor");
  EXPECT_TRUE(run.WaitForSize(1024, 768));
  int x, y, w, h;
  run.Geometry(&x, &y, &w, &h);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  const std::vector<Rgb> shot = run.Screenshot();
  SavePicture(ScreenshotPath("startup"), 1024, 768, shot);
  EXPECT_TRUE(run.Running());
}

TEST_F(ShellE2e, EscapeFadesOutAndExitsWithZeroWithinThreeSeconds) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow());
  Wait(1.5);  // past the first second of the clock
  ASSERT_TRUE(run.Running());
  run.Key("Escape");
  double seconds = 0.0;
  EXPECT_EQ(run.WaitExit(15.0, &seconds), 0);
  // The fade starts at the whole second before the press and lasts three seconds.
  EXPECT_GT(seconds, 1.7);
  EXPECT_LT(seconds, 3.6);
}

TEST_F(ShellE2e, ClosingTheWindowEndsWithZero) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow());
  Wait(0.5);
  run.CloseWindow();
  EXPECT_EQ(run.WaitExit(15.0), 0);
}

TEST_F(ShellE2e, RunsAndExitsWithoutEitherImageFile) {
  QuorRun run(server, MakeWorkDir(false));
  ASSERT_TRUE(run.WaitForWindow());
  Wait(2.0);
  ASSERT_TRUE(run.Running());
  run.Key("Escape");
  EXPECT_EQ(run.WaitExit(15.0), 0);
}

}  // namespace
