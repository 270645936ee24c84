// The BMP encoder of the tests: writes headers field by field in little-endian order, the palette,
// and the rows in the file's blue-green-red order with their padding.
#include "tests/support/bmp_writer.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <random>

namespace testbmp {

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kBasicInfoHeaderBytes = 40;

void AppendLe16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void AppendLe32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

std::vector<uint8_t> EncodeBmp(const Picture& picture, const Layout& layout) {
  const uint32_t bytesPerPixel = picture.bitsPerPixel / 8;
  const uint32_t rowBytes = bytesPerPixel * static_cast<uint32_t>(picture.width);
  const uint32_t stride = (rowBytes + 3) / 4 * 4;
  const uint32_t rows = static_cast<uint32_t>(picture.height);
  const uint32_t paletteEntries = layout.paletteEntries >= 0  ? layout.paletteEntries
                                  : picture.bitsPerPixel == 8 ? 256
                                                              : 0;
  const uint32_t pixelOffset = kFileHeaderBytes + layout.infoHeaderSize + paletteEntries * 4;
  const uint32_t fileSize = pixelOffset + stride * rows;

  std::vector<uint8_t> out;
  out.reserve(fileSize);
  out.push_back('B');
  out.push_back('M');
  AppendLe32(out, fileSize);
  AppendLe32(out, 0);
  AppendLe32(out, pixelOffset);

  AppendLe32(out, layout.infoHeaderSize);
  AppendLe32(out, static_cast<uint32_t>(picture.width));
  AppendLe32(out, static_cast<uint32_t>(layout.topRowFirst ? -picture.height : picture.height));
  AppendLe16(out, 1);
  AppendLe16(out, picture.bitsPerPixel);
  AppendLe32(out, layout.compression);
  AppendLe32(out, stride * rows);
  AppendLe32(out, 2835);  // 72 dpi
  AppendLe32(out, 2835);
  AppendLe32(out, paletteEntries);
  AppendLe32(out, 0);
  for (uint32_t i = kBasicInfoHeaderBytes; i < layout.infoHeaderSize; ++i) out.push_back(0);

  // A deliberately colourful palette: the loader must ignore it and keep the indices.
  for (uint32_t i = 0; i < paletteEntries; ++i) {
    out.push_back(static_cast<uint8_t>(255 - i));
    out.push_back(static_cast<uint8_t>(i / 2));
    out.push_back(static_cast<uint8_t>(i * 7));
    out.push_back(0);
  }

  for (uint32_t k = 0; k < rows; ++k) {
    const uint32_t pictureRow = layout.topRowFirst ? k : rows - 1 - k;
    const uint8_t* source = picture.pixels.data() + static_cast<size_t>(pictureRow) * rowBytes;
    for (uint32_t x = 0; x < static_cast<uint32_t>(picture.width); ++x, source += bytesPerPixel) {
      if (bytesPerPixel == 1) {
        out.push_back(source[0]);
      } else {
        out.push_back(source[2]);
        out.push_back(source[1]);
        out.push_back(source[0]);
        if (bytesPerPixel == 4) out.push_back(source[3]);
      }
    }
    for (uint32_t p = rowBytes; p < stride; ++p) out.push_back(layout.paddingByte);
  }
  return out;
}

Picture RandomPicture(int32_t width, int32_t height, uint16_t bitsPerPixel, uint32_t seed) {
  Picture picture;
  picture.width = width;
  picture.height = height;
  picture.bitsPerPixel = bitsPerPixel;
  picture.pixels.resize(static_cast<size_t>(width) * height * (bitsPerPixel / 8));
  uint32_t state = seed * 2654435761u + 1;
  for (uint8_t& byte : picture.pixels) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<uint8_t>(state >> 24);
  }
  return picture;
}

void PutLe16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value) {
  bytes.at(offset) = static_cast<uint8_t>(value);
  bytes.at(offset + 1) = static_cast<uint8_t>(value >> 8);
}

void PutLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value) {
  for (size_t i = 0; i < 4; ++i) bytes.at(offset + i) = static_cast<uint8_t>(value >> (8 * i));
}

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), bytes.size(), 1, file) == 1;
  return std::fclose(file) == 0 && ok;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> bytes;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return bytes;
  uint8_t chunk[4096];
  size_t n = 0;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0)
    bytes.insert(bytes.end(), chunk, chunk + n);
  std::fclose(file);
  return bytes;
}

ScratchDir::ScratchDir() {
  // create_directory fails on a name already taken, as mkdtemp would; this also builds with
  // mingw, which has no mkdtemp.
  std::error_code error;
  const std::filesystem::path base = std::filesystem::temp_directory_path(error);
  if (error) return;
  std::random_device random;
  for (int attempt = 0; attempt < 100 && root.empty(); ++attempt) {
    char name[32];
    std::snprintf(name, sizeof name, "quor-test-%08x", static_cast<unsigned>(random()));
    if (std::filesystem::create_directory(base / name, error)) root = (base / name).string();
  }
}

ScratchDir::~ScratchDir() {
  if (root.empty()) return;
  std::error_code ignored;
  std::filesystem::remove_all(root, ignored);
}

}  // namespace testbmp
