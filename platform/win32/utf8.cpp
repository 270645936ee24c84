// Conversions between UTF-8 and UTF-16 with Windows' own converters.
#include "platform/win32/utf8.h"

#include <windows.h>

std::wstring Widen(const char* text) {
  const int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, nullptr, 0);
  if (length <= 0) return std::wstring();
  std::wstring wide(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, text, -1, &wide[0], length);
  wide.resize(static_cast<std::size_t>(length - 1));  // without the terminating zero
  return wide;
}

bool NarrowPath(const wchar_t* wide, char* out, std::size_t outSize) {
  if (outSize == 0) return false;
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide, -1, out, static_cast<int>(outSize), nullptr, nullptr);
  if (length <= 0) {
    out[0] = '\0';
    return false;
  }
  for (char* p = out; *p != '\0'; ++p)
    if (*p == '\\') *p = '/';
  return true;
}
