// The setting options as one table: name, kind of value, range and where the value goes. The
// ranges are the keys' own where the keys have one; the factors and the camera, which the keys
// leave unbounded, get a range wide enough for any picture and narrow enough to stay far from
// the float's limits.
#include "app/setting_options.h"

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/number_text.h"

namespace {

enum class Kind {
  kWhole,        // a whole number from min to max
  kEven,         // an even whole number from min to max: the field of view steps by 2
  kReal,         // a decimal number from min to max
  kPolygonMode,  // fill, lines or points
  kFlag,         // no value
};

struct SettingOption {
  const char* name;
  Kind kind;
  double min, max;
  const char* takes;  // what the value is, for the message about a bad one
  std::optional<int> StartSettings::*whole;
  std::optional<float> StartSettings::*real;
  bool StartSettings::*flag;
};

constexpr double kMinFactor = 0.01;
constexpr double kMaxFactor = 100.0;
constexpr double kCameraRangeWorldUnits = 100.0;

// The six factors share their range.
constexpr SettingOption Factor(const char* name, std::optional<float> StartSettings::*field) {
  return {name,    Kind::kReal, kMinFactor, kMaxFactor, "a factor from 0.01 to 100",
          nullptr, field,       nullptr};
}

const SettingOption kSettingOptions[] = {
    {"particles", Kind::kWhole, 10, 320, "a whole number of particles from 10 to 320",
     &StartSettings::particleLimit, nullptr, nullptr},
    Factor("object-size", &StartSettings::objectSize),
    Factor("main-speed", &StartSettings::mainSpeed),
    Factor("emission", &StartSettings::emission),
    Factor("rotate-speed", &StartSettings::rotateSpeed),
    Factor("movement-speed", &StartSettings::movementSpeed),
    Factor("light-rotate-speed", &StartSettings::lightRotateSpeed),
    {"camera-z", Kind::kReal, -kCameraRangeWorldUnits, kCameraRangeWorldUnits,
     "world units from -100 to 100", nullptr, &StartSettings::cameraZ, nullptr},
    {"fov", Kind::kEven, 10, 178, "an even number of degrees from 10 to 178", &StartSettings::fov,
     nullptr, nullptr},
    {"letterbox", Kind::kWhole, 0, 6, "a whole number from 0 to 6", &StartSettings::letterbox,
     nullptr, nullptr},
    {"tessellation", Kind::kWhole, 4, 40, "a whole number from 4 to 40",
     &StartSettings::tessellation, nullptr, nullptr},
    {"polygon-mode", Kind::kPolygonMode, 0, 2, "fill, lines or points", &StartSettings::polyMode,
     nullptr, nullptr},
    {"spotlights", Kind::kFlag, 0, 0, nullptr, nullptr, nullptr, &StartSettings::spotLights},
    {"no-textures", Kind::kFlag, 0, 0, nullptr, nullptr, nullptr, &StartSettings::texturesOff},
    {"hyperspace", Kind::kFlag, 0, 0, nullptr, nullptr, nullptr, &StartSettings::hyperspace},
};

constexpr int kSettingOptionCount =
    static_cast<int>(sizeof kSettingOptions / sizeof(SettingOption));

}  // namespace

void AppendSettingOptions(std::vector<option>* table) {
  for (int i = 0; i < kSettingOptionCount; ++i) {
    const SettingOption& s = kSettingOptions[i];
    table->push_back({s.name, s.kind == Kind::kFlag ? no_argument : required_argument, nullptr,
                      kSettingOptionBase + i});
  }
}

bool IsSettingOption(int val) {
  return val >= kSettingOptionBase && val < kSettingOptionBase + kSettingOptionCount;
}

bool ParseSettingOption(int val, const char* value, StartSettings* settings, char* error,
                        size_t errorSize) {
  const SettingOption& s = kSettingOptions[val - kSettingOptionBase];
  bool ok = false;
  switch (s.kind) {
    case Kind::kFlag:
      settings->*s.flag = true;
      return true;
    case Kind::kWhole:
    case Kind::kEven: {
      uint64_t n = 0;
      ok =
          ParseWholeNumber(value, static_cast<uint64_t>(s.min), static_cast<uint64_t>(s.max), &n) &&
          (s.kind != Kind::kEven || n % 2 == 0);
      if (ok) settings->*s.whole = static_cast<int>(n);
      break;
    }
    case Kind::kReal: {
      double x = 0.0;
      ok = ParsePlainDecimal(value, &x) && x >= s.min && x <= s.max;
      // Stored as the keys store it: the double rounded to the setting's float.
      if (ok) settings->*s.real = static_cast<float>(x);
      break;
    }
    case Kind::kPolygonMode: {
      static const char* const kModes[] = {"fill", "lines", "points"};
      for (int mode = 0; mode < 3; ++mode) {
        if (std::strcmp(value, kModes[mode]) == 0) {
          settings->*s.whole = mode;
          ok = true;
        }
      }
      break;
    }
  }
  if (!ok) std::snprintf(error, errorSize, "--%s takes %s, not '%.60s'", s.name, s.takes, value);
  return ok;
}
