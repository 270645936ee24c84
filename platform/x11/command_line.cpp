// The command line on X11 is Quor's own from the start: screen-saver daemons pass --root or
// --window-id themselves.
#include "platform/platform.h"

void TranslateCommandLine(int*, char***) {}

const CommandLineTexts& PlatformCommandLineTexts() {
  static const CommandLineTexts texts = {
      "Usage: quor [OPTION]... [X OPTION]...\n",
      "      --text-scale=N     draw all text N times larger (1 to 8); without it the desktop's\n"
      "                         Xft.dpi / 96, else GDK_SCALE, else 1\n",
      "  -r, --root             draw in the window named by $XSCREENSAVER_WINDOW, else on the\n"
      "                         root window, as a screen-saver hack (keys do nothing)\n",
      "      --window-id=ID     the same in the window ID (0x... or decimal)\n",
      "X options such as -display NAME and -geometry WxH+X+Y are handed to freeglut.\n",
      "Exit status: 0; 1 when a capture file cannot be written or the X display cannot\n"
      "be opened or used (no DISPLAY, a bad -geometry, ...); 2 for a bad command line.\n",
      "an X window id, 0x... or decimal",
  };
  return texts;
}
