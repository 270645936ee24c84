// The command line as a user meets it: exit statuses before any window opens, and runs on the
// fixed clock that repeat to the byte.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
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
  QuorRun run(server, dir, {"--capture=/nonexistent/x.png", "--frames=5"});
  run.AllowOutput("quor: cannot write the capture file /nonexistent/x\\.png");
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

}  // namespace
