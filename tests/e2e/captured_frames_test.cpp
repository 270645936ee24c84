// Exact facts of frames that the real program captured on the fixed clock, where the reference
// pictures would let a row or a level slip by: the status line's timing, the letterbox rows and
// the cloud sky's one blue. With --step=33 frame n shows the clock at n x 33 ms.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "tests/support/picture.h"
#include "tests/support/x_app.h"

namespace {

constexpr const char* kStep = "--step=33";

bool IsDrawn(const Rgb& p) {
  return p.r != 0 || p.g != 0 || p.b != 0;
}

int Count(const Picture& picture, PixelRegion region, bool (*predicate)(const Rgb&)) {
  return CountPixels(picture.pixels, picture.width, region, predicate);
}

bool Same(const Picture& a, const Picture& b, PixelRegion r) {
  for (int y = r.y0; y < r.y1; ++y)
    for (int x = r.x0; x < r.x1; ++x) {
      const Rgb& p = a.pixels[static_cast<size_t>(y) * a.width + x];
      const Rgb& q = b.pixels[static_cast<size_t>(y) * b.width + x];
      if (p.r != q.r || p.g != q.g || p.b != q.b) return false;
    }
  return true;
}

// Reads a capture of the expected size; the copy kept under ScreenshotPath is for a person
// looking into a failure.
Picture ReadCapture(const std::string& path, int width, int height, const std::string& name) {
  Picture picture;
  EXPECT_TRUE(ReadPng(path, &picture)) << "no capture at " << path;
  EXPECT_EQ(picture.width, width);
  EXPECT_EQ(picture.height, height);
  if (picture.width != width || picture.height != height) return Picture();
  SavePicture(ScreenshotPath("captured_" + name), width, height, picture.pixels);
  return picture;
}

TEST(CapturedFrames, HintStaysThreeSecondsAndTheClockShowsEachSecondsFrameCount) {
  constexpr int kWidth = 400, kHeight = 300;
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  const std::string dir = MakeWorkDir(true);
  // Windowed at the screen's size from the start: a full-screen window would draw its first
  // frames at the start-up size, until the server's answer to going full screen arrives.
  constexpr int kFrames = 91;
  ASSERT_EQ(RunToEnd(server, dir,
                     {kStep, "-c", "-w", "-geometry", "400x300+0+0", "--frames=91",
                      "--capture=" + dir + "/frame%04d.png"}),
            0);
  Picture frame[kFrames + 1];
  for (const int n : {1, 30, 31, 60, 61, 90, 91}) {
    char name[32];
    std::snprintf(name, sizeof name, "frame%04d", n);
    frame[n] = ReadCapture(dir + "/" + name + ".png", kWidth, kHeight, name);
    ASSERT_FALSE(frame[n].pixels.empty());
  }
  for (int n = 1; n <= kFrames; ++n) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame%04d.png", n);
    std::remove((dir + name).c_str());
  }

  // "Press ? key for Help Screen" at x = 10, 20 rows high: 27 glyphs 9 pixels apart, the last
  // one in the cell from 244 to 253. Its ink stays in those cells and below the top two rows,
  // where a shifted font band would pull in the row of glyphs below.
  const PixelRegion messageBand{0, 0, kWidth - 120, 20};
  EXPECT_GT(Count(frame[1], messageBand, IsDrawn), 0);
  EXPECT_EQ(Count(frame[1], messageBand, IsDrawn), Count(frame[1], {10, 2, 254, 20}, IsDrawn));
  EXPECT_GT(Count(frame[1], {10, 0, 19, 20}, IsBright), 0) << "P";
  EXPECT_GT(Count(frame[1], {244, 0, 253, 20}, IsBright), 0) << "n";
  // Posted at 0 s, shown while the clock is below 3 s: whole at 2.97 s, gone at 3.003 s.
  EXPECT_TRUE(Same(frame[1], frame[90], messageBand));
  EXPECT_EQ(Count(frame[91], messageBand, IsDrawn), 0);

