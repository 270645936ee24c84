// A run through the wrap of the 32-bit millisecond count (49.7 days), on the fixed clock started
// just before it: messages still expire after three seconds, the flame keeps living and dying,
// and the drift keeps turning the stars.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/picture.h"
#include "tests/support/x_app.h"

namespace {

constexpr int kWidth = 320, kHeight = 240;
// 2 s before the wrap, 33 ms a frame: frame 61 is the first after it.
constexpr const char* kClockStart = "--clock-start=4294965296";

bool IsWarm(const Rgb& p) {
  return p.r >= 40 && p.r > p.b + 16;
}
bool IsStarlight(const Rgb& p) {
  return p.r >= 60 && p.g >= 60 && p.b >= 60 && 3 * p.b >= p.r;
}

Picture Frame(const std::string& dir, int n) {
  char name[32];
  std::snprintf(name, sizeof name, "frame%04d", n);
  Picture picture;
  EXPECT_TRUE(ReadPng(dir + "/" + name + ".png", &picture)) << name;
  SavePicture(ScreenshotPath(std::string("wrap_") + name), picture.width, picture.height,
              picture.pixels);
  return picture;
}

int Count(const Picture& p, PixelRegion r, bool (*predicate)(const Rgb&)) {
  return p.pixels.empty() ? 0 : CountPixels(p.pixels, p.width, r, predicate);
}

long Differing(const Picture& a, const Picture& b, PixelRegion r) {
  long n = 0;
  for (int y = r.y0; y < r.y1; ++y)
    for (int x = r.x0; x < r.x1; ++x) {
      const Rgb& p = a.pixels[static_cast<size_t>(y) * a.width + x];
      const Rgb& q = b.pixels[static_cast<size_t>(y) * b.width + x];
      n += p.r != q.r || p.g != q.g || p.b != q.b;
    }
  return n;
}

TEST(ClockWrap, MessagesExpireAndFlameAndStarsGoOnAcrossTheWrap) {
  XvfbServer server{kWidth, kHeight};
  if (!server.Ok()) GTEST_SKIP() << "Xvfb could not be started";
  const std::string dir = MakeWorkDir(true);
  // t at frame 40 posts "Textures Off" at the clock of frame 39, and nothing else changes;
  // three seconds are 91 frames. The stars come on at frame 140, after the message has gone.
  ASSERT_EQ(RunToEnd(server, dir,
                     {"--step=33", kClockStart, "--frames=260", "--keys=40:t 140:u",
                      "--capture=" + dir + "/frame%04d.png"}),
            0);
  const PixelRegion message{0, 0, 160, 20};
  const PixelRegion scene{0, 30, kWidth, kHeight};
  const PixelRegion flame{kWidth / 4, kHeight / 3, 3 * kWidth / 4, kHeight};
  const Picture afterWrap = Frame(dir, 70);
  const Picture lastShown = Frame(dir, 129), gone = Frame(dir, 131);
  const Picture later = Frame(dir, 200), last = Frame(dir, 260);
  ASSERT_FALSE(last.pixels.empty());

  EXPECT_GT(Count(afterWrap, message, IsBright), 50) << "the message was posted before the wrap";
  EXPECT_GT(Count(lastShown, message, IsBright), 50);
  EXPECT_EQ(Count(gone, message, IsBright), 0) << "the message must go three seconds on";

  // The stars turn with the drift after the wrap.
  EXPECT_GT(Count(later, scene, IsStarlight), 200);
  EXPECT_GT(Differing(later, last, scene), 1000);
  // Flames live 4 to 5 s: by frame 260 (6.5 s after the wrap) every one from before it has died
  // and been replaced, and the flame burns on at its usual size.
  for (const Picture* p : {&afterWrap, &gone, &last}) {
    EXPECT_GT(Count(*p, flame, IsWarm), 2000);
    EXPECT_LT(Count(*p, {0, 0, kWidth, kHeight}, IsWarm), kWidth * kHeight * 3 / 4);
  }
}

}  // namespace
