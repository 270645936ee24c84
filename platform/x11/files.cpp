// Paths and folders on POSIX: one separator, one root, realpath, /proc/self/exe and mkdir.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"

const char* PathSeparators() {
  return "/";
}

std::size_t PathRootLength(const char* path) {
  return path[0] == '/' ? 1 : 0;
}

bool ProgramPath(char* out, std::size_t outSize) {
  if (outSize == 0) return false;
  const ssize_t length = readlink("/proc/self/exe", out, outSize - 1);
  if (length <= 0 || static_cast<std::size_t>(length) >= outSize - 1) {
    out[0] = '\0';
    return false;
  }
  out[length] = '\0';
  return true;
}

bool CanonicalPath(const char* path, char* out, std::size_t outSize) {
  char real[PATH_MAX];
  if (realpath(path, real) == nullptr) return false;
  const int length = std::snprintf(out, outSize, "%s", real);
  return length >= 0 && static_cast<std::size_t>(length) < outSize;
}

const char* ProgramDataFolder() {
  return "../share/quor";
}

bool ProgramResource(const char*, const uint8_t**, std::size_t*) {
  return false;
}

PathKind PathKindOf(const char* path) {
  struct stat info {};
  if (stat(path, &info) != 0) return PathKind::kNothing;
  return S_ISDIR(info.st_mode) ? PathKind::kFolder : PathKind::kFile;
}

MakeFolderResult MakeFolder(const char* path) {
  if (mkdir(path, 0777) == 0) return MakeFolderResult::kMade;
  if (errno == EEXIST && PathKindOf(path) == PathKind::kFolder) return MakeFolderResult::kExists;
  return MakeFolderResult::kFailed;
}

bool RemoveFolder(const char* path) {
  return rmdir(path) == 0;
}
