// The one BMP encoder: the shipped images as plain Windows BMP files (bottom row first, 40-byte
// info header, a grey palette for 8 bits) that any image viewer opens, and, for the tests of the
// loader, any layout they ask for (orientation, header size, compression field, palette, row
// padding).
#pragma once

#include <cstdint>
#include <vector>

struct BmpLayout {
  bool topRowFirst = false;      // written with a negative height
  uint32_t infoHeaderSize = 40;  // the bytes beyond the first 40 are written as zeros
  uint32_t compression = 0;      // the field as written; the pixels are never compressed
  int32_t paletteEntries = -1;   // -1: 256 for 8 bits, none otherwise
  bool greyPalette = true;       // else colours that a loader keeping the indices must ignore
  uint8_t paddingByte = 0;       // fills the row padding
};

// `pixels` holds the picture as a viewer shows it, top row first, rows packed: one byte per pixel
// for 8 bits, red-green-blue for 24, red-green-blue-alpha for 32. The whole file's bytes.
std::vector<uint8_t> EncodeBmp(int width, int height, int bitsPerPixel,
                               const std::vector<uint8_t>& pixels,
                               const BmpLayout& layout = BmpLayout());

// An 8-bit grey or 24-bit colour picture as a plain BMP file. Returns false when the picture is
// not one, or the file cannot be written.
bool WriteBmpFile(const char* path, int width, int height, int bitsPerPixel,
                  const std::vector<uint8_t>& pixels);
