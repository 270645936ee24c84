// The automatic render scale on made-up frame times: a renderer whose frame time grows with the
// pixels drawn (a fixed part plus a part in the square of the scale) is fed back the scale the
// controller chooses, second after second, as the program does.
#include "sim/render_scale_controller.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

// Frame time in seconds at a given scale.
using Renderer = std::function<double(double scale)>;

Renderer PixelBound(double fixedMs, double fullScaleMs) {
  return [=](double scale) { return (fixedMs + fullScaleMs * scale * scale) * 0.001; };
}

// Feeds frames for the given seconds of frame time; returns the scale after each change.
std::vector<double> Feed(RenderScaleController* c, double seconds, const Renderer& renderer) {
  std::vector<double> changes;
  for (double t = 0.0; t < seconds;) {
    const double frame = renderer(c->Scale());
    t += frame;
    if (c->AddFrame(frame)) changes.push_back(c->Scale());
  }
  return changes;
}

TEST(RenderScaleController, AWindowThatReachesTheTargetAtFullScaleStaysThere) {
  for (const double fps : {30.0, 29.0, 60.0, 500.0}) {
    RenderScaleController c(30.0);
    EXPECT_TRUE(Feed(&c, 60.0, [&](double) { return 1.0 / fps; }).empty()) << fps;
    EXPECT_EQ(c.Scale(), 1.0) << fps;
  }
}

struct Machine {
  const char* name;
  double fixedMs, fullScaleMs;
  double settledScale;
};

class SettlesOnOneStep : public ::testing::TestWithParam<Machine> {};

// The flame at 1920 x 1080 on two cores runs at about 9 frames a second; a smaller window or a
// faster machine settles higher, a slower one lower, each in a few seconds and for good.
TEST_P(SettlesOnOneStep, WithinSecondsAndWithoutFlicker) {
  const Machine& m = GetParam();
  RenderScaleController c(30.0);
  const std::vector<double> first = Feed(&c, 5.0, PixelBound(m.fixedMs, m.fullScaleMs));
  EXPECT_EQ(c.Scale(), m.settledScale);
  EXPECT_LE(first.size(), 2u);
  EXPECT_TRUE(Feed(&c, 120.0, PixelBound(m.fixedMs, m.fullScaleMs)).empty());
  const double settledFps = 1.0 / PixelBound(m.fixedMs, m.fullScaleMs)(c.Scale());
  if (c.Scale() > 0.25) {
    EXPECT_GE(settledFps, 30.0 * 0.95);
  }
}

INSTANTIATE_TEST_SUITE_P(Machines, SettlesOnOneStep,
                         ::testing::Values(Machine{"flame1080p", 4.0, 105.0, 0.5},
                                           Machine{"flame720p", 3.0, 45.0, 0.75},
                                           Machine{"clouds1080p", 4.0, 190.0, 0.35},
                                           Machine{"hopeless", 50.0, 400.0, 0.25},
                                           Machine{"justFast", 2.0, 30.0, 1.0}),
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
}

TEST(RenderScaleController, ARateThatWouldMissTheTargetOneStepUpNeverClimbs) {
  RenderScaleController c(30.0);
  EXPECT_TRUE(Second(&c, 20));  // 20 at 1 promise 36 at 0.75
  ASSERT_EQ(c.Scale(), 0.75);
  // 50 frames a second at 0.75 promise 28 at 1, below the target: it stays, whatever the
  // seconds bring between 29 and 69.
  for (int i = 0; i < 60; ++i) EXPECT_FALSE(Second(&c, 29 + (i * 7) % 40)) << i;
  EXPECT_EQ(c.Scale(), 0.75);
}

TEST(RenderScaleController, WhenTheMachineFreesUpItClimbsBackToFullScale) {
  RenderScaleController c(30.0);
  Feed(&c, 10.0, PixelBound(4.0, 400.0));
  ASSERT_EQ(c.Scale(), 0.25);
  const std::vector<double> climb = Feed(&c, 20.0, PixelBound(1.0, 10.0));
  EXPECT_EQ(climb, (std::vector<double>{0.35, 0.5, 0.75, 1.0}));
}

TEST(RenderScaleController, AStallIsNoMeasure) {
  // A fast window hidden for seconds: its one long frame must not push the scale down, nor
  // count towards the second it falls in.
  RenderScaleController c(30.0);
  Feed(&c, 0.9, [](double) { return 0.01; });
  EXPECT_FALSE(c.AddFrame(5.0));
  EXPECT_TRUE(Feed(&c, 10.0, [](double) { return 0.01; }).empty());
  EXPECT_EQ(c.Scale(), 1.0);
  // Nor do nonsense durations.
  EXPECT_FALSE(c.AddFrame(-1.0));
  EXPECT_FALSE(c.AddFrame(std::nan("")));
  EXPECT_EQ(c.Scale(), 1.0);
}

}  // namespace
