// Running the Windows build under Wine for the end-to-end tests (see wine.h).
#include "tests/support/wine.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#ifndef QUOR_WINDOWS_DIR
#define QUOR_WINDOWS_DIR ""
#endif

namespace {
bool Exists(const std::string& path) {
  struct stat s {};
  return stat(path.c_str(), &s) == 0;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs argv with the given extra environment, output to the files named; waits at most
// timeoutSeconds.
int Run(const std::vector<std::string>& argv, const std::string& outPath,
        const std::string& errPath, double timeoutSeconds,
        const std::vector<std::pair<std::string, std::string>>& env = {}) {
  std::vector<char*> words;
  for (const std::string& word : argv) words.push_back(const_cast<char*>(word.c_str()));
  words.push_back(nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    for (const auto& [name, value] : env) setenv(name.c_str(), value.c_str(), 1);
    const int in = open("/dev/null", O_RDONLY);
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(in, 0);
    dup2(out, 1);
    dup2(err, 2);
    execvp(words[0], words.data());
    _exit(127);
  }
  return WaitForChildExit(pid, timeoutSeconds);
}
}  // namespace

std::string WindowsBuildFile(const std::string& relative) {
  return std::string(QUOR_WINDOWS_DIR) + "/" + relative;
}

std::string PrepareWine(const XvfbServer& server) {
  if (Run({"sh", "-c", "command -v wine"}, "/dev/null", "/dev/null", 10) != 0)
    return "wine is not installed";
  if (!Exists(WindowsBuildFile("bin/quor.exe")))
    return "no " + WindowsBuildFile("bin/quor.exe") + ": scripts/build-windows has not run";
  const std::string prefix = WindowsBuildFile("wine-prefix");
  setenv("WINEPREFIX", prefix.c_str(), 1);
  setenv("WINEDEBUG", "-all", 1);
  setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);  // no Mono or Gecko prompts
  if (!Exists(prefix + "/system.reg")) {
    StopWineServer();
    // The first run makes the prefix, as scripts/build-windows --check would.
    Run({"wineboot", "-i"}, "/dev/null", "/dev/null", 300, {{"DISPLAY", server.Name()}});
    Run({"wineserver", "-w"}, "/dev/null", "/dev/null", 300);
    if (!Exists(prefix + "/system.reg")) return "wineboot made no Wine prefix in " + prefix;
  }
  StopWineServer();
  return "";
}

void StopWineServer() {
  Run({"wineserver", "-k"}, "/dev/null", "/dev/null", 60);
}

std::string WindowsPath(const std::string& linuxPath) {
  std::string path = "Z:" + linuxPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

CommandResult RunCommand(const std::vector<std::string>& argv, double timeoutSeconds) {
  const std::string dir = MakeWorkDir(false);
  CommandResult result;
  result.status = Run(argv, dir + "/out", dir + "/err", timeoutSeconds);
  result.out = ReadAll(dir + "/out");
  result.err = ReadAll(dir + "/err");
  return result;
}
