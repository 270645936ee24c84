// MakeParentFolders: runs once at start-up, so it may build its list of folders on the heap.
#include "app/folders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

bool MakeParentFolders(const char* path) {
  const std::string file(path);
  const size_t lastSlash = file.find_last_of('/');
  if (lastSlash == std::string::npos || lastSlash == 0) return true;
  std::vector<std::string> made;
  // Every prefix that ends before a slash, from the top down: "a", "a/b", ... ("/a" for "/a/...").
  for (size_t slash = file.find('/', 1); slash != std::string::npos && slash <= lastSlash;
       slash = file.find('/', slash + 1)) {
    if (file[slash - 1] == '/') continue;  // "a//b": the same folder again
    const std::string folder = file.substr(0, slash);
    if (mkdir(folder.c_str(), 0777) == 0) {
      made.push_back(folder);
      continue;
    }
    struct stat info {};
    if (errno == EEXIST && stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) continue;
    for (auto f = made.rbegin(); f != made.rend(); ++f) rmdir(f->c_str());
    return false;
  }
  return true;
}
