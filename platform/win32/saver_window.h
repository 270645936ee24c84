// The full-screen screen saver on Win32 (/s): Windows starts it and leaves ending it to the
// saver, on the user's first input.
#pragma once

#include <windows.h>

// Makes window a borderless topmost window over the whole desktop (every monitor, each showing a
// scene of its own: app/monitor_layout.h), hides the pointer over it, and from now on turns a
// key, a mouse button or a mouse movement beyond kSaverMoveSlackPixels anywhere on it into a quit
// request; that input reaches nothing else. A monitor added or taken away (WM_DISPLAYCHANGE)
// resizes the window to the new desktop. The window asks to hear when the display goes off and
// on (DisplayOff in platform/platform.h).
void StartFullScreenSaver(HWND window);

constexpr int kSaverMoveSlackPixels = 4;  // a jitter of the mouse does not end the saver
