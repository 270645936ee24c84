// The screen saver's settings as Windows keeps them for the user: one string value per setting
// under HKEY_CURRENT_USER\Software\Quor, named after its long option and holding the option's
// value (platform/saver_settings.h says what they mean).
#pragma once

#include <vector>

#include "platform/saver_settings.h"

// The values saved under the names of the settings table, in its order; none when nothing is
// saved or the key cannot be read. Values of other types or names are not read.
std::vector<SavedSetting> ReadSavedSettings();

// Makes saved what is given: each setting of the table is written when given and deleted when
// not, so that an empty list brings back every default. False when the key cannot be written.
bool WriteSavedSettings(const std::vector<SavedSetting>& settings);
