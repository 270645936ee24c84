// Waiting between frames on X11: ppoll on freeglut's display connection and on the program's
// own connection to a target window, so that input and the target's events end the sleep at
// once; the quit signals end it too, since their handler is installed without SA_RESTART.
#include <GL/glx.h>
#include <poll.h>

#include "app/embed_window.h"
#include "platform/platform.h"

void WaitForEvents(int64_t maxUs) {
  if (maxUs <= 0) return;
  pollfd fds[2] = {};
  nfds_t count = 0;
  if (Display* glutDisplay = glXGetCurrentDisplay(); glutDisplay != nullptr)
    fds[count++] = {ConnectionNumber(glutDisplay), POLLIN, 0};
  if (const int fd = TargetConnectionFd(); fd >= 0) fds[count++] = {fd, POLLIN, 0};
  const timespec timeout{static_cast<time_t>(maxUs / kMonotonicTicksPerSecond),
                         static_cast<long>(maxUs % kMonotonicTicksPerSecond) * 1000};
  ppoll(fds, count, &timeout, nullptr);
}
