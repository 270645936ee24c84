// The command line as a user meets it: exit statuses before any window opens, runs on the
// fixed clock that repeat to the byte, and the settings' options, which must give the very
// frames that the keys give.
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
  for (const auto& [option, message] :
       {std::pair<std::string, std::string>{"--bogus", "unrecognized option '--bogus'"},
        {"--clouds=1", "option '--clouds' doesn't allow an argument"},
        {"--fov=179", "--fov takes an even number of degrees from 10 to 178, not '179'"}}) {
    QuorRun run(server, dir, {option});
    run.AllowOutput(".*");  // the usage
    EXPECT_EQ(run.WaitExit(60.0), 2) << option;
    EXPECT_EQ(run.Output().rfind("quor: " + message + "\n", 0), 0u) << run.Output();
    EXPECT_FALSE(run.WaitForWindow(0.2)) << option;
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
  // %% is a percent sign in a single file's name too, as in a per-frame pattern; a key after
  // the last frame is named and the run goes on.
  second.push_back("--capture=" + dir + "/b%%.png");
  second.push_back("--keys=91:u");
  ASSERT_EQ(RunToEnd(server, dir, first), 0);
  ASSERT_EQ(RunToEnd(server, dir, second, 120.0,
                     {"quor: warning: the key of --keys at frame 91 comes after the last frame "
                      "\\(--frames=90\\) and is never pressed"}),
            0);
  const std::string a = Contents(dir + "/a.png");
  EXPECT_GT(a.size(), 1000u);
  EXPECT_TRUE(a == Contents(dir + "/b%.png"));
}

// Each setting's option must leave the program where its key would: the same frame to the
// byte, once the keys' messages and the start-up hint have gone (3 s, frame 91 at 33 ms).
std::string Capture(XvfbServer& server, const std::string& dir, std::vector<std::string> args,
                    const std::string& name) {
  args.insert(args.begin(), "--step=33");
  args.push_back("--capture=" + dir + "/" + name + ".png");
  EXPECT_EQ(RunToEnd(server, dir, args), 0) << name;
  return Contents(dir + "/" + name + ".png");
}

struct OptionsAndKeys {
  std::vector<std::string> options;
  std::string keys;
};

TEST_F(CommandLineE2e, TheSettingsOptionsGiveTheFramesTheirKeysGive) {
  const std::string dir = MakeWorkDir(true);
  // Every setting once. Each of the first group changes this flame's picture on its own; the
  // rotate speed shows in the turning stars; the polygon mode makes the clouds vanish. The
  // movement and light-rotate speeds, the tessellation and the texture flag change nothing
  // that is drawn here, but a wrong value in any still changes the later settings' frames.
  const OptionsAndKeys cases[] = {
      {{"--letterbox=2", "--particles=20", "--main-speed=1.111111", "--camera-z=0.1",
        "--object-size=1.111111", "--emission=1.111111", "--fov=124", "--spotlights"},
       "--keys=1:l 1:l 1:2 1:Right 1:} 1:] 1:Up 1:, 1:, 1:s"},
      {{"--clouds", "-u", "--rotate-speed=1.111111", "--movement-speed=0.9",
        "--light-rotate-speed=0.9", "--tessellation=31", "--no-textures"},
       "--keys=1:= 1:_ 1:( 1:> 1:t"},
      {{"--clouds", "-u", "--polygon-mode=points"}, "--keys=1:w 1:w"},
  };
  std::vector<std::string> all;
  int n = 0;
  for (const OptionsAndKeys& c : cases) {
    std::vector<std::string> byOptions = c.options, byKeys;
    for (const std::string& o : c.options)
      if (o.rfind("--", 0) != 0 || o == "--clouds") byKeys.push_back(o);  // -u, --clouds
    byKeys.push_back(c.keys);
    byOptions.push_back("--frames=100");
    byKeys.push_back("--frames=100");
    const std::string name = std::to_string(++n);
    const std::string a = Capture(server, dir, byOptions, "options_" + name);
    EXPECT_GT(a.size(), 1000u);
    EXPECT_TRUE(a == Capture(server, dir, byKeys, "keys_" + name)) << c.keys << ": see " << dir;
    all.insert(all.end(), c.options.begin(), c.options.end());
  }

  // r brings back every default but the particle limit, which it keeps, as after the key.
  all.push_back("--frames=100");
  all.push_back("--keys=1:r");
  EXPECT_TRUE(Capture(server, dir, all, "options_reset") ==
              Capture(server, dir, {"--frames=100", "--keys=1:2 1:r"}, "keys_reset"))
      << "see " << dir;

  // Hyperspace keeps every frame on screen, the start-up hint's too, so it is compared from
  // the first frame on.
  EXPECT_TRUE(Capture(server, dir, {"--hyperspace", "--frames=30"}, "hyperspace_option") ==
              Capture(server, dir, {"--keys=1:Space", "--frames=30"}, "hyperspace_key"));
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
