// The one table of settings (see app/setting_table.h) and what is read from it: the options'
// numbers, the parse of a value, the --help lines and the saver dialogs' view of the settings.
//
// The option's range is the keys' own where the keys have one; the factors and the camera, which
// the keys leave unbounded, get a range wide enough for any picture and narrow enough to stay
// far from the float's limits. The dialogs' range is narrower: every value a dialog offers was
// looked at on frame 150 of the fixed clock in a 400 x 300 window, and shows the flame (or the
// clouds with their sky), neither gone, nor a speck, nor washed out white. So the camera runs
// from today's view to where the flame is still large, the flame's intensity and emission stop
// before the picture turns white, the field of view keeps to 60..150 degrees, and the polygon
// modes (the particle texture is black along its edges and corners), the texture switch and
// hyperspace (frames pile up to white) are left to the keys and the command line.
#include "app/setting_table.h"

#include <cstdio>
#include <cstring>

#include "app/options.h"
#include "platform/number_text.h"

namespace {

// --- Where the values go ------------------------------------------------------------------------

template <std::optional<int> StartSettings::*field>
void StoreWhole(Options* options, double value) {
  options->startSettings.*field = static_cast<int>(value);
}
// Stored as the keys store it: the double rounded to the setting's float.
template <std::optional<float> StartSettings::*field>
void StoreReal(Options* options, double value) {
  options->startSettings.*field = static_cast<float>(value);
}
template <bool StartSettings::*field>
void StoreStartSwitch(Options* options, double) {
  options->startSettings.*field = true;
}
template <bool Options::*field>
void StoreSwitch(Options* options, double) {
  options->*field = true;
}
void StoreMaxFps(Options* options, double value) {
  options->maxFps = static_cast<int>(value);
}
void StoreRenderScale(Options* options, double value) {
  options->renderScaleAuto = value < 0.0;  // "auto"
  if (value >= 0.0) options->renderScale = value;
  options->renderScaleGiven = true;
}

// --- The rows -----------------------------------------------------------------------------------

constexpr double kMinFactor = 0.01;
constexpr double kMaxFactor = 100.0;
constexpr double kCameraRangeWorldUnits = 100.0;
constexpr double kMinRenderScale = 0.125;

constexpr SettingChoice kSceneLabels[] = {{"", "Flames"}, {"on", "Clouds"}};  // off, on
constexpr SettingChoice kFovChoices[] = {
    {"60", "60 degrees"}, {"90", "90 degrees"}, {"120", "120 degrees"}, {"150", "150 degrees"}};
constexpr SettingChoice kPolygonModes[] = {
    {"fill", "Filled particles"}, {"lines", "Particle outlines"}, {"points", "Particle corners"}};
constexpr SettingChoice kRenderScaleWord[] = {{"auto", "auto"}};
constexpr SettingChoice kRenderScaleChoices[] = {
    {"auto", "the resolution that holds 30 frames a second"},
    {"1", "full resolution"},
    {"0.75", "3/4 resolution"},
    {"0.5", "1/2 resolution"},
    {"0.35", "0.35 resolution"},
    {"0.25", "1/4 resolution"},
};

constexpr SettingDialog kNotOffered = {nullptr, 0,       0, nullptr, nullptr,
                                       false,   nullptr, 0, nullptr, false};

SettingDialog CheckBox(const char* label) {
  return {label, 0, 0, nullptr, nullptr, false, nullptr, 0, nullptr, false};
}
SettingDialog Slider(const char* label, double low, double high, const char* lowLabel,
                     const char* highLabel, bool ratio = false) {
  return {label, low, high, lowLabel, highLabel, ratio, nullptr, 0, nullptr, false};
}
SettingDialog SpinBox(const char* label, double low, double high) {
  return {label, low, high, nullptr, nullptr, false, nullptr, 0, nullptr, false};
}
template <std::size_t N>
SettingDialog Menu(const char* label, const SettingChoice (&choices)[N], const char* prefix) {
  return {label, 0, 0, nullptr, nullptr, false, choices, N, prefix, false};
}
SettingDialog NewColumn(SettingDialog dialog) {
  dialog.startsColumn = true;
  return dialog;
}

// The words a setting takes: all of a kWord's values, or the one a kDecimal takes besides numbers.
template <std::size_t N>
Setting WithWords(Setting setting, const SettingChoice (&words)[N]) {
  setting.words = words;
  setting.wordCount = N;
  return setting;
}

Setting Switch(const char* name, char shortName, const char* help, void (*store)(Options*, double),
               SettingDialog dialog) {
  return {name,  shortName, SettingKind::kSwitch, 0, 0, nullptr, 0, nullptr, nullptr, help,
          store, dialog};
}
Setting Number(const char* name, SettingKind kind, double min, double max, const char* defaultText,
               const char* takes, const char* help, void (*store)(Options*, double),
               SettingDialog dialog) {
  return {name, 0, kind, min, max, nullptr, 0, defaultText, takes, help, store, dialog};
}
// The six factors share their range and their default.
Setting Factor(const char* name, const char* help, void (*store)(Options*, double),
               SettingDialog dialog) {
  return Number(name, SettingKind::kDecimal, kMinFactor, kMaxFactor, "1",
                "a factor from 0.01 to 100", help, store, dialog);
}

std::vector<Setting> MakeTable() {
  using K = SettingKind;
  return {
      Switch("clouds", 0, "      --clouds           start with clouds instead of flames\n",
             StoreSwitch<&Options::clouds>,
             NewColumn(Menu("Clouds instead of flames", kSceneLabels, "Scene: "))),
      Number("particles", K::kWhole, 10, 320, "320", "a whole number of particles from 10 to 320",
             "      --particles=N      particle limit, 10 to 320 (default 320)\n",
             StoreWhole<&StartSettings::particleLimit>,
             Slider("Particles", 10, 320, "Few", "Many")),
      Factor("object-size",
             "      --object-size=F    object size factor; like all factors 0.01 to 100 "
             "(default 1)\n",
             StoreReal<&StartSettings::objectSize>,
             Slider("Flame intensity", 0.25, 1.5, "Faint", "Bright", true)),
      Factor("main-speed", "      --main-speed=F     main flow speed factor\n",
             StoreReal<&StartSettings::mainSpeed>,
             Slider("Flow speed", 0.25, 4, "Slow", "Fast", true)),
      Factor("emission", "      --emission=F       emission rate factor (ArrowY)\n",
             StoreReal<&StartSettings::emission>,
             Slider("Emission rate", 0.25, 2, "Low", "High", true)),
      Factor("rotate-speed", "      --rotate-speed=F   world rotate speed factor\n",
             StoreReal<&StartSettings::rotateSpeed>,
             Slider("Rotation speed", 0.1, 10, "Slow", "Fast", true)),
      Factor("movement-speed", "      --movement-speed=F  world movement speed factor\n",
             StoreReal<&StartSettings::movementSpeed>,
             Slider("Movement speed", 0.1, 10, "Slow", "Fast", true)),
      Factor("light-rotate-speed", "      --light-rotate-speed=F  light rotate speed factor\n",
             StoreReal<&StartSettings::lightRotateSpeed>,
             Slider("Light rotation speed", 0.1, 10, "Slow", "Fast", true)),
      Number("camera-z", K::kDecimal, -kCameraRangeWorldUnits, kCameraRangeWorldUnits, "0",
             "world units from -100 to 100",
             "      --camera-z=Z       camera Z in world units, -100 to 100 (default 0)\n",
             StoreReal<&StartSettings::cameraZ>,
             NewColumn(Slider("Camera distance", 0, 0.1, "Near", "Far"))),
      Number("fov", K::kEven, 10, 178, "120", "an even number of degrees from 10 to 178",
             "      --fov=DEG          field of view, even degrees from 10 to 178 (default 120)\n",
             StoreWhole<&StartSettings::fov>,
             Menu("Field of view", kFovChoices, "Field of view: ")),
      Number("letterbox", K::kWhole, 0, 6, "0", "a whole number from 0 to 6",
             "      --letterbox=N      letterbox bars, 0 to 6 (default 0)\n",
             StoreWhole<&StartSettings::letterbox>, SpinBox("Letterbox bars", 0, 6)),
      Number("tessellation", K::kWhole, 4, 40, "30", "a whole number from 4 to 40",
             "      --tessellation=N   tessellation, 4 to 40 (default 30)\n",
             StoreWhole<&StartSettings::tessellation>, kNotOffered),
      WithWords(Number("polygon-mode", K::kWord, 0, 2, "fill", "fill, lines or points",
                       "      --polygon-mode=MODE  fill, lines or points (default fill)\n",
                       StoreWhole<&StartSettings::polyMode>, kNotOffered),
                kPolygonModes),
      Switch("universe", 'u', "  -u, --universe         show the star field from the start\n",
             StoreSwitch<&Options::universeOn>, CheckBox("Field of stars")),
      Switch("spotlights", 0, "      --spotlights       coloured spotlights on\n",
             StoreStartSwitch<&StartSettings::spotLights>, CheckBox("Coloured spotlights")),
      Switch("no-textures", 0, "      --no-textures      textures flag off\n",
             StoreStartSwitch<&StartSettings::texturesOff>, kNotOffered),
      Switch("hyperspace", 0,
             "      --hyperspace       start in hyperspace: earlier frames stay on screen\n",
             StoreStartSwitch<&StartSettings::hyperspace>, kNotOffered),
      Switch("clock", 'c', "  -c, --clock            show the frame/second clock from the start\n",
             StoreSwitch<&Options::clockOn>, CheckBox("Show frame rate")),
      Switch("span", 0,
             "      --span             over several monitors, one scene across them all instead "
             "of a\n"
             "                         whole scene on each\n",
             StoreSwitch<&Options::span>, CheckBox("One scene across all monitors")),
      Switch("full-speed-on-battery", 0,
             "      --full-speed-on-battery  keep the defaults of --root and --window-id on "
             "battery,\n"
             "                         where they are otherwise halved (15 frames, a quarter "
             "core)\n",
             StoreSwitch<&Options::fullSpeedOnBattery>, CheckBox("Full speed on battery")),
      Number("max-fps", K::kWhole, 0, kMaxFpsLimit, "30", "a whole number from 0 to 1000",
             "      --max-fps=N        draw at most N frames a second (0 to 1000, 0 for no cap;\n"
             "                         default 0, or 30 with --root or --window-id)\n",
             StoreMaxFps, SpinBox("Frame cap, 0 for none", 0, 120)),
      WithWords(
          Number("render-scale", K::kDecimal, kMinRenderScale, 1, "auto",
                 "auto or a number from 0.125 to 1",
                 "      --render-scale=F   draw the scene at F (0.125 to 1) of the window's size "
                 "and\n"
                 "                         stretch it; auto chooses F each second to hold "
                 "--target-fps\n"
                 "                         (default 1, or auto with --root or --window-id)\n",
                 StoreRenderScale, Menu("Drawn at", kRenderScaleChoices, "Drawn at ")),
          kRenderScaleWord),
  };
}

}  // namespace

