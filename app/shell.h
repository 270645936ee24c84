// The application shell: GLUT start-up, the window, the default callbacks and the orderly exit.
// It knows nothing of the simulation beyond the hooks of app/hooks.h.
#pragma once

extern int windowWidth;   // current client size in pixels, written only by ShellReshape
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

// Releases the textures and ends the process with exit code 0.
[[noreturn]] void QuitApp();

// The whole life of the program: hooks, window, callbacks, clock, main loop. Never returns.
[[noreturn]] void RunApp(int argc, char** argv);
