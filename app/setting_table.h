// The one table of the program's settings: for each, its long option, where its value goes, its
// range and default, its lines of --help, and how the screen saver's settings dialogs offer it
// (xscreensaver's dist/quor.xml, MATE's, and the Windows dialog of quor.scr /c). The option
// parser, --help, the saved settings of Windows and dist/quor.xml all read it, so a setting is
// described once. A new setting is one row of kSettingTable in app/setting_table.cpp, its field
// in Options or StartSettings, and, for a setting the keys change, where the scene takes it
// (sim/scene.cpp) and its key (sim/controls.cpp).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/saver_settings.h"

struct Options;

// The settings the keys change, as given on the command line; one not given keeps its default.
struct StartSettings {
  std::optional<int> particleLimit;  // 10..320, any whole number (the keys give six of them)
  std::optional<float> objectSize;   // factors, as the keys multiply them
  std::optional<float> mainSpeed;
  std::optional<float> emission;  // the emission rate factor, "ArrowY" in its message
  std::optional<float> rotateSpeed;
  std::optional<float> movementSpeed;
  std::optional<float> lightRotateSpeed;
  std::optional<float> cameraZ;     // world units
  std::optional<int> fov;           // even degrees, 10..178, as the keys step it
  std::optional<int> letterbox;     // 0..6
  std::optional<int> tessellation;  // 4..40
  std::optional<int> polyMode;      // 0 filled, 1 lines, 2 points
  bool spotLights = false;
  bool texturesOff = false;
  bool hyperspace = false;  // no clearing between frames
};

enum class SettingKind {
  kSwitch,   // an option without a value
  kWhole,    // a whole number from min to max
  kEven,     // an even whole number from min to max: the field of view steps by 2
  kDecimal,  // a plain decimal number from min to max, or the row's word
  kWord,     // one of the row's words, stored as its place among them
};

// A value a setting takes and what the dialogs call it.
using SettingChoice = SaverSettingChoice;

// How the saver's dialogs offer a setting. A number is a slider (with the labels of its ends)
// or, without them, a spin box; a choice offers its values; a switch is a check box, or a
// choice between two labels where it picks one of two scenes. label null: not offered.
struct SettingDialog {
  const char* label;
  double low, high;  // a number's range in the dialogs, where every value shows the scene
  const char* lowLabel;
  const char* highLabel;
  bool ratio;                    // a factor: xscreensaver's slider is logarithmic
  const SettingChoice* choices;  // a choice's values; a switch's off and on labels
  std::size_t choiceCount;
  const char* choicePrefix;  // before each choice's label in quor.xml
  bool startsColumn;         // begins a new column of the dialogs
};

struct Setting {
  const char* name;  // the long option, the saved setting and quor.xml's id
  char shortName;    // or 0
  SettingKind kind;
  double min, max;             // what the option takes
  const SettingChoice* words;  // kWord: the words; kDecimal: one word besides numbers
  std::size_t wordCount;
  const char* defaultText;  // what an empty field in the dialogs stands for
  const char* takes;        // "a whole number from 10 to 320", for a bad value
  const char* help;         // its lines of --help
  void (*store)(Options* options, double value);  // kWord: the place; a row's word: -1
  SettingDialog dialog;
};

// The rows, in the order of --help's settings and of the dialogs.
const std::vector<Setting>& SettingTable();

// The number that stands for a row's option in the option parser: its short name, else
// kSettingOptionBase plus its place in the table.
constexpr int kSettingOptionBase = 1000;
int SettingOptionValue(std::size_t row);
// The row whose option's number is val, or null.
const Setting* SettingOfOption(int val);
// The short names of the settings, one letter each.
std::string SettingShortOptions();

// Reads the value of one setting's option (null for a switch) into options. On a malformed or
// out-of-range value names the option, its range and the value in error (a bounded buffer) and
// returns false.
bool ParseSettingOption(const Setting& setting, const char* value, Options* options, char* error,
                        size_t errorSize);

// The --help lines of every setting, in the table's order.
std::string SettingsHelp();

// The settings the saver's dialogs offer, for platform/saver_settings.h.
std::vector<SaverSetting> OfferedSaverSettings();
