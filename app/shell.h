// The application shell: GLUT start-up, the window, the default callbacks and the orderly exit.
// It knows nothing of the simulation beyond the hooks of app/hooks.h.
#pragma once

extern int windowWidth;  // current client size in pixels, written only by ShellReshape
extern int windowHeight;
extern int shellFullScreen;

constexpr int kInitialWindowWidth = 640;
constexpr int kInitialWindowHeight = 480;

const char* GetTitle();

// GLUT initialisation and window creation. Asks for RGBA, double buffering, depth and
// multisampling, and drops multisampling where the display cannot offer it.
void InitWindow(int* argc, char** argv);

void ShellReshape(int width, int height);
void ShellDisplay();
void ShellIdle();
void ShellMotion(int x, int y);
void ShellMouse(int button, int state, int x, int y);
void ShellKeyboard(unsigned char key, int x, int y);
void ShellSpecial(int key, int x, int y);
// Stops asking for frames while the window cannot be seen, and starts again when it can.
void ShellWindowStatus(int state);

// Window size changes that hold with or without a window manager: a resize that leaves full
// screen is repeated once the window has left it (see app/window.cpp).
void ShellReshapeWindow(int width, int height);
void ShellFullScreen();
// True from ShellFullScreen until the next ShellReshapeWindow.
bool ShellWindowFullScreen();
// Once per frame, before drawing: carries out a repeated resize when it is due, and follows the
// monitors (app/monitor_layout.h).
void ShellWindowWork();

// Key handlers go through these, so that scripted keys (--keys) reach the same handlers as
// real ones. Each registers its handler with GLUT too.
using KeyboardHandler = void (*)(unsigned char key, int x, int y);
using SpecialHandler = void (*)(int key, int x, int y);
void ShellSetKeyboardFunc(KeyboardHandler handler);
void ShellSetSpecialFunc(SpecialHandler handler);
// A key press delivered to the current handler, as from the keyboard with the pointer at 0, 0.
void ShellPressKey(unsigned char key);
void ShellPressSpecial(int key);

// Releases the textures and ends the process with exit code 0 (1 when a capture that was asked
// for could not be written).
[[noreturn]] void QuitApp();

// The whole life of the program: options, hooks, window, callbacks, clock, main loop. Never
// returns.
[[noreturn]] void RunApp(int argc, char** argv);
