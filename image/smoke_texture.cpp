// LoadSmokeTexture: the particle texture, read raw as 128 x 128 pixels of 24 bits from byte 54 of
// a BMP file, without looking at its headers, with an alpha channel derived from the colours.
#include "image/smoke_texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>
#include <cstdio>

namespace {

constexpr int kSmokeSizePixels = 128;
constexpr long kSmokePixelOffsetBytes = 54;  // a 14-byte file header and a 40-byte info header
constexpr int kRgbaBytes = 4;

uint8_t LowByte(int value) {
  return static_cast<uint8_t>(value & 0xFF);
}

// Bytes past the end of the file read as EOF (-1), which is stored as 255 and enters the mean as
// -1: a pixel wholly past the end comes out white and opaque.
uint8_t AlphaOf(int b0, int b1, int b2, int alphaValue, int alphaThreshold) {
  if (alphaValue < 0) {
    // The mean of the channels, divided in double precision and truncated toward zero.
    return LowByte(static_cast<int>((b2 + b1 + b0) / 3.0));
  }
  const bool bright = b2 >= alphaThreshold || b1 >= alphaThreshold || b0 >= alphaThreshold;
  return bright ? LowByte(alphaValue) : 0;
}

uint32_t LittleEndian(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

// What the headers of a file of `size` bytes must say for the raw read to see the image.
bool HeadersSaySmoke(const uint8_t* header, std::size_t size) {
  const int32_t height = static_cast<int32_t>(LittleEndian(header + 22, 4));  // < 0: top-down
  return header[0] == 'B' && header[1] == 'M' &&
         LittleEndian(header + 10, 4) == kSmokePixelOffsetBytes &&
         LittleEndian(header + 18, 4) == kSmokeSizePixels &&
         (height == kSmokeSizePixels || height == -kSmokeSizePixels) &&
         LittleEndian(header + 28, 2) == 24 && LittleEndian(header + 30, 4) == 0 &&
         size >= static_cast<std::size_t>(kSmokePixelOffsetBytes +
                                          3L * kSmokeSizePixels * kSmokeSizePixels);
}

// The pixels from nextByte (the bytes from offset 54 on, EOF past the end) into a new texture.
template <typename NextByte>
uint32_t Upload(NextByte nextByte, int alphaValue, int alphaThreshold) {
  // 64 KiB for one call only: on the stack, no heap allocation.
  uint8_t rgba[kSmokeSizePixels * kSmokeSizePixels * kRgbaBytes];
  uint8_t* pixel = rgba;
  // The first row in the file becomes texture row 0; the rows are not reordered.
  for (int i = 0; i < kSmokeSizePixels; ++i) {
    for (int j = 0; j < kSmokeSizePixels; ++j, pixel += kRgbaBytes) {
      const int b0 = nextByte();  // blue in a 24-bit BMP
      const int b1 = nextByte();  // green
      const int b2 = nextByte();  // red
      pixel[0] = LowByte(b2);
      pixel[1] = LowByte(b1);
      pixel[2] = LowByte(b0);
      pixel[3] = AlphaOf(b0, b1, b2, alphaValue, alphaThreshold);
    }
  }

  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);  // stays bound on return
  // Global state, left in force on purpose: later uploads of packed rows rely on alignment 1, and
  // everything textured afterwards is modulated by the current colour.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLfloat>(GL_MODULATE));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kSmokeSizePixels, kSmokeSizePixels, 0, GL_RGBA,
               GL_UNSIGNED_BYTE, rgba);
  gluBuild2DMipmaps(GL_TEXTURE_2D, 4, kSmokeSizePixels, kSmokeSizePixels, GL_RGBA, GL_UNSIGNED_BYTE,
                    rgba);
  return name;
}

}  // namespace

bool IsSmokeBmp(const char* path) {
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return false;
  uint8_t header[kSmokePixelOffsetBytes];
  const bool whole = std::fread(header, 1, sizeof header, file) == sizeof header;
  const bool seekable = std::fseek(file, 0, SEEK_END) == 0;
  const long size = std::ftell(file);
  std::fclose(file);
  return whole && seekable && size >= 0 && HeadersSaySmoke(header, static_cast<std::size_t>(size));
}

bool IsSmokeBmpBytes(const uint8_t* data, std::size_t size) {
  return data != nullptr && size >= kSmokePixelOffsetBytes && HeadersSaySmoke(data, size);
}

uint32_t LoadSmokeTexture(const char* path, int alphaValue, int alphaThreshold) {
  if (path == nullptr) return 0;
  std::FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return 0;
  std::fseek(file, kSmokePixelOffsetBytes, SEEK_SET);
  const uint32_t name = Upload([file] { return std::fgetc(file); }, alphaValue, alphaThreshold);
  std::fclose(file);
  return name;
}

uint32_t LoadSmokeTextureBytes(const uint8_t* data, std::size_t size, int alphaValue,
                               int alphaThreshold) {
  if (data == nullptr) return 0;
  std::size_t at = kSmokePixelOffsetBytes;
  // Past the end reads as a file's EOF does.
  return Upload([&] { return at < size ? static_cast<int>(data[at++]) : EOF; }, alphaValue,
                alphaThreshold);
}
