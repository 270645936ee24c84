// The tests' BMP helpers; the encoding itself is the asset generator's (tools/bmp_out.cpp), so
// that the files the tests make and the files that ship come from one encoder.
#include "tests/support/bmp_writer.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include "tools/bmp_out.h"

namespace testbmp {

std::vector<uint8_t> EncodeBmp(const Picture& picture, const Layout& layout) {
  BmpLayout bmp;
  bmp.topRowFirst = layout.topRowFirst;
  bmp.infoHeaderSize = layout.infoHeaderSize;
  bmp.compression = layout.compression;
  bmp.paletteEntries = layout.paletteEntries;
  bmp.greyPalette = false;  // the loader must ignore the palette and keep the indices
  bmp.paddingByte = layout.paddingByte;
  return ::EncodeBmp(picture.width, picture.height, picture.bitsPerPixel, picture.pixels, bmp);
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
