// The event that a quit request sets, for the wait between frames to end at once.
#pragma once

#include <windows.h>

// nullptr until CatchQuitRequests has run.
HANDLE QuitEvent();
// Records a quit request from inside the program (a full-screen saver's input), as Ctrl+C would.
void RequestQuit();
