// The command line on Win32: a program named *.scr is a screen saver, started by Windows with
// its own arguments; they become Quor's options here, so that the rest of the program knows
// only those. The settings saved by the dialog of /c come first, so that what the saver
// arguments say comes last. quor.exe keeps the GNU command line.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/exit_status.h"
#include "platform/platform.h"
#include "platform/saver_settings.h"
#include "platform/win32/console.h"
#include "platform/win32/saved_settings.h"
#include "platform/win32/saver_arguments.h"
#include "platform/win32/settings_dialog.h"

namespace {
// The translated command line; it outlives main's use of argv.
std::vector<std::string> translatedWords;
std::vector<char*> translated;
}  // namespace

void TranslateCommandLine(int* argc, char*** argv) {
  char path[4096];
  const char* program = ProgramPath(path, sizeof path) ? path : (*argc > 0 ? (*argv)[0] : "");
  if (!IsSaverProgram(program)) return;
  const SaverCommand command = ReadSaverCommand(*argc, *argv);
  switch (command.mode) {
    case SaverMode::kSettings:
      if (!RunSettingsDialog(reinterpret_cast<HWND>(static_cast<uintptr_t>(command.window)))) {
        std::fprintf(stderr, "quor: the settings dialog could not be opened (Windows error %lu)\n",
                     GetLastError());
        EndProgram(kExitFailure);
      }
      EndProgram(kExitSuccess);
    case SaverMode::kIgnored:
      EndProgram(kExitSuccess);
    case SaverMode::kFullScreen:
    case SaverMode::kPreview:
      KeepFailuresSilent();
      break;
  }
  std::vector<std::string> ignored;
  translatedWords = SavedSettingsToOptions(ReadSavedSettings(), &ignored);
  for (const std::string& reason : ignored)
    std::fprintf(stderr, "quor: warning: a saved setting is ignored: %s\n", reason.c_str());
  if (command.mode == SaverMode::kFullScreen) {
    translatedWords.push_back("--root");
  } else {
    translatedWords.push_back("--window-id=" + std::to_string(command.window));
  }
  translated.push_back(*argc > 0 ? (*argv)[0] : const_cast<char*>("quor"));
  for (std::string& word : translatedWords) translated.push_back(&word[0]);
  *argc = static_cast<int>(translated.size());
  translated.push_back(nullptr);
  *argv = translated.data();
}

const CommandLineTexts& PlatformCommandLineTexts() {
  static const CommandLineTexts texts = {
      "Usage: quor [OPTION]... [GLUT OPTION]...\n",
      "      --text-scale=N     draw all text N times larger (1 to 8); without it the monitor's\n"
      "                         DPI / 96, else GDK_SCALE, else 1\n",
      "  -r, --root             draw over the whole desktop as a screen saver, ending on a\n"
      "                         key, a mouse button or a movement of the mouse\n",
      "      --window-id=ID     draw in the window ID (a decimal HWND), as a screen saver's\n"
      "                         preview (keys do nothing)\n",
      "freeglut's options such as -geometry WxH+X+Y are handed to freeglut. Named quor.scr,\n"
      "the program takes Windows' screen-saver arguments instead: /s, /p HWND, /c.\n",
      "Exit status: 0; 1 when a capture file cannot be written or the window cannot be\n"
      "opened (a bad -geometry, ...); 2 for a bad command line.\n",
      "a window handle (HWND) in decimal",
  };
  return texts;
}
