// Every value the screen saver's settings dialog can save is an option the program takes, with
// the value it was saved with.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/options.h"
#include "app/setting_table.h"
#include "platform/saver_settings.h"

namespace {

// The settings as the program offers them (app/main.cpp does the same).
const std::vector<SaverSetting> offered = OfferedSaverSettings();
const bool offeredToThePlatform = (OfferSaverSettings(&offered), true);

// The values a setting's edge cases give: both ends of a range, every choice, a switch on.
std::vector<std::string> EdgeValues(const SaverSetting& setting) {
  char text[32];
  switch (setting.kind) {
    case SaverSettingKind::kSwitch:
      return {kSaverSwitchOn};
    case SaverSettingKind::kWhole:
    case SaverSettingKind::kDecimal: {
      std::vector<std::string> values;
      for (double bound : {setting.low, setting.high}) {
        std::snprintf(text, sizeof text, "%g", bound);
        values.push_back(text);
      }
      return values;
    }
    case SaverSettingKind::kChoice: {
      std::vector<std::string> values;
      for (std::size_t i = 0; i < setting.choiceCount; ++i)
        values.push_back(setting.choices[i].value);
      return values;
    }
  }
  return {};
}

TEST(SaverSettingsOptions, EverySavableValueIsAcceptedByTheOptionParser) {
  std::FILE* sink = std::tmpfile();
  ASSERT_NE(sink, nullptr);
  for (const SaverSetting& setting : SaverSettings()) {
    for (const std::string& value : EdgeValues(setting)) {
      ASSERT_TRUE(SaverSettingValueValid(setting, value.c_str())) << setting.name << "=" << value;
      const std::vector<std::string> words =
          SavedSettingsToOptions({{setting.name, value}}, nullptr);
      ASSERT_EQ(words.size(), 1u) << setting.name << "=" << value;
      std::vector<char*> argv = {const_cast<char*>("quor"), const_cast<char*>(words[0].c_str()),
                                 const_cast<char*>("--root")};
      Options parsed;
      EXPECT_EQ(ParseOptions(static_cast<int>(argv.size()), argv.data(), &parsed, sink, sink),
                ParseOutcome::kRun)
          << words[0];
    }
  }
  std::fclose(sink);
}

TEST(SaverSettingsOptions, SavedValuesReachTheParsedOptions) {
  const std::vector<std::string> words = SavedSettingsToOptions(
      {{"clock", "on"}, {"particles", "80"}, {"render-scale", "0.5"}, {"max-fps", "0"}}, nullptr);
  std::vector<char*> argv = {const_cast<char*>("quor")};
  for (const std::string& word : words) argv.push_back(const_cast<char*>(word.c_str()));
  argv.push_back(const_cast<char*>("--root"));
  Options parsed;
  ASSERT_EQ(ParseOptions(static_cast<int>(argv.size()), argv.data(), &parsed, stdout, stderr),
            ParseOutcome::kRun);
  EXPECT_TRUE(parsed.clockOn);
  EXPECT_EQ(parsed.startSettings.particleLimit, 80);
  EXPECT_DOUBLE_EQ(parsed.renderScale, 0.5);
  EXPECT_FALSE(parsed.renderScaleAuto);
  EXPECT_EQ(parsed.FrameCap(), 0u);
  EXPECT_TRUE(parsed.root);
}

}  // namespace
