// SIGTERM, SIGINT and SIGHUP end the program in order, in every mode: the handler only records
// the signal, and the main loop, which looks at least every tenth of a second, quits through
// QuitApp (textures released, atexit handlers run, status 0, no fade).
#pragma once

// Installs the handler for the three signals. Without SA_RESTART, so that a sleep between
// frames ends at once when one arrives.
void CatchQuitSignals();
// The signal recorded, or 0.
int QuitSignal();