  // "%3d Frame/Sec" from 120 pixels left of the right edge: a blank, then the two digits.
  const PixelRegion clockLine{kWidth - 120, 0, kWidth, 20};
  const PixelRegion tens{kWidth - 111, 0, kWidth - 102, 20};
  const PixelRegion units{kWidth - 102, 0, kWidth - 93, 20};
  EXPECT_EQ(Count(frame[1], {kWidth - 120, 0, kWidth - 111, 20}, IsDrawn), 0);
  EXPECT_GT(Count(frame[1], clockLine, IsBright), 100);
  // 30 until the clock reaches 1 s; then the 31 frames of the first second (0.033 s to
  // 1.023 s); from 2.013 s the 30 frames of the second.
  EXPECT_TRUE(Same(frame[1], frame[30], clockLine));
  EXPECT_TRUE(Same(frame[30], frame[31], tens));
  EXPECT_FALSE(Same(frame[30], frame[31], units));
  EXPECT_TRUE(Same(frame[31], frame[60], clockLine));
  EXPECT_TRUE(Same(frame[30], frame[61], clockLine));
}

TEST(CapturedFrames, OneLetterboxStepLeaves39BlackRowsAboveTheViewAnd38Below) {
  constexpr int kWidth = 1024, kHeight = 768;
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  const std::string dir = MakeWorkDir(true);
  // Fourteen steps of ] make the particles 4.3 times their size: the flame then fills the view
  // to its edges, and every row of the view is lit.
  std::string keys = "--keys=1:l";
  for (int i = 0; i < 14; ++i) keys += " 1:]";
  ASSERT_EQ(RunToEnd(server, dir, {kStep, keys, "--frames=30", "--capture=" + dir + "/lb.png"}), 0);
  const Picture shot = ReadCapture(dir + "/lb.png", kWidth, kHeight, "letterbox_1");
  ASSERT_FALSE(shot.pixels.empty());
  // 768 rows at letterbox 1: the view runs from row trunc(0.05 x 768) = 38 to row
  // trunc(0.95 x 768) = 729 (excluded) counted from the bottom; from the top that is rows 39 to
  // 729. The message line is drawn over the top bar's first 20 rows at the left; without -c
  // there is no clock at the right.
  EXPECT_EQ(Count(shot, {0, 20, kWidth, 39}, IsDrawn), 0);
  EXPECT_EQ(Count(shot, {400, 0, kWidth, 20}, IsDrawn), 0);
  EXPECT_EQ(Count(shot, {0, 730, kWidth, kHeight}, IsDrawn), 0);
  EXPECT_EQ(Count(shot, {0, 39, kWidth, 40}, IsNotBlack), kWidth) << "the view's top row";
  EXPECT_EQ(Count(shot, {0, 729, kWidth, 730}, IsNotBlack), kWidth) << "the view's bottom row";
}

// The same letterbox facts with the scene drawn smaller, fixed or automatic: the stretched
// picture fills the view to its edges and nothing else; the clock line, 11 glyphs longer for
// " Scale 0.50", still ends at the right; F12 saves the whole window as shown, full size.
TEST(CapturedFrames, ReducedScaleFillsTheLetterboxedViewAndF12SavesTheFullWindow) {
  constexpr int kWidth = 1024, kHeight = 768;
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  for (const std::string scale : {"0.5", "auto"}) {
    const std::string dir = MakeWorkDir(true);
    std::string keys = "--keys=1:l";
    for (int i = 0; i < 14; ++i) keys += " 1:]";
    ASSERT_EQ(RunToEnd(server, dir,
                       {kStep, "-c", "--render-scale=" + scale, keys + " 30:F12", "--frames=30",
                        "--capture=" + dir + "/lb.png"}),
              0);
    const Picture shot = ReadCapture(dir + "/lb.png", kWidth, kHeight, "letterbox_1_" + scale);
    ASSERT_FALSE(shot.pixels.empty());
    EXPECT_EQ(
        Count(shot, {0, 20, kWidth, 39}, IsDrawn) + Count(shot, {0, 730, kWidth, kHeight}, IsDrawn),
        0)
        << scale;
    EXPECT_EQ(Count(shot, {0, 39, kWidth, 40}, IsNotBlack) +
                  Count(shot, {0, 729, kWidth, 730}, IsNotBlack),
              2 * kWidth)
        << scale << ": the view's top and bottom rows";
    EXPECT_EQ(Count(shot, {400, 0, kWidth - 219, 20}, IsDrawn), 0) << scale;
    EXPECT_GT(Count(shot, {kWidth - 210, 0, kWidth - 120, 20}, IsBright), 50) << scale;
    // The screenshot is read before its confirmation is drawn: below the status line it is the
    // captured frame.
    std::string saved;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      if (entry.path().filename().string().rfind("quor-", 0) == 0) saved = entry.path().string();
    const Picture screenshot = ReadCapture(saved, kWidth, kHeight, "f12_" + scale);
    ASSERT_FALSE(screenshot.pixels.empty()) << scale << ": no screenshot in " << dir;
    EXPECT_TRUE(Same(shot, screenshot, {0, 20, kWidth, kHeight})) << scale;
  }
}

