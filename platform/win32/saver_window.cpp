// The full-screen saver's window: freeglut's window procedure is wrapped so that the user's
// input ends the saver instead of reaching the scene's key handlers.
#include "platform/win32/saver_window.h"

#include <cstdlib>

#include "platform/win32/quit_event.h"

namespace {
WNDPROC glutProcedure = nullptr;
bool havePointer = false;  // where the pointer rested as the saver started, in screen pixels
POINT firstPointer{};

bool MovedBeyondSlack(HWND window, LPARAM position) {
  POINT p{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ClientToScreen(window, &p);
  if (!havePointer) {
    // No position at the start: Windows's move as the window appears under the resting pointer
    // stands for it.
    havePointer = true;
    firstPointer = p;
    return false;
  }
  return std::abs(p.x - firstPointer.x) > kSaverMoveSlackPixels ||
         std::abs(p.y - firstPointer.y) > kSaverMoveSlackPixels;
}

void CoverVirtualScreen(HWND window) {
  SetWindowPos(window, HWND_TOPMOST, GetSystemMetrics(SM_XVIRTUALSCREEN),
               GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
               GetSystemMetrics(SM_CYVIRTUALSCREEN), SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

LRESULT CALLBACK SaverProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_XBUTTONDOWN:
    case WM_MOUSEWHEEL:
      RequestQuit();
      return 0;
    case WM_MOUSEMOVE:
      if (MovedBeyondSlack(window, l)) RequestQuit();
      return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
    case WM_CHAR:
    case WM_SYSCHAR:
    case WM_LBUTTONUP:
    case WM_MBUTTONUP:
    case WM_RBUTTONUP:
    case WM_XBUTTONUP:
      return 0;
    case WM_SETCURSOR:
      SetCursor(nullptr);
      return TRUE;
    case WM_DISPLAYCHANGE:
      // A monitor came or went: the window covers the new desktop (freeglut then sees WM_SIZE),
      // and the monitors are read again.
      CoverVirtualScreen(window);
      break;
    case WM_ACTIVATEAPP:
      if (w == FALSE) RequestQuit();  // another program came to the front (Alt+Tab, a dialog)
      break;
    default:
      break;
  }
  return CallWindowProcW(glutProcedure, window, message, w, l);
}
}  // namespace

void StartFullScreenSaver(HWND window) {
  // Movements are measured from where the pointer is now, not from the first mouse message: a
  // user who moves the mouse before Windows sends one still ends the saver.
  havePointer = GetCursorPos(&firstPointer) != FALSE;
  LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  style = (style & ~WS_OVERLAPPEDWINDOW) | WS_POPUP | WS_VISIBLE;
  SetWindowLongPtrW(window, GWL_STYLE, style);
  glutProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SaverProcedure)));
  // freeglut then sees WM_SIZE and calls the reshape callback.
  CoverVirtualScreen(window);
  SetForegroundWindow(window);
}
