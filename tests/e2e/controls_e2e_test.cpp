// The keys and the text overlay on the real program: real key events through XTest, and what a
// person would see on the screen afterwards.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr double kSettleSeconds = 0.6;  // a few frames of the software renderer after a key

bool IsSkyBlue(const Rgb& p) {
  return p.r < 8 && p.g < 8 && p.b >= 45 && p.b <= 185;
}

void Wait(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// The status line: size-20 text whose bottom edge is 20 rows below the top.
constexpr PixelRegion kMessageArea{0, 0, 400, 20};
constexpr PixelRegion kFpsArea{kWidth - 120, 0, kWidth, 20};

class ControlsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
    run = std::make_unique<QuorRun>(server, MakeWorkDir(WithAssets()));
    ASSERT_TRUE(run->WaitForWindow());
    ASSERT_TRUE(run->WaitForSize(kWidth, kHeight));
    started = std::chrono::steady_clock::now();
  }

  virtual bool WithAssets() const { return true; }

  // Seconds since the window came up, an upper bound on the program's own clock... minus its
  // start-up, so waits measured from here keep a margin.
  double SinceStart() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  }

  void WaitUntil(double secondsSinceStart) {
    const double left = secondsSinceStart - SinceStart();
    if (left > 0) Wait(left);
  }

  std::vector<Rgb> Shot(const char* name) {
    std::vector<Rgb> shot = run->Screenshot();
    SavePicture(ScreenshotPath(name), kWidth, kHeight, shot);
    return shot;
  }

  int Bright(const std::vector<Rgb>& shot, PixelRegion region) {
    return CountPixels(shot, kWidth, region, IsBright);
  }
  int Lit(const std::vector<Rgb>& shot, PixelRegion region) {
    return CountPixels(shot, kWidth, region, IsNotBlack);
  }

  XvfbServer server{kWidth, kHeight};
  std::unique_ptr<QuorRun> run;
  std::chrono::steady_clock::time_point started;
};

TEST_F(ControlsE2e, StartupHintShowsAtTheTopLeftAndGoesAfterThreeSeconds) {
  // The window maps before the first frame is swapped: look until the hint is there.
  std::vector<Rgb> early;
  do {
    early = run->Screenshot();
  } while (Bright(early, kMessageArea) == 0 && SinceStart() < 2.0);
  SavePicture(ScreenshotPath("controls_hint"), kWidth, kHeight, early);
  // "Press ? key for Help Screen": 27 glyphs from x = 10, 9 pixels apart, ending at 254.
  EXPECT_GT(Bright(early, {10, 0, 255, 20}), 150);
  EXPECT_EQ(Bright(early, {256, 0, 400, 20}), 0);
  EXPECT_EQ(Lit(early, {10, 20, 300, 60}), 0) << "nothing but the hint near the top left";

  WaitUntil(4.0);
  const auto later = Shot("controls_hint_gone");
  EXPECT_EQ(Bright(later, kMessageArea), 0);
}

TEST_F(ControlsE2e, CommaShowsTheFieldOfViewMessageInPlaceOfTheHint) {
  WaitUntil(4.0);
  run->Key("comma");
  Wait(kSettleSeconds);
  const auto shot = Shot("controls_fov_message");
  // "FOV: 122 Degrees\n": 17 glyphs, ending at x = 10 + 16 * 9 + 10 = 164.
  EXPECT_GT(Bright(shot, {10, 0, 165, 20}), 100);
  EXPECT_EQ(Bright(shot, {170, 0, 400, 20}), 0) << "the longer hint must be gone";
}

TEST_F(ControlsE2e, ThreeLetterboxStepsLeaveBlackBarsAtTopAndBottom) {
  run->Key("u");  // the star field fills the view up to its edges
  WaitUntil(4.0);
  const auto before = Shot("controls_letterbox_before");
  for (int i = 0; i < 3; ++i) run->Key("l");
  Wait(kSettleSeconds);
  const auto shot = Shot("controls_letterbox_3");
  // Letterbox 3 on 768 rows: viewport rows 115 to 652 from the bottom, so 116 black rows at the
  // top (rows 0..115 from the top) and 115 at the bottom (rows 653..767). The message line is
  // drawn over the top bar, so that bar is checked below it. A smooth star point centred on the
  // view's last row may spill a pixel or two over the edge (points are clipped by their centre),
  // so the two rows next to each edge are left out.
  EXPECT_GT(Lit(before, {0, 20, kWidth, 114}), 0) << "stars reach the top before the bars";
  EXPECT_EQ(Lit(shot, {0, 20, kWidth, 114}), 0);
  EXPECT_EQ(Lit(shot, {0, 655, kWidth, kHeight}), 0);
  EXPECT_GT(Lit(shot, {0, 116, kWidth, 200}), 0) << "the view starts right below the top bar";
  EXPECT_GT(Lit(shot, {0, 570, kWidth, 653}), 0) << "and ends right above the bottom bar";
  EXPECT_GT(Bright(shot, {10, 0, 130, 20}), 50) << "Letterbox: 3";
}

