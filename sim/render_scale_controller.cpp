// The choice of step. Drawing time and CPU time are taken to grow with the pixels drawn, the
// square of the scale. That model is optimistic about smaller steps and cautious about larger
// ones (a frame also has costs that do not shrink with the scene), so the way down may take a
// second step and the way up never overshoots into a step that cannot hold the rate.
#include "sim/render_scale_controller.h"

#include <cmath>

namespace {
// A gap this long between two frames (a hidden window, a stopped process) makes the second it
// falls in no measure: it is thrown away. A frame whose own work takes this long is a measure,
// and a telling one.
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

bool RenderScaleController::AddFrame(const FrameCost& frame) {
  const double gap = frame.intervalSeconds - frame.workSeconds;
  // A clock that went backwards, or NaN, is no measure; nor is a second with a stall in it.
  if (!(frame.workSeconds >= 0.0 && gap >= 0.0 && frame.cpuSeconds >= 0.0)) return false;
  if (gap > kStallSeconds) {
    frames_ = 0;
    elapsed_ = work_ = cpu_ = 0.0;
    return false;
  }
  frames_ += 1;
  elapsed_ += frame.intervalSeconds;
  work_ += frame.workSeconds;
  cpu_ += frame.cpuSeconds;
  if (elapsed_ < kMeasureSeconds) return false;

  // The rate the work allows, and the rate the budget allows at this frame's CPU cost.
  const double workFps = work_ > 0.0 ? frames_ / work_ : HUGE_VAL;
  const double budgetFps =
      budgetCores_ > 0.0 && cpu_ > 0.0 ? budgetCores_ * frames_ / cpu_ : HUGE_VAL;
  frames_ = 0;
  elapsed_ = work_ = cpu_ = 0.0;
  const int limitBefore = fpsLimit_;
  const bool stepChanged = ChooseStep(workFps < budgetFps ? workFps : budgetFps);
  fpsLimit_ = step_ == kStepCount - 1 && !stepChanged ? LimitFor(budgetFps) : 0;
  return stepChanged || fpsLimit_ != limitBefore;
}

// At the smallest step, a budget that cannot pay for the target rate lowers the rate instead,
// to whole frames a second, not below the floor (nor above the target).
int RenderScaleController::LimitFor(double budgetFps) const {
  if (budgetFps >= targetFps_ * kHoldShare) return 0;
  const double floorFps = targetFps_ < kFloorFps ? targetFps_ : kFloorFps;
  return static_cast<int>(budgetFps > floorFps ? std::floor(budgetFps) : std::ceil(floorFps));
}

// One measured second at the rate `fps` (the lower of what the work and the budget allow);
// true when the step changed.
bool RenderScaleController::ChooseStep(double fps) {
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
