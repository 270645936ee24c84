// The shipped images in the real program: text drawn from font.bmp shows glyph shapes (without
// the file it shows solid quads), and the smoke texture gives the flame soft, unboxed particles.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
// "Press ? key for Help Screen" at x 10, size 20: 27 glyphs 9 pixels apart in the top 20 rows.
constexpr PixelRegion kStartMessage{10, 0, 10 + 27 * 9, 20};

void Wait(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

class AssetsE2e : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  }

  // A screenshot taken while the start-up message is still on screen.
  std::vector<Rgb> StartScreen(bool withAssets, const char* name) {
    QuorRun run(server, MakeWorkDir(withAssets));
    EXPECT_TRUE(run.WaitForWindow());
    EXPECT_TRUE(run.WaitForSize(kWidth, kHeight));
    Wait(0.8);
    std::vector<Rgb> shot = run.Screenshot();
    SavePicture(ScreenshotPath(name), kWidth, kHeight, shot);
    return shot;
  }

  XvfbServer server{kWidth, kHeight};
};

double Share(const std::vector<Rgb>& shot, PixelRegion region, bool (*predicate)(const Rgb&)) {
  const int area = (region.x1 - region.x0) * (region.y1 - region.y0);
  return CountPixels(shot, kWidth, region, predicate) / static_cast<double>(area);
}

TEST_F(AssetsE2e, TheStartMessageIsDrawnAsGlyphsFromTheFontSheet) {
  const std::vector<Rgb> withFont = StartScreen(true, "assets_start_message");
  const std::vector<Rgb> withoutFont = StartScreen(false, "assets_start_message_no_files");
  const double glyphs = Share(withFont, kStartMessage, IsBright);
  const double blocks = Share(withoutFont, kStartMessage, IsBright);
  // Strokes cover a small part of each glyph quad; untextured quads cover nearly all of theirs.
  EXPECT_GT(glyphs, 0.04);
  EXPECT_LT(glyphs, 0.40);
  EXPECT_GT(blocks, 0.60);
  // Above the glyphs' cap height the band shift must not pull in ink from the row of cells
  // below: the top two rows of the message stay dark.
  EXPECT_EQ(CountPixels(withFont, kWidth, {10, 0, 10 + 27 * 9, 2}, IsBright), 0);
}

TEST_F(AssetsE2e, SmokeParticlesHaveSoftEdgesWhereUntexturedOnesAreSquares) {
  // Without a texture every particle is a flat square: many pixels sit at one of a few exact
  // colours. With the puff the colours spread smoothly. Compare the number of distinct colours.
  auto distinctColours = [](const std::vector<Rgb>& shot) {
    std::vector<bool> seen(1 << 18, false);
    int count = 0;
    for (const Rgb& p : shot) {
      const int key = (p.r >> 2) << 12 | (p.g >> 2) << 6 | (p.b >> 2);
      if (!seen[key]) {
        seen[key] = true;
        ++count;
      }
    }
    return count;
  };
  const std::vector<Rgb> smoke = StartScreen(true, "assets_flame");
  const std::vector<Rgb> squares = StartScreen(false, "assets_flame_no_files");
  EXPECT_GT(CountPixels(smoke, kWidth, {0, 100, kWidth, kHeight}, IsNotBlack), 10000);
  EXPECT_GT(distinctColours(smoke), distinctColours(squares));
}

}  // namespace
