// The help page: 26 lines drawn over the running scene while help is on.
#pragma once

#include <cstdint>

constexpr int kHelpLineCount = 26;

struct HelpLine {
  const char* text;
  int16_t x;   // pixels from the left edge
  int16_t y;   // pixels from the top edge down to the line's bottom edge
  float size;  // glyph height, pixels
};

// Where and how line `index` (0 = the title) stands in a window of the given height.
HelpLine HelpLineAt(int index, int windowHeight);

// Draws the whole page at the current windowHeight without touching the remembered message.
void DrawHelpScreen();
