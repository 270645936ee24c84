// What the tests of the Windows programs share: the fixture that runs quor.exe and quor.scr
// under Wine on an X server of its own, and the comparison of their texts with the Linux
// program's.
#pragma once

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/monitors.h"
#include "tests/support/picture.h"
#include "tests/support/wine.h"
#include "tests/support/x_app.h"

namespace wine_tests {
inline constexpr int kScreenWidthPixels = 640, kScreenHeightPixels = 480;
inline constexpr int kFlamePixels = 100;  // bright pixels that show the flame has grown

// Lines that speak of the window system: the X11 program's say X (its display, window ids,
// Xft.dpi, freeglut's X options), and the Windows program words them for Windows.
inline const std::regex kWindowSystemLine(
    ".*(\\bX\\b|X11|Xft|XSCREENSAVER|root window|DISPLAY|-display|-geometry|be opened|"
    "desktop's|--window-id=ID).*");

inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::string line;
  std::istringstream in(text);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // Windows' line ends
    lines.push_back(line);
  }
  return lines;
}

// Every line of the Linux program's text that does not speak of the window system appears in
// the Windows program's, in the same order; the Windows program may add its own words.
inline ::testing::AssertionResult SaysWhatLinuxSays(const std::string& windows,
                                                    const std::string& linux) {
  const std::vector<std::string> have = Lines(windows);
  size_t next = 0;
  for (const std::string& line : Lines(linux)) {
    if (std::regex_match(line, kWindowSystemLine)) continue;
    while (next < have.size() && have[next] != line) ++next;
    if (next == have.size())
      return ::testing::AssertionFailure() << "missing or out of order: \"" << line << "\"\nin:\n"
                                           << windows;
    ++next;
  }
  return ::testing::AssertionSuccess();
}

class WindowsProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Ok());
    const std::string reason = PrepareWine(server);
    if (!reason.empty()) GTEST_SKIP() << reason;
  }
  void TearDown() override {
    SetProgramCommand({QUOR_BINARY});
    StopWineServer();
  }
  static void Use(const std::string& program) {
    SetProgramCommand({"wine", WindowsBuildFile("bin/" + program)});
  }
  // Wine's own line when the X server goes away first is not the program's.
  static void AllowWineLines(QuorRun& run) { run.AllowOutput("X connection to .* broken.*"); }

  XvfbServer server{kScreenWidthPixels, kScreenHeightPixels};
};

}  // namespace wine_tests
