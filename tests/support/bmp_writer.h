// Test helpers for BMP files: an encoder that writes any picture as a BMP file with the layout a
// test asks for (orientation, header size, compression field, palette), byte pokes to break a file
// on purpose, and a scratch directory that is removed with everything in it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testbmp {

// A picture in the in-memory order the loader delivers: top row first, rows packed, 8 bits one
// index, 24 bits red-green-blue, 32 bits red-green-blue-alpha.
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bitsPerPixel = 24;
  std::vector<uint8_t> pixels;
};

struct Layout {
  bool topRowFirst = false;      // written with a negative height
  uint32_t infoHeaderSize = 40;  // the bytes beyond the first 40 are written as zeros
  uint32_t compression = 0;
  int32_t paletteEntries = -1;  // -1: 256 for 8 bits, none otherwise
  uint8_t paddingByte = 0xA5;   // fills the row padding, so that a leak of it shows
};

// Offsets of header fields, for tests that break a file on purpose.
constexpr size_t kPixelOffsetField = 10;
constexpr size_t kWidthField = 18;
constexpr size_t kHeightField = 22;
constexpr size_t kBitsPerPixelField = 28;
constexpr size_t kCompressionField = 30;

std::vector<uint8_t> EncodeBmp(const Picture& picture, const Layout& layout = Layout());

// A picture of pseudo-random bytes, the same for the same seed.
Picture RandomPicture(int32_t width, int32_t height, uint16_t bitsPerPixel, uint32_t seed);

void PutLe16(std::vector<uint8_t>& bytes, size_t offset, uint16_t value);
void PutLe32(std::vector<uint8_t>& bytes, size_t offset, uint32_t value);

bool WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadBytes(const std::string& path);

// A fresh directory under /tmp, removed with its contents when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& path() const { return root; }
  std::string File(const std::string& name) const { return root + "/" + name; }

 private:
  std::string root;
};

}  // namespace testbmp
