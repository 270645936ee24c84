// The desktop's dots per inch on Win32: the DPI of the monitor the GLUT window is on. The program
// is per-monitor DPI aware (platform/win32/quor.manifest), so Windows reports the real value
// instead of stretching a 96-DPI picture. GetDpiForWindow (Windows 10 1607 and later) is looked
// up at run time; before it, the screen's LOGPIXELSY serves.
#include <windows.h>

#include <cstdio>

#include "platform/platform.h"

namespace {
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

UINT WindowDpi(HWND window) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto getDpiForWindow =
      user32 != nullptr ? reinterpret_cast<GetDpiForWindowFunction>(
                              reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                        : nullptr;
  if (getDpiForWindow != nullptr && window != nullptr) return getDpiForWindow(window);
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : 0;
}
}  // namespace

bool DesktopDpiSetting(char* value, std::size_t valueSize, const char** name) {
  *name = "the monitor's DPI";
  HDC dc = wglGetCurrentDC();
  const UINT dpi = WindowDpi(dc != nullptr ? WindowFromDC(dc) : nullptr);
  if (dpi == 0 || valueSize == 0) return false;
  std::snprintf(value, valueSize, "%u", dpi);
  return true;
}
