// Frame pacing on the monotonic counter of app/clock.h (microseconds), sleeping in ppoll on the
// X connections so that events are not kept waiting for a whole frame, and with the quit signals
// let through only inside the sleep, so that one arriving just before it still ends it at once.
#include "app/frame_pacer.h"

#include <GL/glx.h>
#include <poll.h>

#include <algorithm>
#include <csignal>
#include <ctime>

#include "app/clock.h"
#include "app/embed_window.h"
#include "app/quit_signals.h"

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
  const timespec timeout{static_cast<time_t>(sleepUs / kMicrosecondsPerSecond),
                         static_cast<long>(sleepUs % kMicrosecondsPerSecond) * 1000};
  // From here to the sleep a quit signal waits, blocked; ppoll lets it in atomically with the
  // start of the sleep, which it then ends at once. One that came before is seen below.
  sigset_t quit, awake;
  QuitSignalSet(&quit);
  sigprocmask(SIG_BLOCK, &quit, &awake);
  Display* glutDisplay = glXGetCurrentDisplay();
  // Events that Xlib has already read from the socket (a GLX round trip reads whatever came
  // with its reply) leave the socket quiet: ppoll would sleep through them. The target's own
  // connection is drained here too, and a target that has gone needs no sleep either.
  const bool work = QuitSignal() != 0 || !TargetWindowAlive() ||
                    (glutDisplay != nullptr && XEventsQueued(glutDisplay, QueuedAlready) > 0);
  if (!work) {
    pollfd fds[2] = {};
    nfds_t count = 0;
    if (glutDisplay != nullptr) fds[count++] = {ConnectionNumber(glutDisplay), POLLIN, 0};
    if (const int fd = TargetConnectionFd(); fd >= 0) fds[count++] = {fd, POLLIN, 0};
    ppoll(fds, count, &timeout, &awake);
  }
  sigprocmask(SIG_SETMASK, &awake, nullptr);
  return false;
}
