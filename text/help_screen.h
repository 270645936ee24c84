// The help page: 26 lines drawn over the running scene while help is on.
#pragma once

#include <cstdint>

constexpr int kHelpLineCount = 26;

// In overlay units (text_overlay.h): window pixels at text scale 1.
struct HelpLine {
  const char* text;
  int16_t x;   // from the left edge
  int16_t y;   // from the top edge down to the line's bottom edge
  float size;  // glyph height
};

// Where and how line `index` (0 = the title) stands in a window of the given height, both in
// overlay units.
HelpLine HelpLineAt(int index, int windowHeight);

// Draws the whole page for the current window and text scale without touching the remembered
// message.
void DrawHelpScreen();
