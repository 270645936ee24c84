// The screen saver's settings dialog, which Windows opens with /c (or no argument): the settings
// of platform/saver_settings.h, saved for the user on OK (platform/win32/saved_settings.h).
#pragma once

#include <windows.h>

constexpr const wchar_t* kSettingsDialogTitle = L"Quor settings";

// Shows the dialog, owned by parent (null for none), until OK or Cancel. OK saves what it shows;
// Cancel and closing save nothing; Defaults empties every field, so that OK then saves nothing
// and the saver runs with its own defaults. False when the dialog cannot be opened.
bool RunSettingsDialog(HWND parent);
