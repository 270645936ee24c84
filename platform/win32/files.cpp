// Paths and folders on Win32: both slashes, drive letters and UNC roots, and the wide calls, so
// that a path in UTF-8 reaches the file system whatever the ANSI code page is.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/win32/utf8.h"

namespace {
bool IsSlash(char c) {
  return c == '/' || c == '\\';
}
bool IsDriveLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

const char* PathSeparators() {
  return "/\\";
}

std::size_t PathRootLength(const char* path) {
  if (IsDriveLetter(path[0]) && path[1] == ':') return IsSlash(path[2]) ? 3 : 2;
  if (IsSlash(path[0]) && IsSlash(path[1])) {
    // //server/share/: two names after the double slash.
    std::size_t at = 2;
    for (int names = 0; names < 2; ++names) {
      while (path[at] != '\0' && !IsSlash(path[at])) ++at;
      if (path[at] == '\0') return at;
      ++at;
    }
    return at;
  }
  return IsSlash(path[0]) ? 1 : 0;
}

bool ProgramPath(char* out, std::size_t outSize) {
  std::vector<wchar_t> wide(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
    if (length == 0) return false;
    if (length < wide.size()) break;
    wide.resize(wide.size() * 2);  // cut short: ask again with more room
  }
  return NarrowPath(wide.data(), out, outSize);
}

bool CanonicalPath(const char* path, char* out, std::size_t outSize) {
  const std::wstring wide = Widen(path);
  if (wide.empty() || GetFileAttributesW(wide.c_str()) == INVALID_FILE_ATTRIBUTES) return false;
  const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
  if (length == 0) return false;
  std::vector<wchar_t> full(length);
  if (GetFullPathNameW(wide.c_str(), length, full.data(), nullptr) == 0) return false;
  return NarrowPath(full.data(), out, outSize);
}

const char* ProgramDataFolder() {
  return "assets";
}

bool ProgramResource(const char* name, const uint8_t** data, std::size_t* size) {
  char resource[64];
  std::size_t i = 0;
  for (; name[i] != '\0' && i + 1 < sizeof resource; ++i)
    resource[i] = name[i] == '.' ? '_' : name[i];
  resource[i] = '\0';
  // The program's own module; a resource's memory stays mapped while the program runs.
  HRSRC found = FindResourceA(nullptr, resource, MAKEINTRESOURCEA(10));  // RT_RCDATA
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;
  *data = static_cast<const uint8_t*>(bytes);
  *size = SizeofResource(nullptr, found);
  return true;
}

PathKind PathKindOf(const char* path) {
  const std::wstring wide = Widen(path);
  const DWORD attributes =
      wide.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::kNothing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? PathKind::kFolder : PathKind::kFile;
}

MakeFolderResult MakeFolder(const char* path) {
  const std::wstring wide = Widen(path);
  if (wide.empty()) return MakeFolderResult::kFailed;
  if (CreateDirectoryW(wide.c_str(), nullptr)) return MakeFolderResult::kMade;
  if (PathKindOf(path) == PathKind::kFolder) return MakeFolderResult::kExists;
  return MakeFolderResult::kFailed;
}

bool RemoveFolder(const char* path) {
  const std::wstring wide = Widen(path);
  return !wide.empty() && RemoveDirectoryW(wide.c_str());
}
