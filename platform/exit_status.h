// The program's exit statuses, the same on every platform and as --help states them. Here, at
// the bottom of the program's layers, because the platform's own code answers them too (a bad
// window id is a bad command line).
#pragma once

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;   // a capture file cannot be written, the window cannot be opened
constexpr int kExitBadUsage = 2;  // a bad command line, a bad or unknown window id
