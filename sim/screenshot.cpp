// F12 screenshots. The picture is read at the end of DrawFrame, so it holds the whole frame
// with its overlays, but not the confirmation, which is drawn after it.
#include "sim/screenshot.h"

#include <cstdio>
#include <ctime>

#include "app/frame_capture.h"
#include "platform/platform.h"
#include "text/text_overlay.h"

namespace {
constexpr int kMaxSameSecond = 100;  // screenshots within one second get -1, -2, ... suffixes
bool screenshotPending = false;

bool Exists(const char* path) {
  return PathKindOf(path) != PathKind::kNothing;
}

// quor-YYYYMMDD-HHMMSS.png in local time; a name already taken gets a number, so that no
// screenshot replaces an earlier one.
void ScreenshotName(char* name, size_t size) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!LocalCalendarTime(now, &local)) local = std::tm{};
  char stamp[24];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  std::snprintf(name, size, "quor-%s.png", stamp);
  for (int n = 1; n < kMaxSameSecond && Exists(name); ++n)
    std::snprintf(name, size, "quor-%s-%d.png", stamp, n);
}
}  // namespace

void RequestScreenshot() {
  screenshotPending = true;
}

void TakePendingScreenshot() {
  if (!screenshotPending) return;
  screenshotPending = false;
  char name[48];  // quor-YYYYMMDD-HHMMSS-NN.png and room to spare
  ScreenshotName(name, sizeof name);
  char message[kTextBufferSize];
  if (SaveBackBuffer(name)) {
    std::snprintf(message, sizeof message, "Screenshot saved: %s", name);
  } else {
    std::snprintf(message, sizeof message, "Screenshot failed: cannot write %s", name);
  }
  textOverlay.ShowMessage(message);
}
