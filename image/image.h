// An uncompressed bitmap in memory: row 0 is the picture's top row, rows packed at `pitch`
// bytes. 8 bits: luminance; 16: luminance, alpha; 24: red, green, blue; 32: red, green, blue,
// alpha.
#pragma once

#include <cstdint>

class Image;

// A loader fills an image from a file and answers true when it now holds the file's picture.
using ImageLoader = bool (*)(const char* path, Image* image);

class Image {
 public:
  Image() = default;
  virtual ~Image();
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  virtual void Release();
  bool Create(uint32_t width, uint32_t height, uint32_t bpp);
  bool Load(const char* path, ImageLoader loader) { return loader(path, this); }

  uint32_t GetBpp() const { return bpp; }
  uint32_t GetWidth() const { return width; }
  uint32_t GetHeight() const { return height; }
  uint32_t GetPitch() const { return pitch; }
  uint32_t GetSize() const { return size; }
  uint8_t* GetPixels() { return pixels; }
  const uint8_t* GetPixels() const { return pixels; }

 private:
  uint32_t bpp = 0;
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t pitch = 0;
  uint32_t size = 0;
  uint8_t* pixels = nullptr;
};
