// Image: one owned buffer of packed rows with its size and depth. Sizes are checked in 64 bits so
// that a request whose byte count does not fit the 32-bit fields is refused, never wrapped.
#include "image/image.h"

#include <new>

Image::~Image() {
  Release();
}

void Image::Release() {
  if (pixels == nullptr) return;
  delete[] pixels;
  pixels = nullptr;
  bpp = width = height = pitch = size = 0;
}

bool Image::Create(uint32_t newWidth, uint32_t newHeight, uint32_t newBpp) {
  Release();
  if (newWidth == 0 || newHeight == 0 || newBpp == 0) return false;

  // A whole byte per pixel at least: 1 bit per pixel still takes a byte.
  const uint64_t bytesPerPixel = (static_cast<uint64_t>(newBpp) + 7) / 8;
  const uint64_t newPitch = bytesPerPixel * newWidth;  // below 2^30 * 2^32
  if (newPitch > UINT32_MAX) return false;
  const uint64_t newSize = newPitch * newHeight;  // below 2^32 * 2^32
  if (newSize > UINT32_MAX) return false;

  // On a failed allocation the image stays empty rather than describing a buffer it lacks.
  uint8_t* buffer = new (std::nothrow) uint8_t[newSize];
  if (buffer == nullptr) return false;

  pixels = buffer;
  width = newWidth;
  pitch = static_cast<uint32_t>(newPitch);
  height = newHeight;
  bpp = newBpp;
  size = static_cast<uint32_t>(newSize);
  return true;
}
