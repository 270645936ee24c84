// The command line as a user meets it: exit statuses before any window opens, and runs on the
// fixed clock that repeat to the byte.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/x_app.h"

namespace {

std::string Contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class CommandLineE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }
  XvfbServer server{320, 240};
};

TEST_F(CommandLineE2e, BadOptionExitsWithTwoAndUnwritableCaptureWithOneBeforeAnyWindow) {
  const std::string dir = MakeWorkDir(false);
  {
    QuorRun run(server, dir, {"--bogus"});
    run.AllowOutput("quor: unknown option '--bogus'|Usage: quor .*|.*");
    EXPECT_EQ(run.WaitExit(60.0), 2);
    EXPECT_EQ(run.Output().rfind("quor: unknown option '--bogus'\n", 0), 0u) << run.Output();
  }
  // A folder cannot be made under a file, not even by root.
  QuorRun run(server, dir, {"--capture=/dev/null/x.png", "--frames=5"});
  run.AllowOutput("quor: cannot write the capture file /dev/null/x\\.png");
  EXPECT_EQ(run.WaitExit(60.0), 1);
  EXPECT_FALSE(run.WaitForWindow(0.5)) << "no window may open for a run that cannot be saved";
}

TEST_F(CommandLineE2e, TheSameFixedClockRunGivesTheSameFileToTheByte) {
  const std::string dir = MakeWorkDir(true);
  const std::vector<std::string> run = {"--step=33", "--frames=90", "-u"};
  std::vector<std::string> first = run, second = run;
  first.push_back("--capture=" + dir + "/a.png");
  second.push_back("--capture=" + dir + "/b.png");
  ASSERT_EQ(RunToEnd(server, dir, first), 0);
  ASSERT_EQ(RunToEnd(server, dir, second), 0);
  const std::string a = Contents(dir + "/a.png");
  EXPECT_GT(a.size(), 1000u);
  EXPECT_TRUE(a == Contents(dir + "/b.png"));
}

// The README's own example: the folders of a capture path are made when they are missing.
TEST_F(CommandLineE2e, CaptureMakesTheFoldersItNeeds) {
  const std::string dir = MakeWorkDir(true);
  ASSERT_EQ(RunToEnd(server, dir, {"--step=33", "--frames=3", "--capture=shots/new/%04d.png"}), 0);
  for (const char* name : {"0001", "0002", "0003"})
    EXPECT_GT(Contents(dir + "/shots/new/" + name + ".png").size(), 100u) << name;
}

// Every way out ends with status 1 when the last frame cannot be saved: /dev/full takes the
// check at start-up and fails the write at the end.
enum class Road { kFrames, kFade, kWindowClose };

class CaptureAtExitE2e : public CommandLineE2e, public ::testing::WithParamInterface<Road> {};

TEST_P(CaptureAtExitE2e, AFailedSaveEndsWithOne) {
  std::vector<std::string> args = {"--capture=/dev/full"};
  if (GetParam() == Road::kFrames) args.insert(args.end(), {"--step=33", "--frames=3"});
  // Escape at 1.3 s on the fixed clock: the fade ends about 2.7 s of that clock later.
  if (GetParam() == Road::kFade) args.insert(args.end(), {"--step=33", "--keys=40:Escape"});
  QuorRun run(server, MakeWorkDir(true), args);
  run.AllowOutput("quor: cannot write the capture file /dev/full");
  if (GetParam() == Road::kWindowClose) {
    ASSERT_TRUE(run.WaitForWindow(60.0));
    // Once a frame is held: the first may take a while on a busy machine.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (run.FramesDrawn() == 0 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_GT(run.FramesDrawn(), 0);
    run.CloseWindow();
  }
  EXPECT_EQ(run.WaitExit(120.0), 1);
  const std::string out = run.Output(), line = "quor: cannot write the capture file /dev/full\n";
  EXPECT_NE(out.find(line), std::string::npos) << out;
  EXPECT_EQ(out.find(line), out.rfind(line)) << "said once: " << out;
}

std::string RoadName(const ::testing::TestParamInfo<Road>& info) {
  const char* const names[] = {"Frames", "Fade", "WindowClose"};
  return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(EveryRoad, CaptureAtExitE2e,
                         ::testing::Values(Road::kFrames, Road::kFade, Road::kWindowClose),
                         RoadName);

// Without a usable X display the status is 1; with none at all Quor says first what to do.
TEST_F(CommandLineE2e, NoDisplayOrABadGeometryEndsWithOne) {
  const std::string dir = MakeWorkDir(true);
  {
    QuorRun run(server, dir, {"--frames=2"}, {{"DISPLAY", ""}});
    run.AllowOutput("quor: no X display .*|freeglut .*: failed to open display ''");
    EXPECT_EQ(run.WaitExit(60.0), 1);
    EXPECT_EQ(run.Output().rfind("quor: no X display (DISPLAY is not set): run it on an X desktop, "
                                 "give -display NAME, or start it under xvfb-run\n",
                                 0),
              0u)
        << run.Output();
  }
  // A size of 0 x 0: X refuses the window (a -geometry freeglut cannot parse leaves its size
  // to chance).
  QuorRun run(server, dir, {"-geometry", "0x0", "--frames=2"});
  run.AllowOutput("X Error .*|  .*");
  EXPECT_EQ(run.WaitExit(60.0), 1);
  EXPECT_EQ(run.Output().find("quor: no X display"), std::string::npos);
}

}  // namespace