const std::vector<Setting>& SettingTable() {
  static const std::vector<Setting> table = MakeTable();
  return table;
}

int SettingOptionValue(std::size_t row) {
  const Setting& setting = SettingTable()[row];
  return setting.shortName != 0 ? setting.shortName : kSettingOptionBase + static_cast<int>(row);
}

std::string SettingShortOptions() {
  std::string letters;
  for (const Setting& s : SettingTable())
    if (s.shortName != 0) letters += s.shortName;
  return letters;
}

const Setting* SettingOfOption(int val) {
  const std::vector<Setting>& settings = SettingTable();
  for (std::size_t i = 0; i < settings.size(); ++i)
    if (SettingOptionValue(i) == val) return &settings[i];
  return nullptr;
}

bool ParseSettingOption(const Setting& s, const char* value, Options* options, char* error,
                        size_t errorSize) {
  double number = 0.0;
  bool ok = false;
  switch (s.kind) {
    case SettingKind::kSwitch:
      s.store(options, 1.0);
      return true;
    case SettingKind::kWhole:
    case SettingKind::kEven: {
      uint64_t n = 0;
      ok =
          ParseWholeNumber(value, static_cast<uint64_t>(s.min), static_cast<uint64_t>(s.max), &n) &&
          (s.kind != SettingKind::kEven || n % 2 == 0);
      number = static_cast<double>(n);
      break;
    }
    case SettingKind::kDecimal:
      if (s.wordCount == 1 && std::strcmp(value, s.words[0].value) == 0) {
        number = -1.0;
        ok = true;
      } else {
        ok = ParsePlainDecimal(value, &number) && number >= s.min && number <= s.max;
      }
      break;
    case SettingKind::kWord:
      for (std::size_t i = 0; i < s.wordCount; ++i) {
        if (std::strcmp(value, s.words[i].value) == 0) {
          number = static_cast<double>(i);
          ok = true;
        }
      }
      break;
  }
  if (ok) {
    s.store(options, number);
  } else {
    std::snprintf(error, errorSize, "--%s takes %s, not '%.60s'", s.name, s.takes, value);
  }
  return ok;
}

std::string SettingsHelp() {
  std::string help;
  for (const Setting& s : SettingTable()) help += s.help;
  return help;
}

std::vector<SaverSetting> OfferedSaverSettings() {
  std::vector<SaverSetting> offered;
  for (const Setting& s : SettingTable()) {
    const SettingDialog& d = s.dialog;
    if (d.label == nullptr) continue;
    SaverSetting setting{s.name, d.label,        SaverSettingKind::kSwitch,
                         d.low,  d.high,         nullptr,
                         0,      d.startsColumn, s.defaultText};
    if (s.kind != SettingKind::kSwitch) {
      if (d.choices != nullptr) {
        setting.kind = SaverSettingKind::kChoice;
        setting.choices = d.choices;
        setting.choiceCount = d.choiceCount;
      } else {
        setting.kind =
            s.kind == SettingKind::kDecimal ? SaverSettingKind::kDecimal : SaverSettingKind::kWhole;
      }
    }
    offered.push_back(setting);
  }
  return offered;
}
