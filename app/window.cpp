// The window: GLUT initialisation, creation, its size and the shell's reshape callback.
#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/monitor_layout.h"
#include "app/options.h"
#include "app/shell.h"
#include "platform/exit_status.h"
#include "platform/platform.h"

int windowWidth = kInitialWindowWidth;
int windowHeight = kInitialWindowHeight;

namespace {
// freeglut's errors, in its own words, and then the end of the program as every other failure
// ends it, so that a Windows program without a console shows them.
void EndOnWindowSystemError(const char* format, va_list arguments) {
  std::fprintf(stderr, "freeglut (quor): ");
  std::vfprintf(stderr, format, arguments);
  std::fprintf(stderr, "\n");
  EndProgram(kExitFailure);
}
}  // namespace

const char* GetTitle() {
  return "Quor";
}

void InitWindow(int* argc, char** argv) {
  PrepareWindowSystem(*argc, argv, stderr);
  glutInitErrorFunc(EndOnWindowSystemError);
  // freeglut ends the process through exit() when the window is closed, so the static
  // destructors registered with atexit still run.
  glutInit(argc, argv);
  // A scene drawn smaller (--render-scale) is smoothed by its stretch. Multisampling would add
  // little to that, while it multiplies a software renderer's work on every pixel and makes each
  // copy of the scene resolve its samples first: without it the reduced scene runs about twice
  // as fast again.
  const bool multisample = options.renderScale >= 1.0 && !options.renderScaleAuto;
  const unsigned int mode =
      GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | (multisample ? GLUT_MULTISAMPLE : 0u);
  glutInitDisplayMode(mode);
  // A display without multisampled visuals would make window creation fail outright; the
  // picture without antialiasing is better than no picture.
  if (!glutGet(GLUT_DISPLAY_MODE_POSSIBLE)) glutInitDisplayMode(mode & ~GLUT_MULTISAMPLE);
  // freeglut's -geometry, when given, has already set the window's size and place. A window kept
  // as it is (-w) is placed by the window manager; one about to go full screen starts at the
  // origin, where freeglut's full screen without a window manager expects it.
  if (TargetWindowOpen()) {
    // Created at the target's size, so that the first frame already fills it.
    TargetWindowSize(&windowWidth, &windowHeight);
    glutInitWindowSize(windowWidth, windowHeight);
    glutInitWindowPosition(0, 0);
  } else if (!options.geometryGiven) {
    glutInitWindowSize(windowWidth, windowHeight);
    if (!options.windowed) glutInitWindowPosition(0, 0);
  }
  glutCreateWindow(GetTitle());
}

void ShellReshape(int width, int height) {
  windowWidth = width;
  windowHeight = height;
  glViewport(0, 0, width, height);
}

namespace {
// freeglut on an X server without a window manager puts back the size from before full screen
// after any resize asked for in the same pass, so that a resize on leaving full screen is lost.
// The resize is therefore asked for once more, two frames later, when the window has left.
constexpr int kReshapeRepeatFrames = 2;
int reshapeRepeatIn = 0;
int reshapeWidth = 0, reshapeHeight = 0;
bool fullScreen = false;
}  // namespace

void ShellReshapeWindow(int width, int height) {
  glutReshapeWindow(width, height);
  reshapeWidth = width;
  reshapeHeight = height;
  reshapeRepeatIn = kReshapeRepeatFrames;
  fullScreen = false;
}

void ShellFullScreen() {
  reshapeRepeatIn = 0;  // full screen again before the repeat: nothing to repeat
  glutFullScreen();
  fullScreen = true;
}

bool ShellWindowFullScreen() {
  return fullScreen;
}

void ShellWindowWork() {
  if (reshapeRepeatIn > 0 && --reshapeRepeatIn == 0) glutReshapeWindow(reshapeWidth, reshapeHeight);
  UpdateMonitorLayout();
}
