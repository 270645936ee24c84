// The choice of step. Drawing time is taken to grow with the pixels drawn, the square of the
// scale. That model is optimistic about smaller steps and cautious about larger ones (a frame
// also has costs that do not shrink with the scene), so the way down may take a second step
// and the way up never overshoots into a step that cannot hold the rate.
#include "sim/render_scale_controller.h"

namespace {
// A frame this long is no measure of drawing speed (a hidden window, a stopped process): the
// second it falls in is thrown away.
constexpr double kStallSeconds = 0.5;
constexpr double kMeasureSeconds = 1.0;
// Below this share of the target the scale goes down: a rate at the target, give or take the
// jitter of a count over one second, is held.
constexpr double kHoldShare = 0.95;
// Going down, the step chosen is the largest expected to run this much above the target.
constexpr double kDownMargin = 1.15;
// Going up, the next larger step must be expected to run this much above the target, in
// kSecondsBeforeUp seconds in a row: the gap between the two margins is the hysteresis.
constexpr double kUpMargin = 1.3;
constexpr int kSecondsBeforeUp = 2;

// The rate expected at scale `to` from the rate measured at scale `from`.
double ExpectedFps(double fps, double from, double to) {
  return fps * (from * from) / (to * to);
}
}  // namespace

bool RenderScaleController::AddFrame(double seconds) {
  if (!(seconds >= 0.0)) return false;  // a clock that went backwards, or NaN
  if (seconds > kStallSeconds) {
    frames_ = 0;
    seconds_ = 0.0;
    return false;
  }
  frames_ += 1;
  seconds_ += seconds;
  if (seconds_ < kMeasureSeconds) return false;

  const double fps = frames_ / seconds_;
  frames_ = 0;
  seconds_ = 0.0;
  const double scale = kSteps[step_];

  if (fps < targetFps_ * kHoldShare) {
    secondsFastEnough_ = 0;
    if (step_ == kStepCount - 1) return false;
    int next = step_ + 1;
    while (next < kStepCount - 1 &&
           ExpectedFps(fps, scale, kSteps[next]) < targetFps_ * kDownMargin) {
      ++next;
    }
    step_ = next;
    return true;
  }

  if (step_ > 0 && ExpectedFps(fps, scale, kSteps[step_ - 1]) >= targetFps_ * kUpMargin) {
    if (++secondsFastEnough_ >= kSecondsBeforeUp) {
      secondsFastEnough_ = 0;
      step_ -= 1;
      return true;
    }
    return false;
  }
  secondsFastEnough_ = 0;
  return false;
}
