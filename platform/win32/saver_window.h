// The full-screen screen saver on Win32 (/s): Windows starts it and leaves ending it to the
// saver, on the user's first input.
#pragma once

#include <windows.h>

// Makes window a borderless topmost window over the whole desktop (every monitor), hides the
// pointer over it, and from now on turns a key, a mouse button or a mouse movement beyond
// kSaverMoveSlackPixels into a quit request; that input reaches nothing else.
void StartFullScreenSaver(HWND window);

constexpr int kSaverMoveSlackPixels = 4;  // a jitter of the mouse does not end the saver
