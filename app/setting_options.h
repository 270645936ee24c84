// The options for the settings that keys change: one long option each, with the key's range and
// the value in the units its message shows. They set the state at start-up only; the keys and a
// reset work on it as always. app/options.cpp merges them into its table of long options.
#pragma once

#include <getopt.h>

#include <cstddef>
#include <optional>
#include <vector>

// Settings given on the command line; one not given keeps its default.
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

// getopt_long's val of a setting option is kSettingOptionBase plus its place in the list.
constexpr int kSettingOptionBase = 1000;

// Appends the getopt_long entries of the setting options (without the closing null entry).
void AppendSettingOptions(std::vector<option>* table);
bool IsSettingOption(int val);

// Reads the value of one setting option (null for those that take none) into settings. On a
// malformed or out-of-range value names the option, its range and the value in error (a
// bounded buffer) and returns false.
bool ParseSettingOption(int val, const char* value, StartSettings* settings, char* error,
                        size_t errorSize);
