// Included first in every file of a Windows build (cmake/Windows.cmake): windows.h, which
// freeglut's and OpenGL's headers bring in anyway, included once here so that the names it would
// take from the program can be handed back before any of the program's headers is read.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not macros
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// winuser.h turns DrawText into DrawTextA or DrawTextW; the text overlay has a function of that
// name, and Quor never calls Windows' own.
#undef DrawText
