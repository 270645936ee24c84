// The screen saver's saved settings: the table of what the settings dialog offers, the check of a
// saved value, and the options the saved values become. No system call, so that it builds and is
// tested on every platform.
#include "platform/saver_settings.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr SaverSettingChoice kFovChoices[] = {
    {"30", "30 degrees"},   {"60", "60 degrees"},   {"90", "90 degrees"},
    {"120", "120 degrees"}, {"150", "150 degrees"}, {"178", "178 degrees"},
};
constexpr SaverSettingChoice kPolygonModeChoices[] = {
    {"fill", "Filled particles"},
    {"lines", "Particle outlines"},
    {"points", "Particle corners"},
};
constexpr SaverSettingChoice kRenderScaleChoices[] = {
    {"1", "Full resolution"},    {"auto", "Lowered to hold 30 frames a second"},
    {"0.75", "3/4 resolution"},  {"0.5", "1/2 resolution"},
    {"0.35", "0.35 resolution"}, {"0.25", "1/4 resolution"},
};

template <std::size_t N>
SaverSetting Choice(const char* name, const char* label, const SaverSettingChoice (&choices)[N]) {
  return {name, label, SaverSettingKind::kChoice, 0, 0, choices, N, false};
}
SaverSetting Number(const char* name, const char* label, SaverSettingKind kind, double low,
                    double high) {
  return {name, label, kind, low, high, nullptr, 0, false};
}
SaverSetting Switch(const char* name, const char* label) {
  return {name, label, SaverSettingKind::kSwitch, 0, 0, nullptr, 0, false};
}
SaverSetting StartColumn(SaverSetting setting) {
  setting.startsColumn = true;
  return setting;
}

std::vector<SaverSetting> MakeSettings() {
  using K = SaverSettingKind;
  return {
      StartColumn(Switch("clouds", "Clouds instead of flames")),
      Number("particles", "Particles", K::kWhole, 10, 320),
      Number("object-size", "Flame intensity", K::kDecimal, 0.25, 4),
      Number("main-speed", "Flow speed", K::kDecimal, 0.25, 4),
      Number("emission", "Emission rate", K::kDecimal, 0.25, 4),
      Number("rotate-speed", "Rotation speed", K::kDecimal, 0.1, 10),
      Number("movement-speed", "Movement speed", K::kDecimal, 0.1, 10),
      Number("light-rotate-speed", "Light rotation speed", K::kDecimal, 0.1, 10),
      StartColumn(Number("camera-z", "Camera distance", K::kDecimal, -2, 2)),
      Choice("fov", "Field of view", kFovChoices),
      Number("letterbox", "Letterbox bars", K::kWhole, 0, 6),
      Choice("polygon-mode", "Particles drawn as", kPolygonModeChoices),
      Switch("universe", "Field of stars"),
      Switch("spotlights", "Coloured spotlights"),
      Switch("hyperspace", "Hyperspace (frames stay on screen)"),
      Switch("clock", "Show frame rate"),
      Switch("span", "One scene across all monitors"),
      Switch("full-speed-on-battery", "Full speed on battery"),
      Number("max-fps", "Frame cap, 0 for none", K::kWhole, 0, 120),
      Choice("render-scale", "Drawn at", kRenderScaleChoices),
  };
}

// Digits only, or with decimal: an optional '-', digits, and at most one '.' among them.
bool PlainNumber(const char* text, bool decimal) {
  const char* p = text;
  if (decimal && *p == '-') ++p;
  bool digits = false, point = false;
  for (; *p != '\0'; ++p) {
    if (std::isdigit(static_cast<unsigned char>(*p))) {
      digits = true;
    } else if (decimal && *p == '.' && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digits;
}

// A number's bound as the dialog writes it: "0.25", "10", "-2".
std::string BoundText(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

}  // namespace

const std::vector<SaverSetting>& SaverSettings() {
  static const std::vector<SaverSetting> settings = MakeSettings();
  return settings;
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
    case SaverSettingKind::kWhole:
    case SaverSettingKind::kDecimal: {
      constexpr std::size_t kMaxDigits = 12;  // beyond any range here, and no overflow
      if (std::strlen(value) > kMaxDigits ||
          !PlainNumber(value, setting.kind == SaverSettingKind::kDecimal))
        return false;
      const double number = std::strtod(value, nullptr);
      return number >= setting.low && number <= setting.high;
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
