// Drawing inside a window of another program on X11, as a screen-saver hack does: freeglut
// cannot adopt a window it did not create, so its own window is made inside the target (see
// XCreateWindow in target_window.cpp) and kept at the target's size. The program holds a second
// X connection of its own for the target's events, because freeglut drops the events of windows
// it does not know. The functions the rest of the program calls are in platform/platform.h; the
// ids are X window ids, 0x... (hex) or decimal, from 1 to 0x1FFFFFFF (the top three bits of an
// X resource id are always zero). With a target, BadWindow and BadDrawable errors about the two
// windows mean only that the target has gone, and are not reported.
#pragma once

// The descriptor of the program's own X connection, for a sleep that wakes on the target's
// events; -1 when not embedded.
int TargetConnectionFd();
