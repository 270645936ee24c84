// The run's render scale and the measure of each frame's cost that an automatic scale is chosen
// from: the wall time between frames, the frame's own work from FrameWorkStarts to
// FrameWorkEnded, and the process's CPU time. The controller's frame-rate limit lowers the frame
// cap.
#include "sim/render_scale.h"

#include <algorithm>
#include <cstdint>

#include "app/frame_pacer.h"
#include "app/hooks.h"
#include "app/options.h"
#include "platform/platform.h"
#include "sim/frame.h"
#include "sim/render_scale_controller.h"

namespace {
double fixedScale = 1.0;
bool autoScale = false;
RenderScaleController controller{30.0};
int64_t frameStartUs = 0, previousFrameEndUs = 0;  // monotonic clock
int64_t previousFrameEndCpuUs = 0;                 // the process's CPU clock
bool havePreviousFrame = false;

// The controller's frame-rate limit, when it changes, lowers the command line's cap.
void ApplyFpsLimit() {
  const uint32_t cap = options.FrameCap();
  const auto limit = static_cast<uint32_t>(controller.FpsLimit());
  const uint32_t fps = limit != 0 && (cap == 0 || limit < cap) ? limit : cap;
  StartFramePacing(fps);
  SetFrameCap(fps);
}
}  // namespace

void UseFixedRenderScale(double scale) {
  fixedScale = scale;
  autoScale = false;
}

void UseAutoRenderScale(double targetFps, double cpuBudgetCores) {
  controller = RenderScaleController(targetFps, cpuBudgetCores);
  autoScale = true;
  havePreviousFrame = false;
}

double RenderScale() {
  return autoScale ? controller.Scale() : fixedScale;
}

double ShownRenderScale() {
  return autoScale || fixedScale < 1.0 ? RenderScale() : 0.0;
}

void FrameWorkStarts() {
  if (autoScale) frameStartUs = MonotonicMicroseconds();
}

void FrameWorkEnded() {
  if (!autoScale) return;
  constexpr double kSecondsPerTick = 1.0 / kMonotonicTicksPerSecond;
  const int64_t now = MonotonicMicroseconds();
  // A system without a CPU clock (-1) reports no cost, which no budget holds back.
  const int64_t cpu = std::max<int64_t>(ProcessCpuMicroseconds(), 0);
  if (havePreviousFrame) {
    const FrameCost cost{static_cast<double>(now - previousFrameEndUs) * kSecondsPerTick,
                         static_cast<double>(now - frameStartUs) * kSecondsPerTick,
                         static_cast<double>(cpu - previousFrameEndCpuUs) * kSecondsPerTick};
    if (controller.AddFrame(cost)) ApplyFpsLimit();
  }
  previousFrameEndUs = now;
  previousFrameEndCpuUs = cpu;
  havePreviousFrame = true;
}

void FrameLimitsChanged() {
  if (autoScale) controller.SetCpuBudget(options.CpuBudget());
  ApplyFpsLimit();
}
