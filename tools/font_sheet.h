// The bitmap font sheet: 16 x 8 cells for character codes 32 to 159, glyphs rendered with
// FreeType, anti-aliased, white on black, laid out so that they survive the text overlay's
// texture-coordinate mapping and mipmapping.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kFontSheetWidthPixels = 512;
constexpr int kFontSheetHeightPixels = 512;

// Renders the sheet as it is stored in font.bmp, top row first as a viewer shows it: the upright
// sheet (codes 32 to 47 in its first row) mirrored top to bottom. One grey byte per pixel.
// Returns false, with a reason in `error`, when the font cannot be used.
bool RenderFontSheet(const char* fontPath, std::vector<uint8_t>* picture, std::string* error);
