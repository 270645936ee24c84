// The program's command line: GNU-style options parsed in one place before the window opens.
// freeglut's own X options (-display, -geometry, ...) are passed over here and left to glutInit.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "app/setting_table.h"

// One key of a --keys script: pressed just before the given frame is drawn (frames count
// from 1), through the key handlers that real keys reach.
struct ScriptKey {
  uint64_t frame;
  bool special;  // a GLUT special key (arrows, F12) rather than a character
  int code;      // the character, or the GLUT special-key code
};

struct Options {
  bool windowed = false;       // keep the start-up window instead of going full screen
  bool clockOn = false;        // frame/second clock shown from the start
  bool universeOn = false;     // star field shown from the start
  bool clouds = false;         // start with clouds instead of flames
  bool geometryGiven = false;  // freeglut's -geometry sets the window's size and place

  bool fixedClock = false;  // --step: every frame advances the clock by stepMs
  uint32_t stepMs = 0;
  uint32_t clockStartMs = 0;  // the fixed clock's value before the first frame

  uint64_t frames = 0;          // end after this many frames; 0 runs until the user quits
  std::string capture;          // PNG path or printf pattern with one frame number; empty: none
  std::vector<ScriptKey> keys;  // in frame order
  int textScale = 0;            // --text-scale, 1 to 8; 0: the desktop's scaling decides

  // As a screen-saver hack: draw inside a window of another program (see platform/platform.h).
  bool root = false;           // -r: the window in $XSCREENSAVER_WINDOW, else the root window
  unsigned long windowId = 0;  // --window-id; 0 for none
  bool span = false;           // one scene over every monitor, not one on each
  int maxFps = -1;             // --max-fps; -1 when not given
  std::string display;         // freeglut's -display value, for the program's own X connection

  bool fullSpeedOnBattery = false;  // --full-speed-on-battery: the defaults stay on battery
  bool onBattery = false;           // the machine's power source, as last read (app/shell.cpp)

  bool Embedded() const { return root || windowId != 0; }
  // Frames per second at most; 0 for no cap. Embedded, the default is 30, halved on battery.
  uint32_t FrameCap() const;
  // The CPU budget of --render-scale=auto, in cores; 0 for none. Embedded, the default is 0.5,
  // halved on battery.
  double CpuBudget() const;
  // True while the embedded defaults are halved: on battery, unless --full-speed-on-battery.
  bool BatteryRest() const { return Embedded() && onBattery && !fullSpeedOnBattery; }

  StartSettings startSettings;  // the settings the keys change, as given on the command line

  double renderScale = 1.0;       // the scene drawn at this share of the window's size
  bool renderScaleAuto = false;   // the share chosen each second to hold targetFps (embedded: the
                                  // default)
  bool renderScaleGiven = false;  // --render-scale was given: a saver keeps it
  uint32_t targetFps = 30;
  double cpuBudget = -1.0;  // --cpu-budget in cores; -1 when not given
};

extern Options options;  // the command line of this run

enum class ParseOutcome {
  kRun,       // go on and open the window
  kAnswered,  // --help or --version was answered
  kBadUsage,  // the command line was wrong; the reason and the usage went to err
};

constexpr int kMaxFpsLimit = 1000;

// Reads argv without changing it. Messages for --help and --version go to out, errors and
// warnings to err. Long options are taken only when written in full: an abbreviation that works
// today would become ambiguous, or mean another option, as options are added.
ParseOutcome ParseOptions(int argc, char** argv, Options* result, std::FILE* out, std::FILE* err);
