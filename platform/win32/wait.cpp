// Waiting between frames on Win32: MsgWaitForMultipleObjects wakes for any message in the GLUT
// thread's queue (input, a resize, the host of a preview changing) and for a quit request.
#include <windows.h>

#include "platform/platform.h"
#include "platform/win32/quit_event.h"

namespace {
constexpr int64_t kMicrosecondsPerMillisecond = 1000;
}  // namespace

void WaitForEvents(int64_t maxUs) {
  if (maxUs <= 0) return;
  // Rounded up: a wait of 0 ms would spin until the frame is due.
  const DWORD ms =
      static_cast<DWORD>((maxUs + kMicrosecondsPerMillisecond - 1) / kMicrosecondsPerMillisecond);
  HANDLE quit = QuitEvent();
  MsgWaitForMultipleObjects(quit != nullptr ? 1 : 0, quit != nullptr ? &quit : nullptr, FALSE, ms,
                            QS_ALLINPUT);
}
