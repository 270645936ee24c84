// Waiting between frames on X11: ppoll on freeglut's display connection and on the program's
// own connection to a target window, so that input and the target's events end the sleep at
// once, with the quit signals let through only inside the sleep, so that one arriving just
// before it still ends it at once.
#include <GL/glx.h>
#include <poll.h>

#include <csignal>

#include "platform/platform.h"
#include "platform/x11/quit_signals.h"
#include "platform/x11/target_window.h"

void WaitForEvents(int64_t maxUs) {
  if (maxUs <= 0) return;
  const timespec timeout{static_cast<time_t>(maxUs / kMonotonicTicksPerSecond),
                         static_cast<long>(maxUs % kMonotonicTicksPerSecond) * 1000};
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
}
