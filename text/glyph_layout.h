// Where a character of the bitmap font lies in the font texture and how far the pen moves after
// it: the pure arithmetic behind DrawText, kept apart from GL so it can be checked on its own.
#pragma once

#include <cstdint>

constexpr int kFontColumns = 16;               // glyph cells across the font texture
constexpr int kFontRows = 8;                   // glyph cells down the font texture (codes 32..159)
constexpr int kFontFirstCode = 32;             // the code in the first cell
constexpr double kGlyphWidthPerSize = 0.5;     // quad width as a fraction of the glyph height
constexpr double kGlyphAdvancePerSize = 0.45;  // pen step as a fraction of the glyph height
constexpr char kSpace = ' ';                   // moves the pen, draws nothing

// Texture coordinates of one glyph cell. The bottom edge of the glyph on screen takes t0, its
// top edge t1; t = 0 is the first row the image loader delivers (the picture's top row).
struct GlyphCell {
  float s0, s1;
  float t0, t1;
};

// The cell for a character byte, read as a signed 8-bit code. Codes outside 32..159 land on
// rows 8..15, which the repeating texture folds back onto rows 0..7.
GlyphCell GlyphCellFor(char code);

// Quad width and pen advance, in pixels, for a glyph height of size pixels.
float GlyphWidth(float size);
float GlyphAdvance(float size);

// The pen after one character: the advance's fraction is dropped at every step, on a 16-bit pen.
int16_t AdvancePen(int16_t pen, float advance);
