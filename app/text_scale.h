// The text scale: one whole factor for every glyph, position and line step of the text overlay,
// chosen once at start-up from --text-scale or from the scaling the desktop announces (Xft.dpi
// in the X resources, then GDK_SCALE). The 3-D scene never sees it.
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

// An Xft.dpi value: a positive number of dots per inch, giving round(dpi / 96) held within
// 1..8. nullptr is missing; surrounding blanks are allowed.
ScaleReading ScaleFromDpi(const char* dpi, int* scale);

// A GDK_SCALE value: a whole number from 1, held at 8 above that. nullptr or "" is missing.
ScaleReading ScaleFromGdkScale(const char* value, int* scale);

// The Xft.dpi entry of resources in X resource-file form (what XResourceManagerString gives),
// matched by Xlib's resource manager, so "Xft*dpi" and "*dpi" count too. Copies its value,
// bounded, into value; false when there is none.
bool XftDpiResource(const char* resources, char* value, size_t valueSize);

// The first of Xft.dpi in resources (may be nullptr) and the GDK_SCALE value gdkScale (nullptr
// when unset) that gives a scale, otherwise 1. A bad value is passed over with one line on err.
int DesktopTextScale(const char* resources, const char* gdkScale, std::FILE* err);

// The resource string of the display that freeglut opened, or nullptr; needs the window's GL
// context current, so call it after the window is created.
const char* DisplayResources();
