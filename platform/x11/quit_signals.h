// SIGTERM, SIGINT and SIGHUP end the program in order, in every mode: the handler only records
// the signal, and the main loop, which looks at least every tenth of a second, quits through
// QuitApp (textures released, atexit handlers run, status 0, no fade). A quit signal that the
// parent set to be ignored (nohup, a shell's background job) stays ignored, as GNU tools do.
#pragma once

#include <csignal>

// Installs the handler for those of the three signals that are not ignored. Without
// SA_RESTART, so that a sleep between frames ends at once when one arrives. Runs first of all,
// so that a signal during start-up is recorded too instead of ending the process.
void CatchQuitSignals();
// The signal recorded, or 0.
int QuitSignal();
// The signals that CatchQuitSignals caught: a sleep blocks them while it checks QuitSignal and
// unblocks them only inside the sleep itself, so that one arriving in between still wakes it.
void QuitSignalSet(sigset_t* set);
