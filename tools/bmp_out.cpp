// The BMP encoder: headers field by field in little-endian order, the palette, then the rows in
// the file's order, blue-green-red(-alpha), each padded to 4 bytes.
#include "tools/bmp_out.h"

#include <cstdio>

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kBasicInfoHeaderBytes = 40;
constexpr uint32_t kFullPaletteEntries = 256;
constexpr uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void Le16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void Le32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> EncodeBmp(int width, int height, int bitsPerPixel,
                               const std::vector<uint8_t>& pixels, const BmpLayout& layout) {
  const uint32_t bytesPerPixel = static_cast<uint32_t>(bitsPerPixel) / 8;
  const uint32_t rowBytes = bytesPerPixel * static_cast<uint32_t>(width);
  const uint32_t stride = (rowBytes + 3) / 4 * 4;
  const uint32_t rows = static_cast<uint32_t>(height);
  const uint32_t paletteEntries = layout.paletteEntries >= 0 ? layout.paletteEntries
                                  : bitsPerPixel == 8        ? kFullPaletteEntries
                                                             : 0;
  const uint32_t pixelOffset = kFileHeaderBytes + layout.infoHeaderSize + paletteEntries * 4;
  const uint32_t imageBytes = stride * rows;

  std::vector<uint8_t> out;
  out.reserve(pixelOffset + imageBytes);
  out.push_back('B');
  out.push_back('M');
  Le32(out, pixelOffset + imageBytes);
  Le32(out, 0);
  Le32(out, pixelOffset);
  Le32(out, layout.infoHeaderSize);
  Le32(out, static_cast<uint32_t>(width));
  Le32(out, static_cast<uint32_t>(layout.topRowFirst ? -height : height));
  Le16(out, 1);
  Le16(out, static_cast<uint16_t>(bitsPerPixel));
  Le32(out, layout.compression);
  Le32(out, imageBytes);
  Le32(out, kPixelsPerMetre);
  Le32(out, kPixelsPerMetre);
  Le32(out, paletteEntries);
  Le32(out, 0);
  for (uint32_t i = kBasicInfoHeaderBytes; i < layout.infoHeaderSize; ++i) out.push_back(0);
  for (uint32_t i = 0; i < paletteEntries; ++i) {
    const auto level = static_cast<uint8_t>(i);
    if (layout.greyPalette) {
      out.insert(out.end(), {level, level, level, 0});
    } else {
      out.insert(out.end(), {static_cast<uint8_t>(255 - i), static_cast<uint8_t>(i / 2),
                             static_cast<uint8_t>(i * 7), 0});
    }
  }
  for (uint32_t k = 0; k < rows; ++k) {
    const uint32_t row = layout.topRowFirst ? k : rows - 1 - k;
    const uint8_t* source = pixels.data() + static_cast<size_t>(row) * rowBytes;
    for (int x = 0; x < width; ++x, source += bytesPerPixel) {
      if (bytesPerPixel == 1) {
        out.push_back(source[0]);
      } else {
        out.insert(out.end(), {source[2], source[1], source[0]});
        if (bytesPerPixel == 4) out.push_back(source[3]);
      }
    }
    for (uint32_t p = rowBytes; p < stride; ++p) out.push_back(layout.paddingByte);
  }
  return out;
}

bool WriteBmpFile(const char* path, int width, int height, int bitsPerPixel,
                  const std::vector<uint8_t>& pixels) {
  if (width <= 0 || height <= 0 || (bitsPerPixel != 8 && bitsPerPixel != 24)) return false;
  if (pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height) *
                           static_cast<size_t>(bitsPerPixel / 8))
    return false;
  const std::vector<uint8_t> out = EncodeBmp(width, height, bitsPerPixel, pixels);
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(out.data(), out.size(), 1, file) == 1;
  return std::fclose(file) == 0 && written;
}
