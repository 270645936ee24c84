// Glyph cell and pen arithmetic of the bitmap font (see glyph_layout.h).
#include "text/glyph_layout.h"

#include <cmath>

namespace {
constexpr double kCellWidth = 1.0 / kFontColumns;  // 0.0625 of the texture width
constexpr double kCellHeight = 1.0 / kFontRows;    // 0.125 of the texture height
// Every sampled band sits one hundredth of the texture height toward t = 0, so that the glyph's
// top row stays clear of the neighbouring cell's bottom row under linear filtering.
constexpr double kBandShift = 0.01;
}  // namespace

GlyphCell GlyphCellFor(char code) {
  const int c = static_cast<signed char>(code);
  const int column = c & (kFontColumns - 1);
  // Only the low 8 bits of the row offset count, so codes below 32 wrap to rows 14 and 15 and
  // bytes above 127 (negative as signed) continue at row 8.
  const int row = static_cast<uint8_t>(c - kFontFirstCode) / kFontColumns;
  GlyphCell cell;
  cell.s0 = static_cast<float>(column * kCellWidth);
  cell.s1 = static_cast<float>(cell.s0 + kCellWidth);
  cell.t0 = static_cast<float>((1.0 - kCellHeight) - row * kCellHeight - kBandShift);
  cell.t1 = static_cast<float>(cell.t0 + kCellHeight);
  return cell;
}

float GlyphWidth(float size) {
  return static_cast<float>(size * kGlyphWidthPerSize);
}

float GlyphAdvance(float size) {
  return static_cast<float>(size * kGlyphAdvancePerSize);
}

int16_t AdvancePen(int16_t pen, float advance) {
  const float next = pen + advance;
  // A pen past the range of int (a huge glyph size) would make the conversion undefined. The
  // pen is a 16-bit count, so only the truncated value modulo 65536 matters; fmod finds that
  // exactly. A size that is not finite leaves nothing to step by: the pen stays.
  if (!std::isfinite(next)) return pen;
  return static_cast<int16_t>(static_cast<int>(std::fmod(std::trunc(next), 65536.0f)));
}
