// Drawing inside a window of another program, as a screen-saver hack does: freeglut cannot adopt
// a window it did not create, so its own window is made inside the target (see XCreateWindow in
// embed_window.cpp) and kept at the target's size. The program holds a second X connection of its
// own for the target's events, because freeglut drops the events of windows it does not know.
#pragma once

#include <cstdio>

struct Options;

// An X window id as 0x... (hex) or decimal, from 1 to 0x1FFFFFFF (the top three bits of an X
// resource id are always zero). Anything else, signs and spaces included, is refused.
bool ParseWindowId(const char* text, unsigned long* id);

// Before glutInit, for --root and --window-id: finds the target (--window-id, else the window
// in $XSCREENSAVER_WINDOW, else the root window), opens the program's own X connection and
// checks that the window exists on the display's default screen. From then on the program's
// first top-level window is made inside the target. Answers 0 to go on, else the exit status,
// the reason written on err: 2 for a bad or unknown id or a window on another screen, 1 when
// the display cannot be opened.
int OpenTargetWindow(const Options& options, std::FILE* err);
bool TargetWindowOpen();  // OpenTargetWindow found a target
void TargetWindowSize(int* width, int* height);

// With the GLUT window just created and its context current: makes sure it sits in the target,
// at the target's top left and size, out of any window manager's hands, and shows it. From here
// on BadWindow and BadDrawable errors about the two windows mean only that the target has gone,
// and are not reported.
void AdoptGlutWindow();

// Handles the target's events: a new size is passed on to the GLUT window, which is put back
// into the target if anything unmaps it or moves it out. False once the target has been
// destroyed.
bool TargetWindowAlive();
// The descriptor of the program's own X connection, for a sleep that wakes on the target's
// events; -1 when not embedded.
int TargetConnectionFd();
