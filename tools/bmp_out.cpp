// The BMP writer of the asset generator: headers field by field in little-endian order, a grey
// palette for 8 bits, then the rows bottom row first in blue-green-red order, padded to 4 bytes.
#include "tools/bmp_out.h"

#include <cstdio>

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr uint32_t kGreyPaletteEntries = 256;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void Le16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Le32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

bool WriteBmpFile(const char* path, int width, int height, int bitsPerPixel,
                  const std::vector<uint8_t>& pixels) {
  if (width <= 0 || height <= 0 || (bitsPerPixel != 8 && bitsPerPixel != 24)) return false;
  const uint32_t bytesPerPixel = static_cast<uint32_t>(bitsPerPixel) / 8;
  const uint32_t rowBytes = bytesPerPixel * static_cast<uint32_t>(width);
  if (pixels.size() != static_cast<size_t>(rowBytes) * static_cast<uint32_t>(height)) return false;
  const uint32_t stride = (rowBytes + 3) / 4 * 4;
  const uint32_t paletteEntries = bitsPerPixel == 8 ? kGreyPaletteEntries : 0;
  const uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + paletteEntries * 4;
  const uint32_t imageBytes = stride * static_cast<uint32_t>(height);

  std::vector<uint8_t> out;
  out.reserve(pixelOffset + imageBytes);
  out.push_back('B');
  out.push_back('M');
  Le32(out, pixelOffset + imageBytes);
  Le32(out, 0);
  Le32(out, pixelOffset);
  Le32(out, kInfoHeaderBytes);
  Le32(out, static_cast<uint32_t>(width));
  Le32(out, static_cast<uint32_t>(height));  // positive: bottom row first
  Le16(out, 1);
  Le16(out, static_cast<uint16_t>(bitsPerPixel));
  Le32(out, 0);  // uncompressed
  Le32(out, imageBytes);
  Le32(out, kPixelsPerMetre);
  Le32(out, kPixelsPerMetre);
  Le32(out, paletteEntries);
  Le32(out, 0);
  for (uint32_t i = 0; i < paletteEntries; ++i) {
    const uint8_t level = static_cast<uint8_t>(i);
    out.insert(out.end(), {level, level, level, 0});
  }
  for (int row = height - 1; row >= 0; --row) {
    const uint8_t* source = pixels.data() + static_cast<size_t>(row) * rowBytes;
    for (int x = 0; x < width; ++x, source += bytesPerPixel) {
      if (bytesPerPixel == 1) {
        out.push_back(source[0]);
      } else {
        out.insert(out.end(), {source[2], source[1], source[0]});
      }
    }
    for (uint32_t p = rowBytes; p < stride; ++p) out.push_back(0);
  }

  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(out.data(), out.size(), 1, file) == 1;
  return std::fclose(file) == 0 && written;
}
