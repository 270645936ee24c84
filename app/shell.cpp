// The shell's life cycle: start-up in order, the display and idle callbacks that drive the
// frames, the default input callbacks, and the way out.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "app/clock.h"
#include "app/hooks.h"
#include "app/shell.h"

int shellFullScreen = 0;

void ShellDisplay() {
  UpdateClock();
  if (!DrawFrame()) QuitApp();
  glutSwapBuffers();
}

// No timer and no frame cap: the next frame is asked for as soon as the loop is idle, and the
// simulation advances by the measured time step.
void ShellIdle() { glutPostRedisplay(); }

void ShellMotion(int, int) {}
void ShellMouse(int, int, int, int) {}
void ShellSpecial(int, int, int) {}

void ShellKeyboard(unsigned char key, int, int) {
  constexpr unsigned char kEscape = 27;
  if (key == kEscape) QuitApp();
  if (key == 'F' || key == 'f') {
    shellFullScreen = !shellFullScreen;
    if (shellFullScreen)
      glutFullScreen();
    else
      glutReshapeWindow(kInitialWindowWidth, kInitialWindowHeight);
  }
}

void QuitApp() {
  ReleaseTextures();
  std::exit(0);
}

void RunApp(int argc, char** argv) {
  if (!PreInit()) {
    std::printf("App returned false on PreInit(), we shouldn't really continue.\n");
    std::exit(0);
  }
  InitWindow(&argc, argv);

  glutReshapeFunc(ShellReshape);
  glutDisplayFunc(ShellDisplay);
  glutIdleFunc(ShellIdle);
  glutMotionFunc(ShellMotion);
  glutMouseFunc(ShellMouse);
  glutKeyboardFunc(ShellKeyboard);
  glutSpecialFunc(ShellSpecial);

  StartClock();
  if (!InitScene()) {
    std::printf("App failed to initialize.\n");
    std::exit(0);
  }
  glutMainLoop();
  QuitApp();
}
