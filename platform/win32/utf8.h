// UTF-8 and Windows' UTF-16 paths, for the wide file calls of platform/win32 (the program's own
// text is UTF-8 throughout).
#pragma once

#include <cstddef>
#include <string>

// text as UTF-16; empty when it is not valid UTF-8.
std::wstring Widen(const char* text);
// wide as UTF-8 into out with '\' turned into '/'; false when it does not fit.
bool NarrowPath(const wchar_t* wide, char* out, std::size_t outSize);
