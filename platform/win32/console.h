// Where the program's messages go on Windows (platform/win32/console.cpp).
#pragma once

// From now on a failure shows no message box: the screen saver's /s and /p go on with defaults
// where they can and end silently where they cannot, as Windows expects of a saver.
void KeepFailuresSilent();
