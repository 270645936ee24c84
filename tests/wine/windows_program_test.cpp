// quor.exe cross-built for Windows, run under Wine as a user runs it: the GNU command line as on
// Linux, in a console and started as Explorer starts it, and a lone program that carries its
// images.
#include "tests/wine/windows_program.h"

namespace {
using namespace wine_tests;

// --- The command line ------------------------------------------------------------------------

TEST_F(WindowsProgram, CommandLineGivesTheLinuxTextsAndStatuses) {
  const std::vector<std::vector<std::string>> cases = {
      {"--help"}, {"--version"}, {"--bogus"}, {"--step=fast"}, {"--frames"}, {"extra"},
  };
  for (const std::vector<std::string>& args : cases) {
    SCOPED_TRACE(args[0]);
    std::vector<std::string> linux{QUOR_BINARY}, windows{"wine", WindowsBuildFile("bin/quor.exe")};
    linux.insert(linux.end(), args.begin(), args.end());
    windows.insert(windows.end(), args.begin(), args.end());
    const CommandResult expected = RunCommand(linux);
    const CommandResult actual = RunCommand(windows);
    EXPECT_EQ(actual.status, expected.status);
    EXPECT_TRUE(SaysWhatLinuxSays(actual.out, expected.out));
    EXPECT_TRUE(SaysWhatLinuxSays(actual.err, expected.err));
    EXPECT_EQ(actual.out.empty(), expected.out.empty());
    EXPECT_EQ(actual.err.empty(), expected.err.empty());
    EXPECT_FALSE(expected.out.empty() && expected.err.empty());
  }
}

// A console program: cmd waits for it, and its answer comes before cmd's next command.
TEST_F(WindowsProgram, ConsoleReadsTheAnswerBeforeItsNextCommand) {
  const CommandResult r =
      RunCommand({"env", "DISPLAY=" + server.Name(), "wine", "cmd", "/c",
                  WindowsPath(WindowsBuildFile("bin/quor.exe")) + " --version & echo next"});
  EXPECT_EQ(r.status, 0) << r.err;
  const std::string version = RunCommand({QUOR_BINARY, "--version"}).out;
  EXPECT_EQ(Lines(r.out), (std::vector<std::string>{Lines(version).at(0), "next"})) << r.out;
}

// Started as Explorer starts it, in a console of its own that it lets go: what stops quor.exe
// is said in a message box, with its exit status; what succeeds shows none, and the saver's
// /s and /p stay silent whatever happens.
TEST_F(WindowsProgram, StartedFromExplorerAFailureIsSaidInAMessageBox) {
  struct Case {
    std::string program, arguments, box;
    int status;
  };
  const std::string missing = WindowsPath("/nonexistent/quor-test/frame.png");
  const std::vector<Case> cases = {
      {"quor.exe", "--frobnicate",
       "quor: unrecognized option '--frobnicate'||quor --help in a command prompt lists the "
       "options.",
       2},
      {"quor.exe", "--capture=" + missing + " --frames=1",
       "quor: cannot write the capture file " + missing, 1},
      {"quor.exe", "--version", "", 0},
      {"quor.scr", "/p 1", "", 2},  // not a window
  };
  const std::string host = WindowsBuildFile("quor/tests/quor_test_host.exe");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.program + " " + c.arguments);
    const std::string command =
        WindowsPath(WindowsBuildFile("bin/" + c.program)) + " " + c.arguments;
    const CommandResult r =
        RunCommand({"env", "DISPLAY=" + server.Name(), "wine", host, "--start", command}, 120);
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> expected{"exit: " + std::to_string(c.status)};
    if (!c.box.empty()) expected.insert(expected.begin(), "box: " + c.box);
    EXPECT_EQ(Lines(r.out), expected);
  }
}

// --- The images inside the program ----------------------------------------------------------

TEST_F(WindowsProgram, AProgramAloneDrawsTheFrameItDrawsBesideItsAssets) {
  // The built program beside assets/, and a copy alone in a folder of its own; both start in a
  // folder without images, so the copy has only the images it carries. The help page shows the
  // font, the flame the particle texture.
  const std::string alone = MakeWorkDir(false);
  std::filesystem::copy_file(WindowsBuildFile("bin/quor.exe"), alone + "/quor.exe");
  std::vector<Picture> frames;
  for (const std::string& program : {WindowsBuildFile("bin/quor.exe"), alone + "/quor.exe"}) {
    SetProgramCommand({"wine", program});
    const std::string work = MakeWorkDir(false);
    ASSERT_EQ(RunToEnd(server, work,
                       {"-w", "--step=33", "--frames=40", "--keys=20:?",
                        "--capture=" + WindowsPath(work) + "\\frame.png"},
                       120.0, {"X connection to .* broken.*"}),
              0)
        << program;
    frames.emplace_back();
    ASSERT_TRUE(ReadPng(work + "/frame.png", &frames.back())) << program;
  }
  const PictureDifference d = ComparePictures(frames[0], frames[1]);
  EXPECT_TRUE(d.sameSize);
  EXPECT_EQ(d.largest, 0) << "the lone program drew another frame";
  EXPECT_GT(CountPixels(frames[1].pixels, frames[1].width, {0, 0, frames[1].width, 60}, IsBright),
            50)
      << "no help page";
}

}  // namespace
