// Quit requests on Win32: Ctrl+C, Ctrl+Break, the console closed, logging off and shutting down
// reach the console control handler, which runs on a thread of its own. It records the request
// and sets an event; the main loop, which looks at least every tenth of a second, quits in order.
// Closing the window is freeglut's (WM_CLOSE ends the process through exit, as on X11).
#include <windows.h>

#include <atomic>

#include "platform/platform.h"
#include "platform/win32/quit_event.h"

namespace {
// Windows ends the process once the handler returns from these three: the handler waits, so
// that the main loop can finish (capture saved, textures released) and end it first.
constexpr DWORD kGraceMs = 5000;

std::atomic<bool> requested{false};
HANDLE event = nullptr;

BOOL WINAPI OnControl(DWORD type) {
  RequestQuit();
  if (type == CTRL_CLOSE_EVENT || type == CTRL_LOGOFF_EVENT || type == CTRL_SHUTDOWN_EVENT)
    Sleep(kGraceMs);
  return TRUE;
}
}  // namespace

HANDLE QuitEvent() {
  return event;
}

void RequestQuit() {
  requested = true;
  if (event != nullptr) SetEvent(event);
}

void CatchQuitRequests() {
  if (event == nullptr) event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  SetConsoleCtrlHandler(OnControl, TRUE);
}

bool QuitRequested() {
  return requested;
}
