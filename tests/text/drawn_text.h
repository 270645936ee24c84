// Test helper: catches what DrawText sends to GL in feedback mode and reads the glyph quads back
// as window rectangles and font cells, so a test can see which text was drawn and where.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/text_scale.h"

struct DrawnGlyph {
  float left, right;  // window x, pixels
  float bottom, top;  // window y, pixels from the bottom edge
  float s0, t0;       // texture coordinates at the bottom-left corner
  int cellCode;       // the font cell the quad samples, 32..159
};

// The font cell, 32..159, whose glyph has its bottom-left corner at texture coordinates s0, t0.
int CellCodeAt(float s0, float t0);

// Runs draw with GL in feedback mode and returns the glyphs it drew, in drawing order.
std::vector<DrawnGlyph> CaptureGlyphs(const std::function<void()>& draw);

// The cells of the glyphs as a string of codes 32..159 (spaces never appear: they draw nothing).
std::string CellsOf(const std::vector<DrawnGlyph>& glyphs);

// What CellsOf gives for a text: spaces dropped, every byte folded onto its cell 32..159.
std::string ExpectedCells(const std::string& text);

// The text scale for one test, put back to 1 however the test ends.
struct ScopedTextScale {
  explicit ScopedTextScale(int scale) { textScale = scale; }
  ~ScopedTextScale() { textScale = kMinTextScale; }
  ScopedTextScale(const ScopedTextScale&) = delete;
  ScopedTextScale& operator=(const ScopedTextScale&) = delete;
};
