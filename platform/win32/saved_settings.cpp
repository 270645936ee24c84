// The screen saver's settings in the registry, HKEY_CURRENT_USER\Software\Quor: read by /s and
// /p, written by the settings dialog of /c. Wide calls, the values being ASCII text.
#include "platform/win32/saved_settings.h"

#include <windows.h>

#include <string>

#include "platform/win32/utf8.h"

namespace {
constexpr const wchar_t* kSettingsKey = L"Software\\Quor";
constexpr DWORD kMaxValueChars = 64;  // every value the table takes is far shorter
}  // namespace

std::vector<SavedSetting> ReadSavedSettings() {
  std::vector<SavedSetting> saved;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return saved;
  for (const SaverSetting& setting : SaverSettings()) {
    wchar_t value[kMaxValueChars + 1];
    DWORD bytes = sizeof value;
    DWORD type = 0;
    if (RegQueryValueExW(key, Widen(setting.name).c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(value), &bytes) != ERROR_SUCCESS ||
        type != REG_SZ)
      continue;
    // The stored string need not end in a null: end it where the data ends.
    value[bytes / sizeof(wchar_t) < kMaxValueChars ? bytes / sizeof(wchar_t) : kMaxValueChars] =
        L'\0';
    std::string text;
    for (const wchar_t* c = value; *c != L'\0'; ++c)
      text += *c < 0x80 ? static_cast<char>(*c) : '?';  // no value the table takes is beyond ASCII
    saved.push_back({setting.name, text});
  }
  RegCloseKey(key);
  return saved;
}

bool WriteSavedSettings(const std::vector<SavedSetting>& settings) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                      nullptr) != ERROR_SUCCESS)
    return false;
  bool written = true;
  for (const SaverSetting& setting : SaverSettings()) {
    const std::wstring name = Widen(setting.name);
    const SavedSetting* given = nullptr;
    for (const SavedSetting& s : settings)
      if (s.name == setting.name) given = &s;
    if (given == nullptr) {
      const LONG status = RegDeleteValueW(key, name.c_str());
      written = written && (status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND);
      continue;
    }
    const std::wstring value = Widen(given->value.c_str());
    written =
        written &&
        RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
  }
  RegCloseKey(key);
  return written;
}
