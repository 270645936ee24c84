// Where the text scale comes from: the parsing of Xft.dpi and GDK_SCALE (pure, so it can be
// checked without a display) and the one read of the X server's resource string.
#include "app/text_scale.h"

#include <GL/glx.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

int textScale = kMinTextScale;

namespace {

constexpr int kShownValueLength = 40;  // characters of a bad value that a warning repeats
constexpr size_t kDpiValueSize = 64;

bool IsBlank(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

const char* SkipBlanks(const char* p) {
  while (IsBlank(*p)) ++p;
  return p;
}

}  // namespace

ScaleReading ScaleFromDpi(const char* dpi, int* scale) {
  if (dpi == nullptr) return ScaleReading::kMissing;
  const char* start = SkipBlanks(dpi);
  // strtod alone would also take "inf", "nan" and hexadecimal: only plain decimals are dpi.
  if ((!std::isdigit(static_cast<unsigned char>(*start)) && *start != '.') ||
      std::strpbrk(start, "xX") != nullptr)
    return ScaleReading::kBad;
  char* end = nullptr;
  errno = 0;
  const double value = std::strtod(start, &end);
  if (end == start || errno != 0 || *SkipBlanks(end) != '\0' || !(value > 0.0))
    return ScaleReading::kBad;
  // Held before rounding, so that an absurd dpi never reaches lround outside its range.
  const double ratio = std::min(value / kBaseDpi, static_cast<double>(kMaxTextScale));
  *scale = std::max(kMinTextScale, static_cast<int>(std::lround(ratio)));
  return ScaleReading::kScale;
}

ScaleReading ScaleFromGdkScale(const char* value, int* scale) {
  if (value == nullptr || value[0] == '\0') return ScaleReading::kMissing;
  for (const char* p = value; *p != '\0'; ++p)
    if (!std::isdigit(static_cast<unsigned char>(*p))) return ScaleReading::kBad;
  errno = 0;
  const unsigned long n = std::strtoul(value, nullptr, 10);
  if (n < static_cast<unsigned long>(kMinTextScale)) return ScaleReading::kBad;
  *scale = errno != 0 || n > static_cast<unsigned long>(kMaxTextScale) ? kMaxTextScale
                                                                       : static_cast<int>(n);
  return ScaleReading::kScale;
}

bool XftDpiResource(const char* resources, char* value, size_t valueSize) {
  if (resources == nullptr || valueSize == 0) return false;
  XrmInitialize();
  XrmDatabase database = XrmGetStringDatabase(resources);
  if (database == nullptr) return false;
  char* type = nullptr;
  XrmValue found{};
  const bool has =
      XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &found) && found.addr != nullptr;
  if (has) {
    // The value's size counts its terminating zero.
    const int length = static_cast<int>(std::min<unsigned>(found.size, INT_MAX));
    std::snprintf(value, valueSize, "%.*s", length, found.addr);
  }
  XrmDestroyDatabase(database);
  return has;
}

int DesktopTextScale(const char* resources, const char* gdkScale, std::FILE* err) {
  int scale = kMinTextScale;
  char dpi[kDpiValueSize];
  if (XftDpiResource(resources, dpi, sizeof dpi)) {
    const ScaleReading reading = ScaleFromDpi(dpi, &scale);
    if (reading == ScaleReading::kScale) return scale;
    std::fprintf(err, "quor: ignoring Xft.dpi '%.*s': not a number of dots per inch\n",
                 kShownValueLength, dpi);
  }
  const ScaleReading reading = ScaleFromGdkScale(gdkScale, &scale);
  if (reading == ScaleReading::kScale) return scale;
  if (reading == ScaleReading::kBad)
    std::fprintf(err, "quor: ignoring GDK_SCALE '%.*s': not a whole number from 1\n",
                 kShownValueLength, gdkScale);
  return kMinTextScale;
}

const char* DisplayResources() {
  // freeglut's connection, reached through the context it made current with the window.
  Display* display = glXGetCurrentDisplay();
  return display != nullptr ? XResourceManagerString(display) : nullptr;
}
