// The X server as freeglut meets it: the hint when no display is named, and whether a GLX
// context is current.
#include <GL/glx.h>

#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

namespace {
// $DISPLAY set and not empty, or freeglut's -display option on the command line.
bool DisplayNamed(int argc, char** argv) {
  const char* display = std::getenv("DISPLAY");
  if (display != nullptr && display[0] != '\0') return true;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "-display") == 0) return true;
  return false;
}
}  // namespace

void PrepareWindowSystem(int argc, char** argv, std::FILE* err) {
  // Without a display freeglut only says that it failed to open ''; say first what to do.
  if (!DisplayNamed(argc, argv))
    std::fprintf(err,
                 "quor: no X display (DISPLAY is not set): run it on an X desktop, give "
                 "-display NAME, or start it under xvfb-run\n");
}

bool GlContextCurrent() {
  return glXGetCurrentContext() != nullptr;
}

bool DisplayOff() {
  return false;  // an X server that blanks its screen stops showing frames, not asking for them
}
