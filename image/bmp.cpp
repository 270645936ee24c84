// LoadBmp: uncompressed Windows BMP files of 8, 24 or 32 bits per pixel into an Image, top row
// first, red-green-blue order. Every size is checked before anything is allocated, and the pixel
// block must lie inside the file, so hostile headers cannot make it read out of bounds or ask for
// absurd amounts of memory.
#include "image/bmp.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

#include "image/binary_file.h"
#include "image/image.h"

namespace {

constexpr uint8_t kSignatureFirst = 0x42;   // "B"
constexpr uint8_t kSignatureSecond = 0x4D;  // "M"
constexpr uint32_t kUncompressed = 0;
constexpr uint64_t kRowAlignmentBytes = 4;  // each file row is padded to a multiple of this

// The headers as they are read, field by field. Everything starts at zero so that the fields a
// file cut short could not supply have a known value (a zero width fails the checks below).
struct BmpHeaders {
  uint8_t signatureFirst = 0;
  uint8_t signatureSecond = 0;
  uint32_t fileSize = 0;
  uint32_t reserved = 0;
  uint32_t pixelOffset = 0;
  uint32_t infoSize = 0;
  int32_t width = 0;
  int32_t height = 0;  // negative: rows stored top row first
  uint16_t planes = 0;
  uint16_t bitsPerPixel = 0;
  uint32_t compression = 0;
  uint32_t imageSize = 0;
  uint32_t xResolution = 0;
  uint32_t yResolution = 0;
  uint32_t coloursUsed = 0;
  uint32_t coloursImportant = 0;
};

// Reads the 14-byte file header; false on a wrong signature or a file that ends inside it.
bool ReadFileHeader(BinaryFile& file, BmpHeaders& h) {
  file.ReadByte(h.signatureFirst)
      .ReadByte(h.signatureSecond)
      .ReadDword(h.fileSize)
      .ReadDword(h.reserved)
      .ReadDword(h.pixelOffset);
  return h.signatureFirst == kSignatureFirst && h.signatureSecond == kSignatureSecond &&
         !file.IsAtEnd();
}

// Reads the fields of a 40-byte info header. Larger headers carry more fields after these, which
// do not matter: the pixel block is found through the pixel offset.
void ReadInfoHeader(BinaryFile& file, BmpHeaders& h) {
  file.ReadDword(h.infoSize)
      .ReadDword(h.width)
      .ReadDword(h.height)
      .ReadWord(h.planes)
      .ReadWord(h.bitsPerPixel)
      .ReadDword(h.compression)
      .ReadDword(h.imageSize)
      .ReadDword(h.xResolution)
      .ReadDword(h.yResolution)
      .ReadDword(h.coloursUsed)
      .ReadDword(h.coloursImportant);
}

bool IsSupportedDepth(uint16_t bitsPerPixel) {
  return bitsPerPixel == 8 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

// True when the file holds at least `count` bytes from `offset` on; leaves the position at offset.
bool FileHoldsBlock(BinaryFile& file, uint32_t offset, uint64_t count) {
  if (!file.SeekFromEnd(0)) return false;
  const int32_t end = file.Tell();
  if (end < 0 || offset > static_cast<uint32_t>(end)) return false;
  if (static_cast<uint64_t>(end) - offset < count) return false;
  return file.SeekFromStart(static_cast<int32_t>(offset));
}

// One image row from one file row: blue-green-red(-alpha) becomes red-green-blue(-alpha); 8-bit
// palette indices are taken as they stand, as grey levels.
void ConvertRow(const uint8_t* source, uint8_t* target, uint32_t pitch, uint32_t bitsPerPixel) {
  switch (bitsPerPixel) {
    case 8:
      std::memcpy(target, source, pitch);
      break;
    case 24:
      for (uint32_t i = 0; i < pitch; i += 3, source += 3) {
        target[i + 0] = source[2];
        target[i + 1] = source[1];
        target[i + 2] = source[0];
      }
      break;
    case 32:
      for (uint32_t i = 0; i < pitch; i += 4, source += 4) {
        target[i + 0] = source[2];
        target[i + 1] = source[1];
        target[i + 2] = source[0];
        target[i + 3] = source[3];
      }
      break;
    default:
      break;
  }
}

// The image from a file opened for reading.
bool ReadBmp(BinaryFile& file, Image* image) {
  BmpHeaders h;
  if (!ReadFileHeader(file, h)) return false;
  ReadInfoHeader(file, h);

  // A negative width would give a row of negative length: refused with the zero width.
  if (h.compression != kUncompressed || h.height == 0 || h.width <= 0) return false;
  if (!IsSupportedDepth(h.bitsPerPixel)) return false;

  const bool topRowFirst = h.height < 0;
  // In 64 bits: the magnitude of the most negative height does not fit a 32-bit int.
  const uint64_t rowCount = topRowFirst ? -static_cast<int64_t>(h.height) : h.height;
  const uint64_t rowBytes = static_cast<uint64_t>(h.bitsPerPixel / 8) * h.width;
  const uint64_t stride =
      (rowBytes + kRowAlignmentBytes - 1) / kRowAlignmentBytes * kRowAlignmentBytes;
  const uint64_t blockSize = stride * rowCount;  // below 2^33 * 2^31: no overflow
  if (blockSize > UINT32_MAX) return false;

  // The pixel block must lie inside the file: a short file fails here, before its claimed size
  // is allocated, and so does a pixel offset past the end.
  if (!FileHoldsBlock(file, h.pixelOffset, blockSize)) return false;

  std::unique_ptr<uint8_t[]> block(new (std::nothrow) uint8_t[blockSize]);
  if (!block) return false;
  if (!file.Read(block.get(), static_cast<uint32_t>(blockSize))) return false;

  if (!image->Create(static_cast<uint32_t>(h.width), static_cast<uint32_t>(rowCount),
                     h.bitsPerPixel)) {
    return false;
  }

  const uint32_t pitch = image->GetPitch();
  uint8_t* pixels = image->GetPixels();
  for (uint64_t r = 0; r < rowCount; ++r) {
    const uint64_t fileRow = topRowFirst ? r : rowCount - 1 - r;
    ConvertRow(block.get() + fileRow * stride, pixels + r * pitch, pitch, h.bitsPerPixel);
  }
  return true;
}

}  // namespace

bool LoadBmp(const char* path, Image* image) {
  if (image == nullptr) return false;
  BinaryFile file;  // closed by its destructor on every path
  return file.Open(path, "rb") && ReadBmp(file, image);
}

bool LoadBmpBytes(const uint8_t* data, std::size_t size, Image* image) {
  if (image == nullptr || size > UINT32_MAX) return false;
  BinaryFile file;
  return file.OpenMemory(data, static_cast<uint32_t>(size)) && ReadBmp(file, image);
}
