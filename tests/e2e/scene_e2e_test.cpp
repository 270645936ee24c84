// The scene's actors as a person sees them on the real program's screen: the flame, the cloud
// sky and the star field of the Universe.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kCorner = 64;  // pixels of each corner looked at

void Wait(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

// Flame light: orange added to black, so red always outweighs blue.
bool IsWarm(const Rgb& p) {
  return p.r >= 24 && p.r > p.b + 8;
}
bool IsLit(const Rgb& p) {
  return p.r >= 40 || p.g >= 40 || p.b >= 40;
}
bool IsCold(const Rgb& p) {
  return p.b > p.r + 2;
}
// Clouds are grey and the sky is pure blue, so red and green rise together or not at all.
bool RedDiffersFromGreen(const Rgb& p) {
  return std::abs(p.r - p.g) > 2;
}
bool IsSkyOnly(const Rgb& p) {
  return p.r == 0 && p.g == 0 && p.b >= 50 && p.b <= 180;
}
bool IsCloud(const Rgb& p) {
  return p.r > 8 && p.g > 8;
}
// Stars are pale tints: all three channels well up and blue at least a third of red, where the
// flame's blue is a quarter of its red until the red clips.
bool IsStarlight(const Rgb& p) {
  return p.r >= 60 && p.g >= 60 && p.b >= 60 && 3 * p.b >= p.r;
}

int CountCorners(const std::vector<Rgb>& shot, bool (*predicate)(const Rgb&)) {
  const PixelRegion corners[] = {{0, 0, kCorner, kCorner},
                                 {kWidth - kCorner, 0, kWidth, kCorner},
                                 {0, kHeight - kCorner, kCorner, kHeight},
                                 {kWidth - kCorner, kHeight - kCorner, kWidth, kHeight}};
  int count = 0;
  for (const PixelRegion& r : corners) count += CountPixels(shot, kWidth, r, predicate);
  return count;
}

class SceneE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }
  XvfbServer server{kWidth, kHeight};
};

TEST_F(SceneE2e, FlameBurnsWarmInTheCentreBottomWithBlackCorners) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow());
  ASSERT_TRUE(run.WaitForSize(kWidth, kHeight));
  Wait(5.0);  // past the start-up message, with a flame grown to its steady size
  const std::vector<Rgb> shot = run.Screenshot();
  SavePicture(ScreenshotPath("scene_flame"), kWidth, kHeight, shot);
  const PixelRegion centreBottom = {kWidth / 4, kHeight / 2, 3 * kWidth / 4, kHeight};
  const int warm = CountPixels(shot, kWidth, centreBottom, IsWarm);
  EXPECT_GT(warm, 2000) << "no flame in the centre of the bottom half";
  // Black sky and orange light: nowhere does blue rise above red.
  const PixelRegion whole = {0, 0, kWidth, kHeight};
  EXPECT_EQ(CountPixels(shot, kWidth, whole, IsCold), 0);
  // The flame's faint outer glow may just reach a corner, never more.
  EXPECT_EQ(CountCorners(shot, IsLit), 0);
  EXPECT_LT(CountCorners(shot, IsNotBlack), kCorner * kCorner);
}

TEST_F(SceneE2e, CloudsDriftOverAPureBlueSky) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow());
  ASSERT_TRUE(run.WaitForSize(kWidth, kHeight));
  Wait(1.0);
  run.Key("o");
  // Once the last flames have died and the message has gone, every pixel is the sky's blue with
  // or without cloud grey added: red and green stay equal everywhere, and blue stands above them
  // by the sky's own level, the same all over the screen.
  Wait(7.0);
  const std::vector<Rgb> shot = run.Screenshot();
  SavePicture(ScreenshotPath("scene_clouds"), kWidth, kHeight, shot);
  const PixelRegion whole = {0, 0, kWidth, kHeight};
  EXPECT_EQ(CountPixels(shot, kWidth, whole, RedDiffersFromGreen), 0);
  EXPECT_GT(CountPixels(shot, kWidth, whole, IsCloud), 5000) << "no clouds to be seen";
  EXPECT_GT(CountPixels(shot, kWidth, whole, IsSkyOnly), 1000) << "no open sky";
  int histogram[256] = {};
  int unsaturated = 0;
  for (const Rgb& p : shot) {
    if (p.b >= 250) continue;  // blue clipped by bright cloud
    ++histogram[std::max(0, p.b - p.r)];
    ++unsaturated;
  }
  const int sky = static_cast<int>(std::max_element(histogram, histogram + 256) - histogram);
  EXPECT_GE(sky, 50);   // 0.2 of full blue
  EXPECT_LE(sky, 180);  // 0.7
  const int nearSky = histogram[sky - 1] + histogram[sky] + histogram[sky + 1];
  EXPECT_GT(nearSky, unsaturated * 0.99) << "the sky is not one even blue";
}

TEST_F(SceneE2e, UniverseSpreadsStarsAcrossTheWholeScreen) {
  QuorRun run(server, MakeWorkDir(true));
  ASSERT_TRUE(run.WaitForWindow());
  ASSERT_TRUE(run.WaitForSize(kWidth, kHeight));
  // A small flame leaves most of the screen to the stars.
  for (int i = 0; i < 20; ++i) run.Key("bracketleft");
  Wait(3.5);  // past the messages
  const std::vector<Rgb> before = run.Screenshot();
  SavePicture(ScreenshotPath("scene_before_universe"), kWidth, kHeight, before);
  run.Key("u");
  Wait(3.5);  // and past the "Universe On" message
  const std::vector<Rgb> shot = run.Screenshot();
  SavePicture(ScreenshotPath("scene_universe"), kWidth, kHeight, shot);
  const PixelRegion whole = {0, 0, kWidth, kHeight};
  const int starlightBefore = CountPixels(before, kWidth, whole, IsStarlight);
  EXPECT_GT(CountPixels(shot, kWidth, whole, IsStarlight), 10 * starlightBefore + 2000);
  // Every cell of a 4 x 4 grid over the screen holds stars.
  constexpr int kCells = 4;
  for (int row = 0; row < kCells; ++row) {
    for (int column = 0; column < kCells; ++column) {
      const PixelRegion cell = {column * kWidth / kCells, row * kHeight / kCells,
                                (column + 1) * kWidth / kCells, (row + 1) * kHeight / kCells};
      EXPECT_GT(CountPixels(shot, kWidth, cell, IsStarlight), 20)
          << "no stars in cell " << column << ", " << row;
    }
  }
}

}  // namespace
