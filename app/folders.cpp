// MakeParentFolders: works in a buffer on the stack, as it runs for every frame whose file name
// names a new folder.
#include "app/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {
constexpr size_t kMaxPathLength = 4096;  // PATH_MAX: no system call takes a longer path
}  // namespace

bool MakeParentFolders(const char* path) {
  char folder[kMaxPathLength];
  const size_t length = strnlen(path, sizeof folder);
  if (length == sizeof folder) return false;
  std::memcpy(folder, path, length + 1);
  char* const lastSlash = std::strrchr(folder, '/');
  if (lastSlash == nullptr || lastSlash == folder) return true;
  char* firstMade = nullptr;  // the slash that ends the first folder made here
  // Every prefix that ends before a slash, from the top down: "a", "a/b", ... ("/a" for "/a/...").
  for (char* slash = std::strchr(folder + 1, '/'); slash != nullptr && slash <= lastSlash;
       slash = std::strchr(slash + 1, '/')) {
    if (slash[-1] == '/') continue;  // "a//b": the same folder again
    *slash = '\0';
    const bool made = mkdir(folder, 0777) == 0;
    struct stat info {};
    const bool exists =
        made || (errno == EEXIST && stat(folder, &info) == 0 && S_ISDIR(info.st_mode));
    *slash = '/';
    if (made && firstMade == nullptr) firstMade = slash;
    if (exists) continue;
    // Below the first folder made here every one was made here too: remove them, deepest first.
    for (char* p = slash - 1; firstMade != nullptr && p >= firstMade; --p) {
      if (*p != '/') continue;
      *p = '\0';
      rmdir(folder);
      *p = '/';
    }
    return false;
  }
  return true;
}
