// The text scale: one whole factor for every glyph, position and line step of the text overlay,
// chosen once at start-up from --text-scale or from the scaling the desktop announces (its dots
// per inch as the platform reports them, Xft.dpi on X11, then GDK_SCALE). The 3-D scene never
// sees it.
#pragma once

#include <cstddef>
#include <cstdio>

constexpr int kMinTextScale = 1;
constexpr int kMaxTextScale = 8;
constexpr double kBaseDpi = 96.0;  // the dots per inch of a desktop at scale 1

extern int textScale;  // set at start-up, before the first text is drawn

// textScale held within 1..8, so that a stray value can neither divide by zero nor overflow.
inline int TextScale() {
  return textScale < kMinTextScale ? kMinTextScale
                                   : (textScale > kMaxTextScale ? kMaxTextScale : textScale);
}

// What one desktop setting says about the scale.
enum class ScaleReading {
  kMissing,  // not set: the next source is asked
  kScale,    // *scale holds the scale it gives
  kBad,      // set, but not a value it may take
};

// A dots-per-inch setting such as Xft.dpi: a positive number of dots per inch, giving round(dpi /
// 96) held within 1..8. nullptr is missing; surrounding blanks are allowed.
ScaleReading ScaleFromDpi(const char* dpi, int* scale);

// A GDK_SCALE value: a whole number from 1, held at 8 above that. nullptr or "" is missing.
ScaleReading ScaleFromGdkScale(const char* value, int* scale);

// The first of the dots-per-inch setting dpi, named dpiName (dpi nullptr when the desktop has
// none), and the GDK_SCALE value gdkScale (nullptr when unset) that gives a scale, otherwise 1. A
// bad value is passed over with one line on err.
int DesktopTextScale(const char* dpi, const char* dpiName, const char* gdkScale, std::FILE* err);

// The same from the desktop's own setting (DesktopDpiSetting of platform/platform.h), so after
// the window is created, with its GL context current.
int DesktopTextScale(const char* gdkScale, std::FILE* err);
