// The screen saver's saved settings as options: which values a setting takes, and what a set of
// saved values (as the registry or a hand edit leaves them) becomes on the command line.
#include "platform/saver_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/setting_table.h"

namespace {

// The settings as the program offers them (app/main.cpp does the same).
const std::vector<SaverSetting> offered = OfferedSaverSettings();
const bool offeredToThePlatform = (OfferSaverSettings(&offered), true);

using Options = std::vector<std::string>;

TEST(SaverSettings, EveryNameIsALongOptionFoundOnceWithALabel) {
  for (const SaverSetting& setting : SaverSettings()) {
    EXPECT_EQ(FindSaverSetting(setting.name), &setting) << setting.name;
    EXPECT_STRNE(setting.label, "") << setting.name;
    EXPECT_EQ(setting.kind == SaverSettingKind::kChoice, setting.choiceCount > 0) << setting.name;
  }
  EXPECT_EQ(FindSaverSetting("capture"), nullptr) << "only what the dialog offers is read";
  EXPECT_TRUE(SaverSettings().front().startsColumn);
}

// Both ends and every choice are accepted (saver_settings_options_test); here, what is refused.
TEST(SaverSettings, ValuesAreCheckedAsTheirKindAndRange) {
  struct Case {
    const char* name;
    const char* value;
    bool valid;
  };
  const Case cases[] = {
      {"particles", "10", true},
      {"particles", "320", true},
      {"particles", "9", false},
      {"particles", "321", false},
      {"particles", "8.5", false},
      {"particles", "+80", false},
      {"particles", " 80", false},
      {"particles", "", false},
      {"particles", "99999999999999999999", false},
      {"object-size", ".5", true},
      {"object-size", "+.5", true},  // as the command line reads it
      {"object-size", "0,5", false},
      {"object-size", "1.51", false},
      {"object-size", "1e0", false},
      {"object-size", "inf", false},
      {"object-size", "1.2.3", false},
      {"camera-z", "0", true},
      {"camera-z", "-0.01", false},
      {"camera-z", "--1", false},
      {"clock", "on", true},
      {"clock", "off", false},
      {"fov", "178", false},
      {"render-scale", "auto", true},
      {"render-scale", "0.4", false},
      {"max-fps", "121", false},
  };
  for (const Case& c : cases) {
    const SaverSetting* setting = FindSaverSetting(c.name);
    ASSERT_NE(setting, nullptr) << c.name;
    EXPECT_EQ(SaverSettingValueValid(*setting, c.value), c.valid) << c.name << "=" << c.value;
  }
}

TEST(SaverSettings, RangesAreSaidAsAReaderWouldSayThem) {
  EXPECT_EQ(SaverSettingRange(*FindSaverSetting("particles")), "a whole number from 10 to 320");
  EXPECT_EQ(SaverSettingRange(*FindSaverSetting("camera-z")), "a number from 0 to 0.1");
  EXPECT_EQ(SaverSettingRange(*FindSaverSetting("fov")), "60, 90, 120 or 150");
  EXPECT_EQ(SaverSettingBounds(*FindSaverSetting("rotate-speed")), "0.1 to 10");
}

TEST(SaverSettings, SavedValuesBecomeOptionsInTheDialogsOrder) {
  const std::vector<SavedSetting> saved = {
      {"clock", "on"}, {"particles", "80"}, {"render-scale", "auto"}, {"camera-z", "0.05"}};
  std::vector<std::string> ignored;
  EXPECT_EQ(SavedSettingsToOptions(saved, &ignored),
            (Options{"--particles=80", "--camera-z=0.05", "--clock", "--render-scale=auto"}));
  EXPECT_TRUE(ignored.empty());
  EXPECT_TRUE(SavedSettingsToOptions({}, &ignored).empty()) << "nothing saved: the defaults";
  // A setting saved twice keeps its last valid value.
  EXPECT_EQ(SavedSettingsToOptions({{"particles", "50"}, {"particles", "60"}}, nullptr),
            (Options{"--particles=60"}));
  EXPECT_EQ(SavedSettingsToOptions({{"particles", "50"}, {"particles", "5"}}, nullptr),
            (Options{"--particles=50"}));
}

TEST(SaverSettings, WrongOrUnknownValuesAreLeftOutAndNamed) {
  const std::vector<SavedSetting> saved = {
      {"particles", "many"}, {"window-id", "12"}, {"fov", "60"}, {"clock", "yes"}};
  std::vector<std::string> ignored;
  EXPECT_EQ(SavedSettingsToOptions(saved, &ignored), (Options{"--fov=60"}));
  EXPECT_EQ(ignored, (Options{"particles takes a whole number from 10 to 320, not 'many'",
                              "'window-id' is not a setting", "clock takes on, not 'yes'"}));
  EXPECT_EQ(SavedSettingsToOptions(saved, nullptr), (Options{"--fov=60"}));
}

}  // namespace
