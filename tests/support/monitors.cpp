// Monitors set with xrandr --setmonitor, and the flame's place in a screenshot.
#include "tests/support/monitors.h"

#include "tests/support/wine.h"  // RunCommand

namespace {
constexpr int kMonitorNamesUsed = 4;            // the tests set at most this many monitors
constexpr int kWarmRedAtLeast = 96;             // red of a lit flame pixel
constexpr double kMillimetresPerPixel = 0.264;  // 96 dots an inch, for xrandr's sizes

std::string MonitorName(int i) {
  return "quor-test-" + std::to_string(i);
}

// xrandr's geometry: width/mm x height/mm + x + y.
std::string Geometry(const TestMonitor& m) {
  const auto mm = [](int pixels) {
    return std::to_string(static_cast<int>(pixels * kMillimetresPerPixel));
  };
  return std::to_string(m.width) + "/" + mm(m.width) + "x" + std::to_string(m.height) + "/" +
         mm(m.height) + "+" + std::to_string(m.x) + "+" + std::to_string(m.y);
}
}  // namespace

bool SetMonitors(const XvfbServer& server, const std::vector<TestMonitor>& monitors,
                 std::string* error) {
  const std::string display = "DISPLAY=" + server.Name();
  // Those of an earlier call go first; deleting one that is not there only fails quietly.
  for (int i = 0; i < kMonitorNamesUsed; ++i)
    RunCommand({"env", display, "xrandr", "--delmonitor", MonitorName(i)});
  for (size_t i = 0; i < monitors.size(); ++i) {
    const CommandResult r =
        RunCommand({"env", display, "xrandr", "--setmonitor", MonitorName(static_cast<int>(i)),
                    Geometry(monitors[i]), i == 0 ? "screen" : "none"});
    if (r.status != 0) {
      if (error != nullptr) *error = "xrandr --setmonitor: " + r.out + r.err;
      return false;
    }
  }
  return true;
}

WarmPixels FindWarmPixels(const std::vector<Rgb>& pixels, int width, PixelRegion region) {
  WarmPixels warm;
  double sumX = 0.0, sumY = 0.0;
  for (int y = region.y0; y < region.y1; ++y) {
    for (int x = region.x0; x < region.x1; ++x) {
      const Rgb& p = pixels[static_cast<size_t>(y) * width + x];
      if (p.r < kWarmRedAtLeast || p.r <= p.b + 32) continue;
      ++warm.count;
      sumX += x;
      sumY += y;
    }
  }
  if (warm.count > 0) {
    warm.x = sumX / warm.count;
    warm.y = sumY / warm.count;
  }
  return warm;
}

bool RegionBlack(const std::vector<Rgb>& pixels, int width, PixelRegion region) {
  return CountPixels(pixels, width, region, IsNotBlack) == 0;
}
