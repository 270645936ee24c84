// The desktop's dots per inch on X11: the Xft.dpi resource that desktops put in the X server's
// resource string, read through freeglut's own display connection.
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "platform/platform.h"
#include "platform/x11/xft_dpi.h"

bool XftDpiResource(const char* resources, char* value, std::size_t valueSize) {
  if (resources == nullptr || valueSize == 0) return false;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return false;
  char* type = nullptr;
  XrmValue found{};
  const bool has =
      XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &found) && found.addr != nullptr;
  if (has) {
    // The value's size counts its terminating zero.
    const int length = static_cast<int>(std::min<unsigned>(found.size, INT_MAX));
    std::snprintf(value, valueSize, "%.*s", length, found.addr);
  }
  XrmDestroyDatabase(database);
  return has;
}

bool DesktopDpiSetting(char* value, std::size_t valueSize, const char** name) {
  *name = "Xft.dpi";
  // freeglut's connection, reached through the context it made current with the window.
  Display* display = glXGetCurrentDisplay();
  const char* resources = display != nullptr ? XResourceManagerString(display) : nullptr;
  return XftDpiResource(resources, value, valueSize);
}
