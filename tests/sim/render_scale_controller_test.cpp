// The automatic render scale on made-up frame times: a renderer whose frame time is a fixed part
// plus a part in the square of the scale is fed back the scale the controller chooses, as the
// program does.
#include "sim/render_scale_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

// Feeds frames for the given seconds of frame time; returns the scale after each change.
std::vector<double> Feed(RenderScaleController* c, double seconds, double fixedMs,
                         double fullScaleMs) {
  std::vector<double> changes;
  for (double t = 0.0; t < seconds;) {
    const double frame = (fixedMs + fullScaleMs * c->Scale() * c->Scale()) * 0.001;
    t += frame;
    if (c->AddFrame(frame)) changes.push_back(c->Scale());
  }
  return changes;
}

struct Machine {
  const char* name;
  double fixedMs, fullScaleMs, settledScale;
};

class SettlesOnOneStep : public ::testing::TestWithParam<Machine> {};

// A window at the target at full scale stays there; a slower one settles in a few seconds, for
// good (the flame at 1920 x 1080 on two cores runs at about 9 frames a second).
TEST_P(SettlesOnOneStep, WithinSecondsAndWithoutFlicker) {
  const Machine& m = GetParam();
  RenderScaleController c(30.0);
  EXPECT_LE(Feed(&c, 5.0, m.fixedMs, m.fullScaleMs).size(), 2u);
  EXPECT_EQ(c.Scale(), m.settledScale);
  EXPECT_TRUE(Feed(&c, 120.0, m.fixedMs, m.fullScaleMs).empty());
}

INSTANTIATE_TEST_SUITE_P(Machines, SettlesOnOneStep,
                         ::testing::Values(Machine{"atTarget", 1000.0 / 30, 0.0, 1.0},
                                           Machine{"justBelowTarget", 1000.0 / 29, 0.0, 1.0},
                                           Machine{"flame1080p", 4.0, 105.0, 0.5},
                                           Machine{"hopeless", 50.0, 400.0, 0.25}),
                         [](const auto& info) { return std::string(info.param.name); });

// Exactly one measured second at a whole number of frames a second; true when the scale changed.
bool Second(RenderScaleController* c, int fps) {
  const double frame = (1.0 + 1e-9) / fps;  // the window closes on the last frame, not before
  bool changed = false;
  for (int i = 0; i < fps; ++i) changed = c->AddFrame(frame) || changed;
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
  // When the machine frees up, it climbs back one step at a time.
  RenderScaleController slow(30.0);
  Feed(&slow, 10.0, 4.0, 400.0);
  ASSERT_EQ(slow.Scale(), 0.25);
  EXPECT_EQ(Feed(&slow, 20.0, 1.0, 10.0), (std::vector<double>{0.35, 0.5, 0.75, 1.0}));
}

TEST(RenderScaleController, AStallOrANonsenseDurationIsNoMeasure) {
  RenderScaleController c(30.0);
  Feed(&c, 0.9, 10.0, 0.0);
  for (const double bad : {5.0, -1.0, std::nan("")}) EXPECT_FALSE(c.AddFrame(bad)) << bad;
  EXPECT_TRUE(Feed(&c, 10.0, 10.0, 0.0).empty());
  EXPECT_EQ(c.Scale(), 1.0);
}

}  // namespace
