// The full-screen saver's window: freeglut's window procedure is wrapped so that the user's
// input ends the saver instead of reaching the scene's key handlers.
#include "platform/win32/saver_window.h"

#include <cstdlib>
#include <cstring>

#include "platform/platform.h"
#include "platform/win32/quit_event.h"

namespace {
// GUID_CONSOLE_DISPLAY_STATE, written out: MinGW declares it for a library the program does not
// otherwise link.
constexpr GUID kDisplayState = {
    0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};
constexpr DWORD kDisplayStateOff = 0;  // 1 is on, 2 dimmed

WNDPROC glutProcedure = nullptr;
bool displayOff = false;
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
    case WM_POWERBROADCAST:
      if (w == PBT_POWERSETTINGCHANGE && l != 0) {
        const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(l);
        if (IsEqualGUID(setting->PowerSetting, kDisplayState) &&
            setting->DataLength >= sizeof(DWORD)) {
          DWORD state = 0;
          std::memcpy(&state, setting->Data, sizeof state);
          displayOff = state == kDisplayStateOff;
        }
        return TRUE;
      }
      break;
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
  // Windows tells at once whether the display is on, and again whenever that changes.
  RegisterPowerSettingNotification(window, &kDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
  SetForegroundWindow(window);
}

bool DisplayOff() {
  return displayOff;
}
