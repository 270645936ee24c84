// Windows as freeglut meets it: freeglut for Windows takes $DISPLAY as the name of a display
// device, which Wine sets to its X display, and then fails with "CreateDC failed"; the variable
// means nothing to Windows itself, so it is cleared. The GL context is WGL's.
#include <windows.h>

#include <cstdlib>

#include "platform/platform.h"

void PrepareWindowSystem(int, char**, std::FILE*) {
  _putenv("DISPLAY=");
  SetEnvironmentVariableW(L"DISPLAY", nullptr);
}

bool GlContextCurrent() {
  return wglGetCurrentContext() != nullptr;
}
