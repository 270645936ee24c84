// The text of --help, in parts around the lines that speak of the window system
// (platform/platform.h) and the settings' own lines (app/setting_table.cpp).
#include "app/usage_text.h"

#include "app/setting_table.h"
#include "platform/platform.h"

namespace {

const char kUsageHead[] =
    "A flame, clouds and a field of stars made of textured particles, steered from the keyboard.\n"
    "\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and exit\n"
    "  -w, --windowed         stay in the start-up window instead of going full screen\n"
    "      --step=MS          fixed clock: every frame advances it by MS milliseconds (0 to 100)\n"
    "      --clock-start=MS   with --step: the clock's value before the first frame\n"
    "      --frames=N         draw N frames, then end with status 0\n"
    "      --capture=FILE     save frames as PNG: with %d or %04d in FILE every frame under\n"
    "                         its number, otherwise the last frame at exit; %% is a %;\n"
    "                         missing folders are made\n"
    "      --keys=SCRIPT      press keys at given frames: \"FRAME:KEY ...\", frames counted from\n"
    "                         1; KEY is one character or Space, Escape, Left, Right, Up, Down, "
    "F12\n"
    "                         (the names in any case)\n";
const char kUsageSaver[] =
    "      -root, -window-id ID, -fps  the one-dash forms screen-saver hacks take: --root,\n"
    "                         --window-id=ID and --clock\n"
    "      --target-fps=N     the frame rate --render-scale=auto holds (default 30)\n"
    "      --cpu-budget=CORES  with auto: the CPU time frames may cost, in cores (0 to\n"
    "                         1024, 0 for none; default 0, or 0.5 with --root or\n"
    "                         --window-id); where the smallest scale costs more, fewer\n"
    "                         frames, down to 10 a second\n"
    "\n"
    "The settings, at start-up (the keys change most of them as always; r restores the\n"
    "defaults but keeps the particle limit). The screen saver's settings offer most of them.\n";
const char kUsageSettingsEnd[] =
    "Long options are taken only when written in full, not abbreviated.\n"
    "\n";
const char kUsageKeys[] = "In the program, press ? for the keys and F12 for a screenshot.\n";

}  // namespace

const std::string& UsageText() {
  static const std::string usage = [] {
    const CommandLineTexts& platform = PlatformCommandLineTexts();
    return std::string(platform.usage) + kUsageHead + platform.textScale + platform.root +
           platform.windowId + kUsageSaver + SettingsHelp() + kUsageSettingsEnd +
           platform.systemOptions + kUsageKeys + platform.exitStatus;
  }();
  return usage;
}
