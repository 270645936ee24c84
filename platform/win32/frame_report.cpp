// The frame report on Win32, which has no SIGUSR1: a thread waits on the named event
// Local\quor-frames-<process id>; whoever sets it gets one line "quor: frame N" on standard
// error, as a signal would on X11, even while the program sleeps.
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "platform/platform.h"

namespace {
const std::atomic<uint64_t>* reportedFrames = nullptr;
HANDLE request = nullptr;

DWORD WINAPI Answer(LPVOID) {
  while (WaitForSingleObject(request, INFINITE) == WAIT_OBJECT_0) {
    char line[48];
    const int length = std::snprintf(line, sizeof line, "quor: frame %llu\n",
                                     static_cast<unsigned long long>(reportedFrames->load()));
    DWORD written = 0;
    if (length > 0)
      WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(length), &written,
                nullptr);
  }
  return 0;
}
}  // namespace

void ReportFramesOnRequest(const std::atomic<uint64_t>* frames) {
  if (request != nullptr) return;
  reportedFrames = frames;
  wchar_t name[64];
  std::swprintf(name, sizeof name / sizeof name[0], L"Local\\quor-frames-%lu",
                GetCurrentProcessId());
  // Auto-reset: one line for each time it is set.
  request = CreateEventW(nullptr, FALSE, FALSE, name);
  if (request == nullptr) return;
  HANDLE thread = CreateThread(nullptr, 0, Answer, nullptr, 0, nullptr);
  if (thread != nullptr) CloseHandle(thread);  // it runs until the process ends
}