// On a 4K screen the reduced flame is stretched linearly to a quarter of the view and enlarged
// four times, and only where the flame is; a plain clear makes the rest. At frame 30 the young
// flame covers a part of the view, so a stage drawn in the wrong place, a part left beside the
// picture or a flame cut at its edges would each stand far from the full-size frame.
TEST(CapturedFrames, At4KTheEnlargedFlameMatchesTheFullSizeOneToItsEdges) {
  constexpr int kWidth = 3840, kHeight = 2160;
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  Picture shots[2];
  const char* scales[2] = {"1", "0.125"};
  for (int i = 0; i < 2; ++i) {
    const std::string dir = MakeWorkDir(true);
    ASSERT_EQ(RunToEnd(server, dir,
                       {kStep, std::string("--render-scale=") + scales[i], "--frames=30",
                        "--capture=" + dir + "/f.png"}),
              0);
    shots[i] = ReadCapture(dir + "/f.png", kWidth, kHeight, std::string("4k_") + scales[i]);
    ASSERT_FALSE(shots[i].pixels.empty());
  }
  const int drawn = Count(shots[0], {0, 0, kWidth, kHeight}, IsDrawn);
  EXPECT_GT(drawn, kWidth * kHeight / 20) << "a flame to compare";
  EXPECT_LT(drawn, kWidth * kHeight / 2) << "open sky around it";
  const PictureDifference d = ComparePictures(shots[0], shots[1]);
  ASSERT_TRUE(d.sameSize);
  EXPECT_LE(d.mean, 0.5);
  EXPECT_LE(d.pixelsOff, kWidth * kHeight / 10000);
}

TEST(CapturedFrames, CloudsAreGreyOverOneEvenBlueSky) {
  constexpr int kWidth = 320, kHeight = 240;
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  const std::string dir = MakeWorkDir(true);
  // Five seconds: clouds have spread and the start-up hint has gone.
  ASSERT_EQ(
      RunToEnd(server, dir, {kStep, "--clouds", "--frames=150", "--capture=" + dir + "/c.png"}), 0);
  const Picture shot = ReadCapture(dir + "/c.png", kWidth, kHeight, "clouds");
  ASSERT_FALSE(shot.pixels.empty());
  // The top left corner is open sky: the clear colour (0, 0, b) with b from 0.2 to 0.7.
  const Rgb sky = shot.pixels[0];
  EXPECT_EQ(sky.r, 0);
  EXPECT_EQ(sky.g, 0);
  EXPECT_GE(sky.b, 51);
  EXPECT_LE(sky.b, 178);
  // Clouds add the same grey to all three channels: red equals green everywhere, and wherever
  // blue has not clipped it stands above red by exactly the sky's level.
  int notGrey = 0, offSky = 0, cloud = 0, openSky = 0;
  for (const Rgb& p : shot.pixels) {
    if (p.r != p.g) ++notGrey;
    if (p.b < 255 && p.b - p.r != sky.b) ++offSky;
    if (p.r > 8) ++cloud;
    if (p.r == 0) ++openSky;
  }
  EXPECT_EQ(notGrey, 0);
  EXPECT_EQ(offSky, 0);
  EXPECT_GT(cloud, kWidth * kHeight / 10) << "clouds to be seen";
  EXPECT_GT(openSky, kWidth * kHeight / 10) << "open sky";
}

}  // namespace
