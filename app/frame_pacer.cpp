// Frame pacing on the monotonic counter of app/clock.h (microseconds), sleeping in ppoll on the
// X connections so that events are not kept waiting for a whole frame.
#include "app/frame_pacer.h"

#include <GL/glx.h>
#include <poll.h>

#include <algorithm>
#include <ctime>

#include "app/clock.h"
#include "app/embed_window.h"

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
  const int64_t sleepUs = std::min(nextFrameUs - now, kLongestSleepUs);
  pollfd fds[2] = {};
  nfds_t count = 0;
  if (Display* glutDisplay = glXGetCurrentDisplay(); glutDisplay != nullptr)
    fds[count++] = {ConnectionNumber(glutDisplay), POLLIN, 0};
  if (const int fd = TargetConnectionFd(); fd >= 0) fds[count++] = {fd, POLLIN, 0};
  const timespec timeout{static_cast<time_t>(sleepUs / kMicrosecondsPerSecond),
                         static_cast<long>(sleepUs % kMicrosecondsPerSecond) * 1000};
  ppoll(fds, count, &timeout, nullptr);
  return false;
}
