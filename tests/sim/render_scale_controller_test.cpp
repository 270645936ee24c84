// The automatic render scale on made-up frame costs: a renderer whose frame work is a fixed part
// plus a part in the square of the scale, its CPU time likewise, is fed back the scale and the
// frame-rate limit the controller chooses, behind a frame cap or none, as the program does.
#include "sim/render_scale_controller.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <tuple>
#include <vector>

namespace {

struct Machine {
  const char* name;
  double fixedMs, fullScaleMs;        // wall time of a frame's work
  double cpuFixedMs, cpuFullScaleMs;  // CPU time of a frame; 0, 0: not measured
  double settledScale;
};

int Cap(int userCap, int limit) {
  return limit != 0 && (userCap == 0 || limit < userCap) ? limit : userCap;
}

// Feeds frames for the given seconds of wall time under a frame cap (0 for none) that the
// controller's own limit may lower; returns the scale after each change.
std::vector<double> Feed(RenderScaleController* c, double seconds, const Machine& m, int cap = 0) {
  std::vector<double> changes;
  for (double t = 0.0; t < seconds;) {
    const double s2 = c->Scale() * c->Scale();
    const double work = (m.fixedMs + m.fullScaleMs * s2) * 0.001;
    const int fps = Cap(cap, c->FpsLimit());
    const double interval = std::max(work, fps == 0 ? 0.0 : 1.0 / fps);
    t += interval;
    if (c->AddFrame({interval, work, (m.cpuFixedMs + m.cpuFullScaleMs * s2) * 0.001}))
      changes.push_back(c->Scale());
  }
  return changes;
}

class SettlesOnOneStep : public ::testing::TestWithParam<std::tuple<Machine, int>> {};

// A window at the target at full scale stays there; a slower one settles in a few seconds, for
// good (the flame at 1920 x 1080 on two cores runs at about 9 frames a second). A frame cap of
// 30 or 60 settles on the same step as none: the frames' work is judged, not their interval.
TEST_P(SettlesOnOneStep, WithinSecondsAndWithoutFlickerWhateverTheCap) {
  const auto& [m, cap] = GetParam();
  RenderScaleController c(30.0);
  EXPECT_LE(Feed(&c, 5.0, m, cap).size(), 2u);
  EXPECT_EQ(c.Scale(), m.settledScale);
  EXPECT_TRUE(Feed(&c, 120.0, m, cap).empty());
  EXPECT_EQ(c.FpsLimit(), 0) << "no budget, no limit";
}

INSTANTIATE_TEST_SUITE_P(
    Machines, SettlesOnOneStep,
    ::testing::Combine(::testing::Values(Machine{"atTarget", 1000.0 / 30, 0, 0, 0, 1.0},
                                         Machine{"justBelow", 1000.0 / 29, 0, 0, 0, 1.0},
                                         Machine{"fast", 2.0, 3.0, 0, 0, 1.0},
                                         Machine{"flame1080p", 4.0, 105.0, 0, 0, 0.5},
                                         Machine{"hopeless", 50.0, 400.0, 0, 0, 0.125}),
                       ::testing::Values(0, 30, 60)),
    [](const auto& info) {
      return std::string(std::get<0>(info.param).name) + "Cap" +
             std::to_string(std::get<1>(info.param));
    });

// Behind a cap of 60, at a small step, the frames come at the cap: judged by their interval
// the next step would promise 31 frames a second, too few to climb. Their work is what counts.
TEST(RenderScaleController, ShortWorkAtTheCapsIntervalClimbsBackUp) {
  RenderScaleController c(30.0);
  const Machine fast{"fast", 2.0, 6.0, 0, 0, 1.0};
  Feed(&c, 10.0, Machine{"busy", 4.0, 400.0, 0, 0, 0.25});
  ASSERT_EQ(c.Scale(), 0.25);
  EXPECT_EQ(Feed(&c, 20.0, fast, 60), (std::vector<double>{0.35, 0.5, 0.75, 1.0}));
}

// Exactly one measured second at a whole number of frames a second; true when the scale changed.
bool Second(RenderScaleController* c, int fps) {
  const double frame = (1.0 + 1e-9) / fps;  // the window closes on the last frame, not before
  bool changed = false;
  for (int i = 0; i < fps; ++i) changed = c->AddFrame({frame, frame, 0.0}) || changed;
  return changed;
}

TEST(RenderScaleController, OneFastSecondIsNotEnoughToGoUpTwoAreAndOnlyByOneStep) {
  RenderScaleController c(30.0);
  EXPECT_TRUE(Second(&c, 9));  // 9 at 1 promise 36 at 0.5, 16 at 0.75
  ASSERT_EQ(c.Scale(), 0.5);
  // At 0.5, 100 frames a second promise 44 at 0.75: enough, but only when it lasts.
  EXPECT_FALSE(Second(&c, 100));
  EXPECT_FALSE(Second(&c, 33));
  EXPECT_FALSE(Second(&c, 100));
  EXPECT_TRUE(Second(&c, 100));
  EXPECT_EQ(c.Scale(), 0.75);
}

// A gap between frames (a hidden window, a stopped process) is no measure, nor is nonsense; but
// a frame whose own work is long is: a huge screen on a slow machine, the very case for a
// smaller scale, must not stay at full scale for want of a second frame under half a second.
TEST(RenderScaleController, AStallIsNoMeasureButLongWorkIs) {
  RenderScaleController c(30.0);
  const Machine steady{"steady", 10.0, 0.0, 0, 0, 1.0};
  Feed(&c, 0.9, steady);
  for (const FrameCost bad : {FrameCost{5.0, 0.01, 0.01}, FrameCost{-1.0, 0.01, 0.0},
                              FrameCost{0.01, -1.0, 0.0}, FrameCost{std::nan(""), 0.01, 0.0}})
    EXPECT_FALSE(c.AddFrame(bad)) << bad.intervalSeconds << " " << bad.workSeconds;
  EXPECT_TRUE(Feed(&c, 10.0, steady).empty());
  EXPECT_EQ(c.Scale(), 1.0);

  RenderScaleController slow(30.0);
  EXPECT_EQ(Feed(&slow, 4.0, Machine{"slow", 100.0, 2000.0, 0, 0, 0.125}),
            (std::vector<double>{0.125}));
}

// A CPU budget: at the target rate the frames may cost the budget's cores and no more. The
// largest step within it is kept; where even the smallest costs more, the frame rate gives way,
// to whole frames a second, never below the floor. Where the CPU is cheap (a GPU draws), nothing
// changes.
TEST(RenderScaleController, ACpuBudgetLowersTheScaleThenTheFrameRate) {
  const struct {
    Machine m;
    double budgetCores;
    int limit;
  } cases[] = {
      {{"gpu", 2.0, 3.0, 1.0, 0.5, 1.0}, 0.5, 0},
      // Both cores busy at full scale (50 ms of CPU a frame): within half a core, 0.5 (14 ms).
      {{"twoThreads", 4.0, 26.0, 2.0, 48.0, 0.5}, 0.5, 0},
      {{"twoThreads", 4.0, 26.0, 2.0, 48.0, 0.75}, 1.0, 0},
      // 21 ms of CPU at 0.125: half a core pays for 23 frames a second.
      {{"flame1080pLlvmpipe", 4.0, 105.0, 19.0, 128.0, 0.125}, 0.5, 23},
      {{"hopeless", 50.0, 400.0, 150.0, 800.0, 0.125}, 0.5, RenderScaleController::kFloorFps},
  };
  for (const auto& c : cases) {
    RenderScaleController r(30.0, c.budgetCores);
    Feed(&r, 10.0, c.m, 30);
    EXPECT_EQ(r.Scale(), c.m.settledScale) << c.m.name << " " << c.budgetCores;
    EXPECT_EQ(r.FpsLimit(), c.limit) << c.m.name << " " << c.budgetCores;
    EXPECT_TRUE(Feed(&r, 60.0, c.m, 30).empty()) << c.m.name << ": settled for good";
    EXPECT_EQ(r.FpsLimit(), c.limit) << c.m.name << " " << c.budgetCores;
  }
  // When the machine frees up, the limit goes first, then the scale climbs back.
  RenderScaleController r(30.0, 0.5);
  Feed(&r, 10.0, cases[3].m, 30);
  ASSERT_NE(r.FpsLimit(), 0);
  Feed(&r, 20.0, cases[0].m, 30);
  EXPECT_EQ(r.FpsLimit(), 0);
  EXPECT_EQ(r.Scale(), 1.0);
}

}  // namespace
