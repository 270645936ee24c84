// Every value the screen saver's settings dialogs offer shows the scene: each end of every number,
// every choice and every switch, on frame 150 of the fixed clock in a 400 x 300 window, shows the
// flame (neither gone, nor a speck, nor washed out white), or the clouds with their sky. The
// values come from the table the dialogs are made from, so a range widened there is looked at
// here.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/setting_table.h"
#include "tests/support/picture.h"
#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 400, kHeight = 300;
constexpr double kMinFlameShare = 0.02;   // the default flame covers 40 %; a speck 0.01 %
constexpr double kMaxWhiteShare = 0.15;   // beyond it the picture is washed out
constexpr double kMinSkyShare = 0.5;      // the clouds' sky fills the window

bool IsWhite(const Rgb& p) {
  return p.r >= 235 && p.g >= 235 && p.b >= 235;
}
bool IsWarm(const Rgb& p) {
  return !IsWhite(p) && p.r >= 100 && p.r > p.b + 40;
}
bool IsSky(const Rgb& p) {
  return !IsWhite(p) && p.b >= 80 && p.b > p.r + 30;
}

// The command-line words of each value a dialog offers, the default first.
std::vector<std::string> OfferedValues() {
  std::vector<std::string> values = {""};
  for (const SaverSetting& s : OfferedSaverSettings()) {
    const std::string option = std::string("--") + s.name;
    char number[32];
    switch (s.kind) {
      case SaverSettingKind::kSwitch:
        values.push_back(option);
        break;
      case SaverSettingKind::kWhole:
      case SaverSettingKind::kDecimal:
        for (const double end : {s.low, s.high}) {
          std::snprintf(number, sizeof number, "%g", end);
          values.push_back(option + "=" + number);
        }
        break;
      case SaverSettingKind::kChoice:
        for (std::size_t i = 0; i < s.choiceCount; ++i)
          values.push_back(option + "=" + s.choices[i].value);
        break;
    }
  }
  return values;
}

TEST(DialogValues, EveryValueTheDialogsOfferShowsTheFlameOrTheCloudsWithTheirSky) {
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  const std::string dir = MakeWorkDir(true);
  const std::vector<std::string> values = OfferedValues();
  ASSERT_GT(values.size(), 30u) << "the dialogs offer fewer values than the table should give";
  const double pixels = kWidth * kHeight;
  const PixelRegion all{0, 0, kWidth, kHeight};
  // Under the sanitizers a run costs several times as much: every third value there, the ends
  // and choices still all looked at in the plain build.
  const std::size_t stride = QUOR_SANITIZED ? 3 : 1;
  for (std::size_t i = 0; i < values.size(); i += stride) {
    const std::string& value = values[i];
    SCOPED_TRACE(value.empty() ? "the defaults" : value);
    const std::string capture = dir + "/frame.png";
    std::vector<std::string> args = {"--step=33",    "-w", "-geometry", "400x300+0+0",
                                     "--frames=150", "--capture=" + capture};
    if (!value.empty()) args.push_back(value);
    ASSERT_EQ(RunToEnd(server, dir, args), 0);
    Picture frame;
    ASSERT_TRUE(ReadPng(capture, &frame));
    ASSERT_EQ(frame.width, kWidth);
    ASSERT_EQ(frame.height, kHeight);
    const double warm = CountPixels(frame.pixels, kWidth, all, IsWarm) / pixels;
    const double white = CountPixels(frame.pixels, kWidth, all, IsWhite) / pixels;
    const double sky = CountPixels(frame.pixels, kWidth, all, IsSky) / pixels;
    const bool clouds = value == "--clouds";
    if (clouds) {
      EXPECT_GE(sky, kMinSkyShare) << "the clouds' sky is missing";
    } else {
      EXPECT_GE(warm, kMinFlameShare) << "the flame is gone or a speck";
    }
    EXPECT_LE(white, kMaxWhiteShare) << "the picture is washed out";
    if (HasFailure()) {
      SavePicture(ScreenshotPath("dialog_value_" + std::to_string(i)), kWidth, kHeight,
                  frame.pixels);
      break;
    }
  }
}

}  // namespace
