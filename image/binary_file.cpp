// BinaryFile: one C stdio stream read in whole blocks or little-endian typed values. The end flag
// follows the stream's own end-of-file indicator after a failed read, so a caller can run a chain
// of typed reads and ask once at the end whether the file ran out.
#include "image/binary_file.h"

#include <climits>
#include <cstdint>
#include <cstring>

namespace {

// The typed reads assemble values from the bytes in file order, so the result does not depend on
// the host's byte order.
uint32_t LittleEndian(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

}  // namespace

BinaryFile::~BinaryFile() {
  Close();
}

bool BinaryFile::Open(const char* path, const char* mode) {
  Close();
  if (path == nullptr || mode == nullptr) return false;
  stream = std::fopen(path, mode);
  if (stream == nullptr) return false;
  atEnd = false;
  return true;
}

bool BinaryFile::OpenMemory(const uint8_t* data, uint32_t size) {
  Close();
  if (data == nullptr) return false;
  memory = data;
  memorySize = size;
  position = 0;
  atEnd = false;
  return true;
}

void BinaryFile::Close() {
  memory = nullptr;
  memorySize = position = 0;
  atEnd = true;
  if (stream == nullptr) return;
  std::fclose(stream);
  stream = nullptr;
}

bool BinaryFile::Read(void* buffer, uint32_t count) {
  if (memory != nullptr) {
    // As fread: a block that does not fit is not read, and leaves the position at the end.
    if (count > 0 && position <= memorySize && count <= memorySize - position) {
      std::memcpy(buffer, memory + position, count);
      position += count;
      return true;
    }
    if (count > 0) {
      position = memorySize;
      atEnd = true;
    }
    return false;
  }
  if (stream == nullptr) return false;
  // One element of `count` bytes: fread answers 1 only when the whole block arrived, and a block
  // of zero bytes never counts as read.
  if (std::fread(buffer, count, 1, stream) == 1) return true;
  atEnd = std::feof(stream) != 0;
  return false;
}

bool BinaryFile::Write(const void* buffer, uint32_t count) {
  if (stream == nullptr) return false;  // bytes in memory are only read
  return std::fwrite(buffer, count, 1, stream) == 1;
}

BinaryFile& BinaryFile::ReadByte(uint8_t& v) {
  uint8_t byte = 0;
  if (Read(&byte, 1)) v = byte;
  return *this;
}

BinaryFile& BinaryFile::ReadWord(uint16_t& v) {
  uint8_t bytes[2] = {};
  if (Read(bytes, sizeof bytes)) v = static_cast<uint16_t>(LittleEndian(bytes, 2));
  return *this;
}

BinaryFile& BinaryFile::ReadDword(uint32_t& v) {
  uint8_t bytes[4] = {};
  if (Read(bytes, sizeof bytes)) v = LittleEndian(bytes, 4);
  return *this;
}

BinaryFile& BinaryFile::ReadDword(int32_t& v) {
  uint8_t bytes[4] = {};
  // Two's complement reinterpretation of the stored bits.
  if (Read(bytes, sizeof bytes)) v = static_cast<int32_t>(LittleEndian(bytes, 4));
  return *this;
}

// A seek within the bytes in memory, as fseek on a file: anywhere from 0, also past the end.
bool BinaryFile::Seek(int64_t offset) {
  if (offset < 0 || offset > UINT32_MAX) return false;
  position = static_cast<uint32_t>(offset);
  return true;
}

// The seeks and Tell are harmless on a closed file: they fail instead of touching a null stream.
bool BinaryFile::SeekFromStart(int32_t offset) {
  if (memory != nullptr) return Seek(offset);
  return stream != nullptr && std::fseek(stream, offset, SEEK_SET) == 0;
}

bool BinaryFile::SeekFromCurrent(int32_t offset) {
  if (memory != nullptr) return Seek(int64_t{position} + offset);
  return stream != nullptr && std::fseek(stream, offset, SEEK_CUR) == 0;
}

bool BinaryFile::SeekFromEnd(int32_t offset) {
  if (memory != nullptr) return Seek(int64_t{memorySize} + offset);
  return stream != nullptr && std::fseek(stream, offset, SEEK_END) == 0;
}

int32_t BinaryFile::Tell() {
  if (memory != nullptr) return position > INT32_MAX ? -1 : static_cast<int32_t>(position);
  if (stream == nullptr) return -1;
  const long at = std::ftell(stream);
  // A position that a signed 32-bit offset cannot express is reported as a failure.
  if (at < 0 || at > INT32_MAX) return -1;
  return static_cast<int32_t>(at);
}
