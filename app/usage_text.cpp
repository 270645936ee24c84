// The text of --help, in parts around the lines that speak of the window system
// (platform/platform.h).
#include "app/usage_text.h"

#include "platform/platform.h"

namespace {

const char kUsageHead[] =
    "A flame, clouds and a field of stars made of textured particles, steered from the keyboard.\n"
    "\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and exit\n"
    "  -w, --windowed         stay in the start-up window instead of going full screen\n"
    "  -c, --clock            show the frame/second clock from the start\n"
    "  -u, --universe         show the star field from the start\n"
    "      --clouds           start with clouds instead of flames\n"
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
const char kUsageOneDash[] =
    "      -root, -window-id ID, -fps  the one-dash forms screen-saver hacks take: --root,\n"
    "                         --window-id=ID and --clock\n"
    "      --span             over several monitors, one scene across them all instead of a\n"
    "                         whole scene on each\n";
const char kUsageFrameRate[] =
    "      --max-fps=N        draw at most N frames a second (0 to 1000, 0 for no cap;\n"
    "                         default 0, or 30 with --root or --window-id)\n"
    "      --render-scale=F   draw the scene at F (0.125 to 1) of the window's size and\n"
    "                         stretch it; auto chooses F each second to hold --target-fps\n"
    "                         (default 1, or auto with --root or --window-id)\n"
    "      --target-fps=N     the frame rate --render-scale=auto holds (default 30)\n"
    "      --cpu-budget=CORES  with auto: the CPU time frames may cost, in cores (0 to\n"
    "                         1024, 0 for none; default 0, or 0.5 with --root or\n"
    "                         --window-id); where the smallest scale costs more, fewer\n"
    "                         frames, down to 10 a second\n"
    "      --full-speed-on-battery  keep the defaults of --root and --window-id on battery,\n"
    "                         where they are otherwise halved (15 frames, a quarter core)\n"
    "\n"
    "The settings the keys change, at start-up (the keys work as always, r restores the\n"
    "defaults but keeps the particle limit):\n"
    "      --particles=N      particle limit, 10 to 320 (default 320)\n"
    "      --object-size=F    object size factor; like all factors 0.01 to 100 (default 1)\n"
    "      --main-speed=F     main flow speed factor\n"
    "      --emission=F       emission rate factor (ArrowY)\n"
    "      --rotate-speed=F   world rotate speed factor\n"
    "      --movement-speed=F  world movement speed factor\n"
    "      --light-rotate-speed=F  light rotate speed factor\n"
    "      --camera-z=Z       camera Z in world units, -100 to 100 (default 0)\n"
    "      --fov=DEG          field of view, even degrees from 10 to 178 (default 120)\n"
    "      --letterbox=N      letterbox bars, 0 to 6 (default 0)\n"
    "      --tessellation=N   tessellation, 4 to 40 (default 30)\n"
    "      --polygon-mode=MODE  fill, lines or points (default fill)\n"
    "      --spotlights       coloured spotlights on\n"
    "      --no-textures      textures flag off\n"
    "      --hyperspace       start in hyperspace: earlier frames stay on screen\n"
    "Long options are taken only when written in full, not abbreviated.\n"
    "\n";
const char kUsageKeys[] = "In the program, press ? for the keys and F12 for a screenshot.\n";

}  // namespace

const std::string& UsageText() {
  static const std::string usage = [] {
    const CommandLineTexts& platform = PlatformCommandLineTexts();
    return std::string(platform.usage) + kUsageHead + platform.textScale + platform.root +
           platform.windowId + kUsageOneDash + kUsageFrameRate + platform.systemOptions +
           kUsageKeys + platform.exitStatus;
  }();
  return usage;
}
