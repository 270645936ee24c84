// Where the text scale comes from: the parsing of a dots-per-inch setting and GDK_SCALE (pure, so
// it can be checked without a display), over the setting the platform reads from the desktop.
#include "app/text_scale.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/platform.h"

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

int DesktopTextScale(const char* dpi, const char* dpiName, const char* gdkScale, std::FILE* err) {
  int scale = kMinTextScale;
  if (dpi != nullptr) {
    const ScaleReading reading = ScaleFromDpi(dpi, &scale);
    if (reading == ScaleReading::kScale) return scale;
    std::fprintf(err, "quor: ignoring %s '%.*s': not a number of dots per inch\n", dpiName,
                 kShownValueLength, dpi);
  }
  const ScaleReading reading = ScaleFromGdkScale(gdkScale, &scale);
  if (reading == ScaleReading::kScale) return scale;
  if (reading == ScaleReading::kBad)
    std::fprintf(err, "quor: ignoring GDK_SCALE '%.*s': not a whole number from 1\n",
                 kShownValueLength, gdkScale);
  return kMinTextScale;
}

int DesktopTextScale(const char* gdkScale, std::FILE* err) {
  char dpi[kDpiValueSize];
  const char* dpiName = "";
  const bool hasDpi = DesktopDpiSetting(dpi, sizeof dpi, &dpiName);
  return DesktopTextScale(hasDpi ? dpi : nullptr, dpiName, gdkScale, err);
}
