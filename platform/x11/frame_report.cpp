// SIGUSR1 asks for one line with the number of frames drawn, so that a long run can be watched
// from outside. It is answered from the handler, with write alone (safe in a signal handler),
// so that a resting program answers too.
#include <unistd.h>

#include <csignal>
#include <cstring>

#include "platform/platform.h"

namespace {
const std::atomic<uint64_t>* reportedFrames = nullptr;

void ReportFrames(int) {
  static_assert(std::atomic<uint64_t>::is_always_lock_free, "read inside a signal handler");
  char line[48] = "quor: frame ";
  size_t length = std::strlen(line);
  char digits[24];
  size_t count = 0;
  uint64_t n = reportedFrames != nullptr ? reportedFrames->load() : 0;
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (count > 0) line[length++] = digits[--count];
  line[length++] = '\n';
  const ssize_t written = write(STDERR_FILENO, line, length);
  (void)written;  // nothing more can be done about a closed stream here
}
}  // namespace

void ReportFramesOnRequest(const std::atomic<uint64_t>* frames) {
  reportedFrames = frames;
  std::signal(SIGUSR1, ReportFrames);
}
