// Quor over several monitors, set on Xvfb with xrandr --setmonitor as RandR 1.5 lists them: a
// whole flame centred on each monitor, the text on the primary one, nothing lit on no monitor,
// one flame over all of them with --span, and a layout that follows monitors added and taken
// away while Quor runs. Judged by the picture: where the flame's warm pixels lie.
#include <gtest/gtest.h>
#include <signal.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/monitors.h"
#include "tests/support/picture.h"
#include "tests/support/x_app.h"

namespace {

constexpr int kMonitorWidth = 640, kMonitorHeight = 400;
constexpr int kFlamePixelsAtLeast = 2000;  // warm pixels of a grown flame at this size
// The flame's warm centre lies this close to its monitor's centre (it flickers and leans).
constexpr double kCentreSlackShare = 0.15;
const char kStep[] = "--step=33";
const char kFullScale[] = "--render-scale=1";  // the same picture on every machine

// The flame is whole and centred in the monitor's part of the screenshot.
::testing::AssertionResult FlameCentredIn(const Picture& p, const TestMonitor& m) {
  const WarmPixels warm =
      FindWarmPixels(p.pixels, p.width, {m.x, m.y, m.x + m.width, m.y + m.height});
  const double dx = warm.x - (m.x + m.width / 2.0);
  if (warm.count >= kFlamePixelsAtLeast && std::abs(dx) <= m.width * kCentreSlackShare)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the monitor at " << m.x << "," << m.y << " (" << m.width << " x " << m.height
         << ") has " << warm.count << " warm pixels centred at x = " << warm.x;
}

Picture Capture(XvfbServer& server, const std::string& name, std::vector<std::string> args) {
  const std::string work = MakeWorkDir(true);
  const std::string path = work + "/" + name + ".png";
  args.insert(args.end(), {kStep, kFullScale, "--frames=150", "--capture=" + path});
  Picture picture;
  EXPECT_EQ(RunToEnd(server, work, args), 0);
  EXPECT_TRUE(ReadPng(path, &picture)) << "no capture at " << path;
  if (picture.width > 0)
    SavePicture(ScreenshotPath(name), picture.width, picture.height, picture.pixels);
  return picture;
}

class Monitors : public ::testing::Test {
 protected:
  void Set(XvfbServer& server, const std::vector<TestMonitor>& monitors) {
    ASSERT_TRUE(server.Ok()) << "Xvfb could not be started";
    std::string error;
    ASSERT_TRUE(SetMonitors(server, monitors, &error)) << error;
  }
};

TEST_F(Monitors, TwoEqualMonitorsShowTheSameWholeFlameAndSpanShowsOneOverBoth) {
  XvfbServer server{2 * kMonitorWidth, kMonitorHeight};
  const TestMonitor left{0, 0, kMonitorWidth, kMonitorHeight};
  const TestMonitor right{kMonitorWidth, 0, kMonitorWidth, kMonitorHeight};
  Set(server, {left, right});

  // As a screen locker starts a hack on the root window.
  const Picture both = Capture(server, "monitors_two_equal", {"-root"});
  ASSERT_EQ(both.width, 2 * kMonitorWidth);
  EXPECT_TRUE(FlameCentredIn(both, left));
  EXPECT_TRUE(FlameCentredIn(both, right));
  // The second monitor's scene is the first's, pixel for pixel.
  long differing = 0;
  for (int y = 0; y < both.height; ++y)
    for (int x = 0; x < kMonitorWidth; ++x) {
      const Rgb& a = both.pixels[static_cast<size_t>(y) * both.width + x];
      const Rgb& b = both.pixels[static_cast<size_t>(y) * both.width + x + kMonitorWidth];
      differing += a.r != b.r || a.g != b.g || a.b != b.b;
    }
  EXPECT_EQ(differing, 0);

  // The viewer full screen, without a window manager over both monitors: a flame on each too.
  const Picture viewer = Capture(server, "monitors_full_screen", {});
  ASSERT_EQ(viewer.width, 2 * kMonitorWidth);
  EXPECT_TRUE(FlameCentredIn(viewer, left));
  EXPECT_TRUE(FlameCentredIn(viewer, right));

  // --span: one flame, its centre on the seam, each monitor showing a different half.
  const Picture spanned = Capture(server, "monitors_span", {"--root", "--span"});
  ASSERT_EQ(spanned.width, 2 * kMonitorWidth);
  const WarmPixels warm =
      FindWarmPixels(spanned.pixels, spanned.width, {0, 0, spanned.width, spanned.height});
  EXPECT_GE(warm.count, kFlamePixelsAtLeast);
  EXPECT_NEAR(warm.x, kMonitorWidth, 2 * kMonitorWidth * kCentreSlackShare);
  EXPECT_FALSE(FlameCentredIn(spanned, left));
}

TEST_F(Monitors, MonitorsOfTwoSizesEachShowAWholeFlameTheClockOnThePrimaryNoneLitElsewhere) {
  // A large monitor with a small one at its right, bottom aligned: above the small one lies a
  // corner of the root window that no monitor shows, where the window's top-right clock stood.
  XvfbServer server{kMonitorWidth + kMonitorWidth / 2, kMonitorHeight};
  const TestMonitor large{0, 0, kMonitorWidth, kMonitorHeight};
  const TestMonitor small{kMonitorWidth, kMonitorHeight / 2, kMonitorWidth / 2, kMonitorHeight / 2};
  Set(server, {large, small});

  const Picture p = Capture(server, "monitors_two_sizes", {"--root", "--clock"});
  ASSERT_EQ(p.width, server.Width());
  EXPECT_TRUE(FlameCentredIn(p, large));
  EXPECT_TRUE(FlameCentredIn(p, small));
  EXPECT_TRUE(RegionBlack(p.pixels, p.width, {kMonitorWidth, 0, p.width, kMonitorHeight / 2}))
      << "lit pixels where no monitor shows them";
  // The clock's white text stands at the primary monitor's top right.
  const int clockPixels =
      CountPixels(p.pixels, p.width, {kMonitorWidth - 160, 0, kMonitorWidth, 24},
                  [](const Rgb& c) { return c.r > 200 && c.g > 200 && c.b > 200; });
  EXPECT_GT(clockPixels, 20) << "no clock at the primary monitor's top right";
}

TEST_F(Monitors, TheLayoutFollowsAMonitorAddedAndTakenAwayWhileQuorRuns) {
  XvfbServer server{2 * kMonitorWidth, kMonitorHeight};
  ASSERT_TRUE(server.Ok()) << "Xvfb could not be started";
  const TestMonitor whole{0, 0, 2 * kMonitorWidth, kMonitorHeight};
  const TestMonitor left{0, 0, kMonitorWidth, kMonitorHeight};
  const TestMonitor right{kMonitorWidth, 0, kMonitorWidth, kMonitorHeight};
  QuorRun run(server, MakeWorkDir(true), {"--root", kFullScale});
  ASSERT_TRUE(run.Started());
  Picture seen{server.Width(), server.Height(), {}};
  // One flame over the whole screen leaves the left half with the flame's left part only; two
  // flames stand each in the middle of a monitor.
  const auto oneFlame = [&] { return FlameCentredIn(seen, whole) && !FlameCentredIn(seen, left); };
  const auto twoFlames = [&] { return FlameCentredIn(seen, left) && FlameCentredIn(seen, right); };
  const auto waitFor = [&](const std::function<bool()>& picture) {
    return WaitUntil(
        [&] {
          seen.pixels = run.Screenshot();
          return static_cast<bool>(picture());
        },
        60.0, 0.2);
  };
  EXPECT_TRUE(waitFor(oneFlame)) << FlameCentredIn(seen, whole).message();

  Set(server, {left, right});
  EXPECT_TRUE(waitFor(twoFlames)) << FlameCentredIn(seen, left).message() << "; "
                                  << FlameCentredIn(seen, right).message();
  SavePicture(ScreenshotPath("monitors_added"), seen.width, seen.height, seen.pixels);

  Set(server, {});
  EXPECT_TRUE(waitFor(oneFlame)) << FlameCentredIn(seen, left).message();

  ASSERT_TRUE(run.Signal(SIGTERM));
  EXPECT_EQ(run.WaitExit(60), 0);
}

}  // namespace
