// The search for the program's data files. It runs once per file at start-up, so it builds its
// list of folders with std::string; only the result goes into the caller's buffer.
#include "image/data_files.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace {

// The folder part of a path, without its trailing separator; a root ("/", "C:/") stays itself.
std::string Parent(const std::string& path) {
  const std::size_t root = PathRootLength(path.c_str());
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos || slash < root) return root > 0 ? path.substr(0, root) : ".";
  return path.substr(0, slash);
}

// dir joined with a relative path whose leading "../" steps climb from dir first, so that
// "/usr/bin" and "../share/quor" give "/usr/share/quor", and a root gives no doubled slash.
std::string Beside(std::string dir, const char* relative) {
  constexpr const char* kUp = "../";
  while (std::strncmp(relative, kUp, std::strlen(kUp)) == 0) {
    dir = Parent(dir);
    relative += std::strlen(kUp);
  }
  if (!dir.empty() && dir.back() == '/') dir.pop_back();
  return dir + "/" + relative;
}

std::string WithoutTrailingSlashes(std::string dir) {
  while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  return dir;
}

// The source assets serve only the program in the folder it was built in: an installed or copied
// program must not depend on (or be confused by) the tree it was once built from.
bool IsBuildFolder(const std::string& dir) {
#if defined(QUOR_SOURCE_ASSETS_DIR) && defined(QUOR_BUILD_PROGRAM_DIR)
  char real[kDataPathMax];
  return CanonicalPath(QUOR_BUILD_PROGRAM_DIR, real, sizeof real) && dir == real;
#else
  (void)dir;
  return false;
#endif
}

std::vector<std::string> SearchDirs(const char* exePath) {
  std::vector<std::string> dirs{"."};
  const char* env = std::getenv("QUOR_DATA_DIR");
  if (env != nullptr && env[0] != '\0') dirs.push_back(WithoutTrailingSlashes(env));
  if (exePath != nullptr && PathRootLength(exePath) > 0) {
    const std::string exeDir = Parent(exePath);
    dirs.push_back(Beside(exeDir, ProgramDataFolder()));
#ifdef QUOR_SOURCE_ASSETS_DIR
    if (IsBuildFolder(exeDir)) dirs.push_back(QUOR_SOURCE_ASSETS_DIR);
#endif
  }
  return dirs;
}

bool IsPresent(const char* path) {
  return PathKindOf(path) == PathKind::kFile;
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
  if (report != nullptr)
    std::fprintf(report, "quor: %s not found (looked in: %s)\n", name, places.c_str());
  return false;
}

bool FindDataFile(const char* name, char* out, std::size_t outSize) {
  char exePath[kDataPathMax];
  if (!ProgramPath(exePath, sizeof exePath)) exePath[0] = '\0';
  return FindDataFileFor(exePath, name, out, outSize, stderr);
}

bool FindDataFileOrCopy(const char* name, DataFile* out) {
  char exePath[kDataPathMax];
  if (!ProgramPath(exePath, sizeof exePath)) exePath[0] = '\0';
  if (FindDataFileFor(exePath, name, out->path, sizeof out->path, nullptr)) return true;
  if (ProgramResource(name, &out->bytes, &out->size)) {
    // For the messages about it: the program's own copy.
    std::snprintf(out->path, sizeof out->path, "the %s inside %s", name, exePath);
    return true;
  }
  return FindDataFileFor(exePath, name, out->path, sizeof out->path, stderr);
}

void ReportUnreadableImage(const char* path, const char* what) {
  std::fprintf(stderr, "quor: %s could not be read as %s\n", path, what);
}
