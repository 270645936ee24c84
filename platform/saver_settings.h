// The settings a screen saver's settings dialog offers, as they are saved and as they become
// options. Pure text with no system call, shared by every platform so that the rules are tested
// where the tests run; the Win32 saver keeps them in the registry
// (platform/win32/saved_settings.cpp) and edits them in platform/win32/settings_dialog.cpp. Which
// settings are offered is the program's table of settings (app/setting_table.cpp), handed over
// with OfferSaverSettings before the command line is translated.
//
// A saved setting is a name, the long option's, and the option's value as text: "particles" =
// "80" becomes --particles=80, a switch saved as "on" becomes --clock. A setting not saved keeps
// the program's own default, so the defaults live in one place: the option parser.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum class SaverSettingKind {
  kSwitch,   // an option without a value, given when the setting is "on"
  kWhole,    // a whole number from low to high
  kDecimal,  // a plain decimal number from low to high
  kChoice,   // one of the listed values
};

struct SaverSettingChoice {
  const char* value;  // the option's value
  const char* label;  // what the dialog shows
};

struct SaverSetting {
  const char* name;   // the long option, and the saved value's name
  const char* label;  // what the dialog shows
  SaverSettingKind kind;
  double low, high;                   // kWhole and kDecimal
  const SaverSettingChoice* choices;  // kChoice
  std::size_t choiceCount;
  bool startsColumn;        // the dialog begins a new column with this setting
  const char* defaultText;  // what the saver does with the setting left empty ("320")
};

// Hands over the settings the dialogs offer, in their order; *settings must outlive their use.
void OfferSaverSettings(const std::vector<SaverSetting>* settings);
// The settings offered, in the order the dialog shows them; none before OfferSaverSettings.
const std::vector<SaverSetting>& SaverSettings();
// The setting saved under name, or null.
const SaverSetting* FindSaverSetting(const char* name);

// The text a switch holds when it is on.
constexpr const char* kSaverSwitchOn = "on";

// True when value is one the setting takes: "on" for a switch; digits only for a whole number;
// plain decimal notation ("0.5", "-2", ".5", platform/number_text.h) for a decimal; in range;
// one of the choices' values.
bool SaverSettingValueValid(const SaverSetting& setting, const char* value);

// The bounds of a number's range as a reader would say them ("10 to 320", "-2 to 2").
std::string SaverSettingBounds(const SaverSetting& setting);

// The range a number takes, or the values a choice takes, as a reader would say it
// ("a whole number from 10 to 320"), for a message about a wrong value.
std::string SaverSettingRange(const SaverSetting& setting);

struct SavedSetting {
  std::string name;
  std::string value;
};

// The command-line options for the saved settings, in the dialog's order, a setting named twice
// taken once (the last valid one). Unknown names and values a setting does not take are left out
// and described, one line each, in *ignored (when given), so that a hand-edited value cannot stop
// the saver.
std::vector<std::string> SavedSettingsToOptions(const std::vector<SavedSetting>& saved,
                                                std::vector<std::string>* ignored);
