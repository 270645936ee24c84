// Running the Windows build (scripts/build-windows) under Wine for the end-to-end tests: where its
// programs are, the Wine prefix they share, and plain command runs whose output is compared.
#pragma once

#include <string>
#include <vector>

#include "tests/support/x_app.h"

// The path of a file in the Windows build's output folder (QUOR_WINDOWS_DIR), such as
// "bin/quor.exe".
std::string WindowsBuildFile(const std::string& relative);

// Empty when quor.exe can be run under Wine: wine is installed, the build is there, and the
// environment names the Wine prefix in the output folder (made on the given server when it is
// missing). Else why not, for GTEST_SKIP.
std::string PrepareWine(const XvfbServer& server);

// Ends the wineserver of the prefix: one left from an earlier X server would put the next
// program's windows on that server's screen.
void StopWineServer();

// Windows' name for a Linux path, as a Windows program takes it: Z:\tmp\x for /tmp/x.
std::string WindowsPath(const std::string& linuxPath);

// One run of a command to its end, without an X server, its two outputs kept apart.
struct CommandResult {
  int status = -1;  // the exit code; -1 when it did not end normally within the time-out
  std::string out, err;
};
CommandResult RunCommand(const std::vector<std::string>& argv, double timeoutSeconds = 60.0);
