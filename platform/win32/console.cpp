// The console of a GUI program: quor.exe is linked for the GUI subsystem, so that no console
// window flashes up when Windows starts the screen saver, and it therefore starts without one.
// Run from a console (cmd, PowerShell), it attaches to that console before main, so that --help,
// --version and errors are read there. Streams already redirected to a file or pipe are kept.
#include <windows.h>

#include <cstdio>

namespace {
bool HasStream(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

struct AttachParentConsole {
  AttachParentConsole() {
    const bool hadOut = HasStream(STD_OUTPUT_HANDLE);
    const bool hadErr = HasStream(STD_ERROR_HANDLE);
    if ((hadOut && hadErr) || !AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!hadOut) std::freopen("CONOUT$", "w", stdout);
    if (!hadErr) std::freopen("CONOUT$", "w", stderr);
  }
};
const AttachParentConsole attachParentConsole;
}  // namespace