TEST_F(ControlsE2e, HelpPageRunsFromNinePercentOfTheHeightDown) {
  // The widest view (29 presses from 120 to 178 degrees) shrinks the flame to a spot in the
  // middle, clear of the page.
  WaitUntil(4.0);  // past the start-up hint
  for (int i = 0; i < 29; ++i) run->Key("comma");
  run->Key("question");
  Wait(kSettleSeconds);
  const auto shot = Shot("controls_help");
  EXPECT_GT(Bright(shot, {10, 0, 165, 20}), 100) << "the FOV message stays on the status line";
  // Title: size 30 with its bottom edge at trunc(0.09 * 768) = 69, so rows 39..68.
  EXPECT_EQ(Lit(shot, {0, 20, 400, 39}), 0);
  EXPECT_GT(Bright(shot, {20, 39, 80, 69}), 100) << "the title";
  // The other lines at x = 30, down to the last one whose bottom edge is at 69 + 436 = 505.
  EXPECT_GT(Bright(shot, {30, 69, 300, 92}), 100) << "line 2";
  EXPECT_GT(Bright(shot, {30, 487, 200, 505}), 50) << "line 26: <?> to return";
  EXPECT_EQ(Lit(shot, {0, 506, 300, kHeight}), 0) << "nothing below the page on the left";
  EXPECT_EQ(Lit(shot, {0, 39, 19, 506}), 0) << "nothing left of the page";

  run->Key("slash");
  Wait(kSettleSeconds);
  const auto off = Shot("controls_help_off");
  EXPECT_EQ(Lit(off, {0, 20, 300, kHeight}), 0);
}

// Without smoke128.bmp the particles are plain coloured quads, so their outlines and corners
// show (with the texture, lines and points sample its black rim and vanish).
class PlainParticlesE2e : public ControlsE2e {
 protected:
  bool WithAssets() const override { return false; }
};

TEST_F(PlainParticlesE2e, PolyModeStepsDrawTheParticlesAsLinesThenPoints) {
  WaitUntil(4.0);
  const PixelRegion scene{0, 40, kWidth, kHeight};
  const int filled = Lit(Shot("controls_polymode_filled"), scene);
  run->Key("w");
  Wait(kSettleSeconds);
  const int lines = Lit(Shot("controls_polymode_lines"), scene);
  run->Key("w");
  Wait(kSettleSeconds);
  const int points = Lit(Shot("controls_polymode_points"), scene);
  EXPECT_GT(filled, 20000) << "a flame to compare with";
  EXPECT_GT(points, 0) << "the corners are drawn";
  EXPECT_LT(points * 5, lines) << "points light far fewer pixels than outlines";
  EXPECT_LT(lines * 2, filled) << "outlines light fewer pixels than filled quads";
}

TEST_F(ControlsE2e, CloudsOptionPaintsABlueSky) {
  WaitUntil(4.0);
  run->Key("o");
  Wait(kSettleSeconds);
  const auto shot = Shot("controls_clouds");
  // The top corners, away from the clouds and the text: clear colour (0, 0, 0.2..0.7).
  for (const PixelRegion& corner :
       {PixelRegion{0, 30, 20, 50}, PixelRegion{kWidth - 20, 30, kWidth, 50}}) {
    EXPECT_EQ(CountPixels(shot, kWidth, corner, IsSkyBlue), 20 * 20);
  }
  run->Key("o");
  Wait(kSettleSeconds);
  const auto flames = Shot("controls_flames_again");
  // Back to flames the background is black at once (old clouds may still be fading below).
  EXPECT_EQ(Lit(flames, {0, 30, 20, 50}), 0);
  EXPECT_EQ(Lit(flames, {kWidth - 20, 30, kWidth, 50}), 0);
}

TEST_F(ControlsE2e, ClockKeyShowsTheFrameRateAtTheTopRight) {
  WaitUntil(1.0);
  EXPECT_EQ(Bright(Shot("controls_no_clock"), kFpsArea), 0);
  run->Key("c");
  Wait(kSettleSeconds);
  const auto shot = Shot("controls_clock");
  EXPECT_GT(Bright(shot, kFpsArea), 100) << "NNN Frame/Sec";
  EXPECT_GT(Bright(shot, {10, 0, 200, 20}), 50) << "Frame/Second Clock On";
}

}  // namespace
