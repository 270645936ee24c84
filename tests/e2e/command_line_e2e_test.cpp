// The command line as a user meets it: exit statuses before any window opens, runs on the
// fixed clock that repeat to the byte, and the settings' options, which must give the very
// frames that the keys give.
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/picture.h"
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
  // As in the README, the folders of a capture path are made when they are missing.
  first.push_back("--capture=shots/new/a.png");
  // %% is a percent sign in a single file's name too, as in a per-frame pattern; a key after
  // the last frame is named and the run goes on.
  second.push_back("--capture=" + dir + "/b%%.png");
  second.push_back("--keys=91:u");
  ASSERT_EQ(RunToEnd(server, dir, first), 0);
  ASSERT_EQ(RunToEnd(server, dir, second, 120.0,
                     {"quor: warning: the key of --keys at frame 91 comes after the last frame "
                      "\\(--frames=90\\) and is never pressed"}),
            0);
  const std::string a = Contents(dir + "/shots/new/a.png");
  EXPECT_GT(a.size(), 1000u);
  EXPECT_TRUE(a == Contents(dir + "/b%.png"));
}

// Each setting's option must leave the program where its key would: the same frame to the
// byte, once the keys' messages and the start-up hint have gone (3 s, frame 91 at 33 ms).
TEST_F(CommandLineE2e, TheSettingsOptionsGiveTheFramesTheirKeysGive) {
  const std::string dir = MakeWorkDir(true);
  // Every setting once; r brings back every default but the particle limit, as after the key;
  // hyperspace keeps every frame, the start-up hint's too, so it is compared from the first.
  // Key names are taken in any letter case.
  struct OptionsAndKeys {
    std::vector<std::string> options, keys;
  };
  const OptionsAndKeys cases[] = {
      {{"--letterbox=2", "--particles=20", "--main-speed=1.111111", "--camera-z=0.1",
        "--object-size=1.111111", "--emission=1.111111", "--fov=124", "--spotlights"},
       {"--keys=1:l 1:l 1:2 1:right 1:} 1:] 1:UP 1:, 1:, 1:s"}},
      {{"--clouds", "-u", "--rotate-speed=1.111111", "--movement-speed=0.9",
        "--light-rotate-speed=0.9", "--tessellation=31", "--no-textures", "--polygon-mode=points"},
       {"--clouds", "-u", "--keys=1:= 1:_ 1:( 1:> 1:t 1:w 1:w"}},
      {{"--letterbox=2", "--particles=20", "--fov=124", "--keys=1:r"}, {"--keys=1:2 1:r"}},
      {{"--hyperspace", "--frames=30"}, {"--keys=1:space", "--frames=30"}},
  };
  int n = 0;
  for (auto c : cases) {
    const std::string name = dir + "/" + std::to_string(++n);
    for (auto* args : {&c.options, &c.keys})
      args->insert(args->begin(), {"--step=33", "--frames=100"});  // a later --frames wins
    c.options.push_back("--capture=" + name + "o.png");
    c.keys.push_back("--capture=" + name + "k.png");
    ASSERT_EQ(RunToEnd(server, dir, c.options), 0);
    ASSERT_EQ(RunToEnd(server, dir, c.keys), 0);
    const std::string a = Contents(name + "o.png");
    EXPECT_GT(a.size(), 1000u);
    EXPECT_TRUE(a == Contents(name + "k.png")) << "see " << name << "[ok].png";
  }
}

// Every way out ends with status 1 when the last frame cannot be saved: /dev/full takes the
// check at start-up and fails the write at the end. The last frame; Escape at 1.3 s on the
// fixed clock, its fade ending about 2.7 s later; the window closed.
TEST_F(CommandLineE2e, EveryWayOutEndsWithOneWhenTheLastFrameCannotBeSaved) {
  for (std::vector<std::string> args : {std::vector<std::string>{"--step=33", "--frames=3"},
                                        {"--step=33", "--keys=40:Escape"},
                                        {}}) {
    const bool close = args.empty();
    args.push_back("--capture=/dev/full");
    QuorRun run(server, MakeWorkDir(true), args);
    run.AllowOutput("quor: cannot write the capture file /dev/full");
    if (close) {
      ASSERT_TRUE(run.WaitForWindow(60.0));
      // Once a frame is held: the first may take a while on a busy machine.
      WaitUntil([&] { return run.FramesDrawn() != 0; });
      ASSERT_GT(run.FramesDrawn(), 0);
      run.CloseWindow();
    }
    EXPECT_EQ(run.WaitExit(120.0), 1) << args[0];
    const std::string out = run.Output(), line = "quor: cannot write the capture file /dev/full\n";
    EXPECT_NE(out.find(line), std::string::npos) << out;
    EXPECT_EQ(out.find(line), out.rfind(line)) << "said once: " << out;
  }
}

