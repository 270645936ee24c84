// The target window on Win32: the preview pane whose HWND Windows passes to a screen saver's /p.
// The GLUT window becomes its child (SetParent with WS_CHILD), follows its client size, and the
// program ends when IsWindow says it is gone. Without a target (id 0) a saver goes full screen.
#include <windows.h>

#include <cctype>
#include <cerrno>
#include <cstdlib>

#include "platform/exit_status.h"
#include "platform/number_text.h"
#include "platform/platform.h"
#include "platform/win32/saver_window.h"

namespace {
constexpr uint64_t kLargestWindow = 0xFFFFFFFFu;  // HWNDs keep to 32 bits, even in 64-bit Windows

bool fullScreenSaver = false;  // OpenTargetWindow with no window: /s, --root
HWND target = nullptr;
HWND glutWindow = nullptr;
int targetWidth = 0, targetHeight = 0;

// freeglut names no window handle: its window is the thread's top-level window of its class.
BOOL CALLBACK TakeGlutWindow(HWND window, LPARAM found) {
  wchar_t name[16] = L"";
  GetClassNameW(window, name, sizeof name / sizeof name[0]);
  if (lstrcmpW(name, L"FREEGLUT") != 0) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND CurrentGlutWindow() {
  HDC dc = wglGetCurrentDC();
  HWND window = dc != nullptr ? WindowFromDC(dc) : nullptr;
  if (window == nullptr)
    EnumThreadWindows(GetCurrentThreadId(), TakeGlutWindow, reinterpret_cast<LPARAM>(&window));
  return window;
}

void ClientSize(HWND window, int* width, int* height) {
  RECT r{};
  GetClientRect(window, &r);
  *width = r.right - r.left;
  *height = r.bottom - r.top;
}
}  // namespace

bool ParseTargetWindow(const char* text, uint64_t* id) {
  return ParseWholeNumber(text, 1, kLargestWindow, id);
}

int OpenTargetWindow(uint64_t id, const char*, std::FILE* err) {
  if (id == 0) {
    fullScreenSaver = true;
    return 0;
  }
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(id));
  if (!IsWindow(window)) {
    std::fprintf(err, "quor: no window %llu to draw in\n", static_cast<unsigned long long>(id));
    return kExitBadUsage;
  }
  target = window;
  ClientSize(target, &targetWidth, &targetHeight);
  return 0;
}

bool TargetWindowOpen() {
  return target != nullptr;
}

void TargetWindowSize(int* width, int* height) {
  *width = targetWidth;
  *height = targetHeight;
}

void AdoptCurrentWindow() {
  if (target == nullptr && !fullScreenSaver) return;
  glutWindow = CurrentGlutWindow();
  if (glutWindow == nullptr) return;
  if (fullScreenSaver) {
    StartFullScreenSaver(glutWindow);
    return;
  }
  // A child has no frame and no place in the task bar; its position is the host's client area.
  LONG_PTR style = GetWindowLongPtrW(glutWindow, GWL_STYLE);
  style = (style & ~(WS_POPUP | WS_OVERLAPPEDWINDOW)) | WS_CHILD | WS_VISIBLE;
  SetWindowLongPtrW(glutWindow, GWL_STYLE, style);
  SetParent(glutWindow, target);
  SetWindowPos(glutWindow, HWND_TOP, 0, 0, targetWidth, targetHeight,
               SWP_FRAMECHANGED | SWP_SHOWWINDOW);
}

bool TargetWindowAlive() {
  if (target == nullptr) return true;
  if (!IsWindow(target)) return false;
  int width = 0, height = 0;
  ClientSize(target, &width, &height);
  if (width != targetWidth || height != targetHeight) {
    targetWidth = width;
    targetHeight = height;
    // freeglut then sees WM_SIZE and calls the reshape callback.
    if (glutWindow != nullptr)
      SetWindowPos(glutWindow, nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return true;
}
