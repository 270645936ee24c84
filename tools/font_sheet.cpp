// The font sheet generator. The overlay draws a glyph quad 0.5 x size wide and size high from one
// cell, so a cell of 32 x 64 texels shows undistorted. It samples each cell's band shifted by one
// hundredth of the texture height (5.12 texels) toward the next row of cells, and minifies through
// box-filtered mipmaps, so the ink keeps clear of the cell borders: the top rows of every cell show
// at the bottom of the glyph above it and must stay black.
#include "tools/font_sheet.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace {

constexpr int kColumns = 16;
constexpr int kRows = 8;
constexpr int kCellWidthTexels = kFontSheetWidthPixels / kColumns;  // 32
constexpr int kCellHeightTexels = kFontSheetHeightPixels / kRows;   // 64
constexpr int kFirstCode = 32;
constexpr int kFirstBlankCode = 127;  // 127 to 159 stay blank: "\n" shows cell 138, as nothing

// Where ink may go inside a cell (upright, y down from the cell's top). The top 10 rows cover the
// 5.12-row band shift plus the reach of linear filtering at the mipmap levels used for text of 18
// to 30 pixels; 3 columns at each side keep neighbouring cells from bleeding in.
constexpr int kInkLeft = 3;
constexpr int kInkRight = kCellWidthTexels - 3;
constexpr int kInkTop = 10;
constexpr int kInkBottom = kCellHeightTexels - 2;

struct InkBox {
  int ascent = 0;   // rows above the baseline
  int descent = 0;  // rows below it
  int width = 0;
};

// The largest ink extents of the printable ASCII glyphs at the current size.
bool MeasurePrintable(FT_Face face, InkBox* box) {
  *box = InkBox();
  for (int code = kFirstCode + 1; code < kFirstBlankCode; ++code) {
    if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) return false;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    if (bitmap.rows == 0) continue;
    box->ascent = std::max(box->ascent, face->glyph->bitmap_top);
    box->descent = std::max(box->descent, static_cast<int>(bitmap.rows) - face->glyph->bitmap_top);
    box->width = std::max(box->width, static_cast<int>(bitmap.width));
  }
  return true;
}

// Chooses the largest height in pixels whose glyphs fit the ink rows, then narrows the glyphs
// just enough to fit the ink columns. Leaves the face at that size.
bool FitSize(FT_Face face, InkBox* box) {
  const int inkRows = kInkBottom - kInkTop;
  const int inkColumns = kInkRight - kInkLeft;
  for (int height = kCellHeightTexels; height > 8; --height) {
    if (FT_Set_Pixel_Sizes(face, height, height) != 0 || !MeasurePrintable(face, box)) {
      return false;
    }
    if (box->ascent + box->descent > inkRows) continue;
    int width = height;
    while (box->width > inkColumns && width > 8) {
      --width;
      if (FT_Set_Pixel_Sizes(face, width, height) != 0 || !MeasurePrintable(face, box)) {
        return false;
      }
    }
    if (box->ascent + box->descent <= inkRows && box->width <= inkColumns) return true;
  }
  return false;
}

// Draws one glyph into its upright cell: the advance box centred in the cell, the baseline shared
// by all glyphs, the ink clamped inside the ink area.
void DrawGlyph(FT_Face face, int code, int baseline, std::vector<uint8_t>& sheet) {
  if (FT_Load_Char(face, code, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) return;
  const FT_GlyphSlot slot = face->glyph;
  const FT_Bitmap& bitmap = slot->bitmap;
  if (bitmap.rows == 0 || bitmap.width == 0) return;

  const int cell = code - kFirstCode;
  const int cellX = (cell % kColumns) * kCellWidthTexels;
  const int cellY = (cell / kColumns) * kCellHeightTexels;
  const double advance = slot->advance.x / 64.0;
  int left = static_cast<int>(std::lround((kCellWidthTexels - advance) / 2.0)) + slot->bitmap_left;
  left = std::clamp(left, kInkLeft, kInkRight - static_cast<int>(bitmap.width));
  int top = baseline - slot->bitmap_top;
  top = std::clamp(top, kInkTop, kInkBottom - static_cast<int>(bitmap.rows));

  for (unsigned y = 0; y < bitmap.rows; ++y) {
    const uint8_t* source = bitmap.buffer + static_cast<long>(y) * bitmap.pitch;
    uint8_t* target =
        sheet.data() + static_cast<size_t>(cellY + top + y) * kFontSheetWidthPixels + cellX + left;
    for (unsigned x = 0; x < bitmap.width; ++x) target[x] = std::max(target[x], source[x]);
  }
}

}  // namespace

bool RenderFontSheet(const char* fontPath, std::vector<uint8_t>* picture, std::string* error) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) {
    *error = "FreeType cannot start";
    return false;
  }
  FT_Face face = nullptr;
  bool ok = false;
  InkBox box;
  if (FT_New_Face(library, fontPath, 0, &face) != 0) {
    *error = std::string("cannot open font ") + fontPath;
  } else if (!FitSize(face, &box)) {
    *error = "the font's glyphs do not fit the cells";
  } else {
    std::vector<uint8_t> upright(
        static_cast<size_t>(kFontSheetWidthPixels) * kFontSheetHeightPixels, 0);
    const int baseline = kInkTop + box.ascent;
    for (int code = kFirstCode + 1; code < kFirstBlankCode; ++code) {
      DrawGlyph(face, code, baseline, upright);
    }
    // Mirrored top to bottom: the overlay maps the glyph's top edge to the larger texture t.
    picture->assign(upright.size(), 0);
    for (int y = 0; y < kFontSheetHeightPixels; ++y) {
      std::copy_n(upright.begin() + static_cast<long>(y) * kFontSheetWidthPixels,
                  kFontSheetWidthPixels,
                  picture->begin() +
                      static_cast<long>(kFontSheetHeightPixels - 1 - y) * kFontSheetWidthPixels);
    }
    ok = true;
  }
  if (face != nullptr) FT_Done_Face(face);
  FT_Done_FreeType(library);
  return ok;
}
