// Quit requests on POSIX are the signals SIGTERM, SIGINT and SIGHUP, recorded by the handler of
// app/quit_signals.cpp.
#include "app/quit_signals.h"
#include "platform/platform.h"

void CatchQuitRequests() {
  CatchQuitSignals();
}

bool QuitRequested() {
  return QuitSignal() != 0;
}