// A frame number in a folder's name makes a folder for every frame. A frame that cannot be
// saved (its folder's name is taken by a file, which stops root too) is named, the frames
// around it are still saved, and every way out ends with 1: the last frame, Escape's fade,
// the window closed, SIGTERM.
TEST_F(CommandLineE2e, EveryFrameGetsItsFoldersAndALostFrameEndsEveryWayOutWithOne) {
  const std::vector<std::string> common = {"--step=33", "-w", "-geometry", "64x48+0+0"};
  const std::string made = MakeWorkDir(true);
  std::vector<std::string> args = common;
  args.insert(args.end(), {"--frames=3", "--capture=" + made + "/run%d/f.png"});
  ASSERT_EQ(RunToEnd(server, made, args), 0);
  for (const int n : {1, 2, 3}) {
    Picture frame;
    EXPECT_TRUE(ReadPng(made + "/run" + std::to_string(n) + "/f.png", &frame)) << n;
    EXPECT_EQ(frame.width, 64) << n;
  }

  enum class WayOut { kLastFrame, kEscape, kClose, kTerm };
  for (const WayOut way : {WayOut::kLastFrame, WayOut::kEscape, WayOut::kClose, WayOut::kTerm}) {
    const std::string dir = MakeWorkDir(true);
    std::ofstream(dir + "/run2") << "a file where the folder would go\n";
    args = common;
    args.push_back("--capture=" + dir + "/run%d/f.png");
    if (way == WayOut::kLastFrame) args.push_back("--frames=3");
    if (way == WayOut::kEscape) args.push_back("--keys=40:Escape");
    if (way == WayOut::kClose || way == WayOut::kTerm) args.push_back("--max-fps=20");
    QuorRun run(server, dir, args);
    const std::string lost = "quor: cannot write the capture file " + dir + "/run2/f.png";
    run.AllowOutput(lost);
    const std::string name = std::to_string(static_cast<int>(way));
    if (way == WayOut::kClose || way == WayOut::kTerm) {
      ASSERT_TRUE(run.WaitForWindow(60.0)) << name;
      WaitUntil([&] { return run.FramesDrawn() >= 3; });
      ASSERT_GE(run.FramesDrawn(), 3) << name;
      if (way == WayOut::kClose) run.CloseWindow();
      if (way == WayOut::kTerm) run.Signal(SIGTERM);
    }
    EXPECT_EQ(run.WaitExit(120.0), 1) << name;
    EXPECT_NE(run.Output().find(lost + "\n"), std::string::npos) << name << ": " << run.Output();
    Picture frame;
    EXPECT_TRUE(ReadPng(dir + "/run1/f.png", &frame)) << name;
    EXPECT_TRUE(ReadPng(dir + "/run3/f.png", &frame)) << name;
  }
}

// With no X display at all the status is 1, and Quor says first what to do.
TEST_F(CommandLineE2e, NoDisplayEndsWithOne) {
  QuorRun run(server, MakeWorkDir(true), {"--frames=2"}, {{"DISPLAY", ""}});
  run.AllowOutput("quor: no X display .*|freeglut .*: failed to open display ''");
  EXPECT_EQ(run.WaitExit(60.0), 1);
  EXPECT_EQ(run.Output().rfind("quor: no X display (DISPLAY is not set): run it on an X desktop, "
                               "give -display NAME, or start it under xvfb-run\n",
                               0),
            0u)
      << run.Output();
}

}  // namespace
