// The search for the program's data files. It runs once per file at start-up, so it builds its
// list of folders with std::string; only the result goes into the caller's buffer.
#include "image/data_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

// The folder part of a path, without its trailing separator; "/" stays "/".
std::string Parent(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string WithoutTrailingSlashes(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

// The source assets serve only the program in the folder it was built in: an installed or copied
// program must not depend on (or be confused by) the tree it was once built from.
bool IsBuildFolder(const std::string& dir) {
#if defined(QUOR_SOURCE_ASSETS_DIR) && defined(QUOR_BUILD_PROGRAM_DIR)
  char real[PATH_MAX];
  return realpath(QUOR_BUILD_PROGRAM_DIR, real) != nullptr && dir == real;
#else
  (void)dir;
  return false;
#endif
}

std::vector<std::string> SearchDirs(const char* exePath) {
  std::vector<std::string> dirs{"."};
  const char* env = std::getenv("QUOR_DATA_DIR");
  if (env != nullptr && env[0] != '\0') dirs.push_back(WithoutTrailingSlashes(env));
  if (exePath != nullptr && exePath[0] == '/') {
    const std::string exeDir = Parent(exePath);
    const std::string prefix = Parent(exeDir);
    dirs.push_back((prefix == "/" ? "" : prefix) + "/share/quor");
#ifdef QUOR_SOURCE_ASSETS_DIR
    if (IsBuildFolder(exeDir)) dirs.push_back(QUOR_SOURCE_ASSETS_DIR);
#endif
  }
  return dirs;
}

bool IsPresent(const char* path) {
  struct stat info;
  return stat(path, &info) == 0 && !S_ISDIR(info.st_mode);
}

}  // namespace

bool FindDataFileFor(const char* exePath, const char* name, char* out, std::size_t outSize,
                     std::FILE* report) {
  const std::vector<std::string> dirs = SearchDirs(exePath);
  std::string places;
  for (const std::string& dir : dirs) {
    const int length = std::snprintf(out, outSize, "%s/%s", dir.c_str(), name);
    if (length > 0 && static_cast<std::size_t>(length) < outSize && IsPresent(out)) return true;
    places += (places.empty() ? "" : ", ") + dir;
  }
  if (outSize > 0) out[0] = '\0';
  std::fprintf(report, "quor: %s not found (looked in: %s)\n", name, places.c_str());
  return false;
}

bool FindDataFile(const char* name, char* out, std::size_t outSize) {
  char exePath[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", exePath, sizeof exePath - 1);
  exePath[length > 0 ? length : 0] = '\0';
  return FindDataFileFor(exePath, name, out, outSize, stderr);
}

void ReportUnreadableImage(const char* path, const char* what) {
  std::fprintf(stderr, "quor: %s could not be read as %s\n", path, what);
}
