// Quit requests on POSIX: SIGTERM, SIGINT and SIGHUP, recorded by a handler that makes one
// store, nothing else, as a signal handler must.
#include "platform/x11/quit_signals.h"

#include <initializer_list>

#include "platform/platform.h"

namespace {
volatile std::sig_atomic_t received = 0;
sigset_t caught;  // filled once by CatchQuitSignals, read-only afterwards

void Record(int signal) {
  received = signal;
}
}  // namespace

void CatchQuitSignals() {
  struct sigaction action {};
  action.sa_handler = Record;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  sigemptyset(&caught);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
    struct sigaction inherited {};
    // An exec keeps only "ignored" and "default"; ignored was the parent's wish (nohup &).
    if (sigaction(signal, nullptr, &inherited) == 0 && inherited.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
    sigaddset(&caught, signal);
  }
}

int QuitSignal() {
  return received;
}

void QuitSignalSet(sigset_t* set) {
  *set = caught;
}

void CatchQuitRequests() {
  CatchQuitSignals();
}

bool QuitRequested() {
  return QuitSignal() != 0;
}
