// The command line on Win32: a program named *.scr is a screen saver, started by Windows with
// its own arguments; they become Quor's options here, so that the rest of the program knows
// only those. quor.exe keeps the GNU command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "platform/platform.h"
#include "platform/win32/saver_arguments.h"

namespace {
constexpr int kMaxTranslatedArguments = 3;
char* translated[kMaxTranslatedArguments + 1] = {};
char rootOption[] = "--root";
char windowOption[40];
}  // namespace

void TranslateCommandLine(int* argc, char*** argv) {
  char path[4096];
  const char* program = ProgramPath(path, sizeof path) ? path : (*argc > 0 ? (*argv)[0] : "");
  if (!IsSaverProgram(program)) return;
  const SaverCommand command = ReadSaverCommand(*argc, *argv);
  int count = 0;
  translated[count++] = (*argv)[0];
  switch (command.mode) {
    case SaverMode::kFullScreen:
      translated[count++] = rootOption;
      break;
    case SaverMode::kPreview:
      std::snprintf(windowOption, sizeof windowOption, "--window-id=%llu",
                    static_cast<unsigned long long>(command.window));
      translated[count++] = windowOption;
      break;
    case SaverMode::kSettings:
      MessageBoxW(nullptr,
                  L"Quor has no settings of its own yet: it draws its flame with the defaults.",
                  L"Quor", MB_OK | MB_ICONINFORMATION);
      std::exit(0);
    case SaverMode::kIgnored:
      std::exit(0);
  }
  translated[count] = nullptr;
  *argc = count;
  *argv = translated;
}
