// The screen saver's saved settings: the check of a saved value, and the options the saved values
// become. No system call, so that it builds and is tested on every platform.
#include "platform/saver_settings.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/number_text.h"

namespace {

// A number's bound as the dialog writes it: "0.25", "10", "-2".
std::string BoundText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

const std::vector<SaverSetting>* offered = nullptr;

}  // namespace

void OfferSaverSettings(const std::vector<SaverSetting>* settings) {
  offered = settings;
}

const std::vector<SaverSetting>& SaverSettings() {
  static const std::vector<SaverSetting> none;
  return offered != nullptr ? *offered : none;
}

const SaverSetting* FindSaverSetting(const char* name) {
  for (const SaverSetting& setting : SaverSettings())
    if (std::strcmp(setting.name, name) == 0) return &setting;
  return nullptr;
}

bool SaverSettingValueValid(const SaverSetting& setting, const char* value) {
  switch (setting.kind) {
    case SaverSettingKind::kSwitch:
      return std::strcmp(value, kSaverSwitchOn) == 0;
    case SaverSettingKind::kWhole: {
      uint64_t number = 0;
      return setting.low >= 0 && ParseWholeNumber(value, static_cast<uint64_t>(setting.low),
                                                  static_cast<uint64_t>(setting.high), &number);
    }
    case SaverSettingKind::kDecimal: {
      double number = 0.0;
      return ParsePlainDecimal(value, &number) && number >= setting.low && number <= setting.high;
    }
    case SaverSettingKind::kChoice:
      for (std::size_t i = 0; i < setting.choiceCount; ++i)
        if (std::strcmp(setting.choices[i].value, value) == 0) return true;
      return false;
  }
  return false;
}

std::string SaverSettingBounds(const SaverSetting& setting) {
  return BoundText(setting.low) + " to " + BoundText(setting.high);
}

std::string SaverSettingRange(const SaverSetting& setting) {
  switch (setting.kind) {
    case SaverSettingKind::kSwitch:
      return kSaverSwitchOn;
    case SaverSettingKind::kWhole:
      return "a whole number from " + SaverSettingBounds(setting);
    case SaverSettingKind::kDecimal:
      return "a number from " + SaverSettingBounds(setting);
    case SaverSettingKind::kChoice: {
      std::string values;
      for (std::size_t i = 0; i < setting.choiceCount; ++i)
        values += std::string(i == 0                         ? ""
                              : i + 1 == setting.choiceCount ? " or "
                                                             : ", ") +
                  setting.choices[i].value;
      return values;
    }
  }
  return "";
}

std::vector<std::string> SavedSettingsToOptions(const std::vector<SavedSetting>& saved,
                                                std::vector<std::string>* ignored) {
  const std::vector<SaverSetting>& settings = SaverSettings();
  std::vector<const SavedSetting*> chosen(settings.size(), nullptr);
  for (const SavedSetting& value : saved) {
    const SaverSetting* setting = FindSaverSetting(value.name.c_str());
    if (setting == nullptr) {
      if (ignored != nullptr) ignored->push_back("'" + value.name + "' is not a setting");
      continue;
    }
    if (!SaverSettingValueValid(*setting, value.value.c_str())) {
      if (ignored != nullptr)
        ignored->push_back(value.name + " takes " + SaverSettingRange(*setting) + ", not '" +
                           value.value + "'");
      continue;
    }
    chosen[static_cast<std::size_t>(setting - settings.data())] = &value;
  }
  std::vector<std::string> options;
  for (std::size_t i = 0; i < settings.size(); ++i) {
    if (chosen[i] == nullptr) continue;
    std::string option = std::string("--") + settings[i].name;
    if (settings[i].kind != SaverSettingKind::kSwitch) option += "=" + chosen[i]->value;
    options.push_back(option);
  }
  return options;
}
