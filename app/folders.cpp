// MakeParentFolders: works in a buffer on the stack, as it runs for every frame whose file name
// names a new folder. The separators and the root a path may have are the platform's
// (platform/platform.h).
#include "app/folders.h"

#include <cstring>

#include "platform/platform.h"

namespace {
constexpr size_t kMaxPathLength = 4096;  // PATH_MAX: no system call takes a longer path

bool IsSeparator(char c, const char* separators) {
  return c != '\0' && std::strchr(separators, c) != nullptr;
}
}  // namespace

bool MakeParentFolders(const char* path) {
  char folder[kMaxPathLength];
  const size_t length = strnlen(path, sizeof folder);
  if (length == sizeof folder) return false;
  std::memcpy(folder, path, length + 1);
  const char* separators = PathSeparators();
  const size_t root = PathRootLength(folder);
  size_t lastSeparator = length;
  for (size_t i = length; i-- > 0;) {
    if (IsSeparator(folder[i], separators)) {
      lastSeparator = i;
      break;
    }
  }
  if (lastSeparator == length || lastSeparator < root) return true;
  size_t firstMade = length;  // the separator that ends the first folder made here
  // Every prefix that ends before a separator, from the top down: "a", "a/b", ... ("/a" for
  // "/a/...", "C:/a" for "C:/a/..."); the root itself is never made.
  for (size_t at = root; at <= lastSeparator; ++at) {
    if (!IsSeparator(folder[at], separators)) continue;
    if (at == 0 || IsSeparator(folder[at - 1], separators)) continue;  // "a//b": the same again
    const char separator = folder[at];
    folder[at] = '\0';
    const MakeFolderResult result = MakeFolder(folder);
    folder[at] = separator;
    if (result == MakeFolderResult::kMade && firstMade == length) firstMade = at;
    if (result != MakeFolderResult::kFailed) continue;
    // From the first folder made here down every one was made here too: remove them, deepest
    // first (the loop reaches firstMade itself).
    for (size_t p = at; firstMade != length && p-- > firstMade;) {
      if (!IsSeparator(folder[p], separators)) continue;
      const char s = folder[p];
      folder[p] = '\0';
      RemoveFolder(folder);
      folder[p] = s;
    }
    return false;
  }
  return true;
}
