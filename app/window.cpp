// The window: GLUT initialisation, creation, its size and the shell's reshape callback.
#include <GL/freeglut.h>

#include "app/options.h"
#include "app/shell.h"

int windowWidth = kInitialWindowWidth;
int windowHeight = kInitialWindowHeight;

const char* GetTitle() {
  return "Quor";
}

void InitWindow(int* argc, char** argv) {
  // freeglut ends the process through exit() when the window is closed, so the static
  // destructors registered with atexit still run.
  glutInit(argc, argv);
  const unsigned int mode = GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_MULTISAMPLE;
  glutInitDisplayMode(mode);
  // A display without multisampled visuals would make window creation fail outright; the
  // picture without antialiasing is better than no picture.
  if (!glutGet(GLUT_DISPLAY_MODE_POSSIBLE)) glutInitDisplayMode(mode & ~GLUT_MULTISAMPLE);
  // freeglut's -geometry, when given, has already set the window's size and place.
  if (!options.geometryGiven) {
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(0, 0);
  }
  glutCreateWindow(GetTitle());
}

void ShellReshape(int width, int height) {
  windowWidth = width;
  windowHeight = height;
  glViewport(0, 0, width, height);
}
