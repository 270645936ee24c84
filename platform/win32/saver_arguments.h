// Windows' screen-saver command line, read apart from what it is turned into so that every form
// can be checked: /s, /p HWND, /c, none, in the spellings Windows and its tools use.
#pragma once

#include <cstdint>

enum class SaverMode {
  kSettings,    // /c, /c:HWND or no argument: the settings dialog
  kFullScreen,  // /s: the saver itself
  kPreview,     // /p HWND: inside the preview pane of the settings dialog
  kIgnored,     // /a (a password change, Windows 9x) or anything else: nothing to do
};

struct SaverCommand {
  SaverMode mode = SaverMode::kSettings;
  uint64_t window = 0;  // the preview pane for kPreview; the dialog's owner, if any, for kSettings
};

// argv[1] and argv[2] as Windows passes them: the letter after '/' or '-', in either case, and
// the window's decimal handle after a ':' or as the next argument ("/p 1234", "/p:1234",
// "-P 1234").
SaverCommand ReadSaverCommand(int argc, char** argv);

// True when path names a screen saver: a file ending in ".scr", in any case.
bool IsSaverProgram(const char* path);
