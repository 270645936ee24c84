// Frame pacing on the monotonic counter of app/clock.h (microseconds), sleeping in the
// platform's WaitForEvents so that events are not kept waiting for a whole frame.
#include "app/frame_pacer.h"

#include <algorithm>

#include "app/clock.h"
#include "platform/platform.h"

namespace {
constexpr int64_t kMicrosecondsPerSecond = 1000000;
// The longest single sleep: the loop looks at signals and the target window this often even
// when a frame is far off.
constexpr int64_t kLongestSleepUs = 100000;

int64_t intervalUs = 0;
int64_t nextFrameUs = 0;  // when the next frame is due; 0 before the first
}  // namespace

void StartFramePacing(uint32_t maxFps) {
  intervalUs = maxFps == 0 ? 0 : kMicrosecondsPerSecond / maxFps;
  nextFrameUs = 0;
}

bool FrameDue() {
  if (intervalUs == 0) return true;
  const int64_t now = ReadCounter();
  if (now >= nextFrameUs) {
    // Frames keep to their grid; one that comes a whole interval late starts a new grid
    // instead of being followed by a burst.
    nextFrameUs = now - nextFrameUs >= intervalUs ? now + intervalUs : nextFrameUs + intervalUs;
    return true;
  }
  WaitForEvents(std::min(nextFrameUs - now, kLongestSleepUs));
  return false;
}
