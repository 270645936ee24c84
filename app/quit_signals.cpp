// The quit signals' handler: one store, nothing else, as a signal handler must.
#include "app/quit_signals.h"

#include <csignal>
#include <initializer_list>

namespace {
volatile std::sig_atomic_t received = 0;

void Record(int signal) {
  received = signal;
}
}  // namespace

void CatchQuitSignals() {
  struct sigaction action {};
  action.sa_handler = Record;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;
  for (const int signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(signal, &action, nullptr);
}

int QuitSignal() {
  return received;
}
