// MakeParentFolders: runs once at start-up, so it may build its list of folders on the heap.
// The separators and the root a path may have are the platform's (platform/platform.h).
#include "app/folders.h"

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"

bool MakeParentFolders(const char* path) {
  const std::string file(path);
  const char* separators = PathSeparators();
  const size_t root = PathRootLength(path);
  const size_t lastSeparator = file.find_last_of(separators);
  if (lastSeparator == std::string::npos || lastSeparator < root) return true;
  std::vector<std::string> made;
  // Every prefix that ends before a separator, from the top down: "a", "a/b", ... ("/a" for
  // "/a/...", "C:/a" for "C:/a/..."); the root itself is never made.
  for (size_t at = file.find_first_of(separators, root);
       at != std::string::npos && at <= lastSeparator;
       at = file.find_first_of(separators, at + 1)) {
    if (at == 0 || std::strchr(separators, file[at - 1]) != nullptr) continue;  // "a//b"
    const std::string folder = file.substr(0, at);
    const MakeFolderResult result = MakeFolder(folder.c_str());
    if (result == MakeFolderResult::kMade) made.push_back(folder);
    if (result != MakeFolderResult::kFailed) continue;
    for (auto f = made.rbegin(); f != made.rend(); ++f) RemoveFolder(f->c_str());
    return false;
  }
  return true;
}
