// A thin wrapper over one C stdio stream for binary files, or over bytes in memory read as such a
// file: whole-block and typed little-endian reads that chain, seeks, and an end flag telling
// whether the last failed read hit the end.
#pragma once

#include <cstdint>
#include <cstdio>

class BinaryFile {
 public:
  BinaryFile() = default;
  ~BinaryFile();
  BinaryFile(const BinaryFile&) = delete;
  BinaryFile& operator=(const BinaryFile&) = delete;

  bool Open(const char* path, const char* mode);
  // Reads size bytes at data, which must outlive the reads, as a file holding them.
  bool OpenMemory(const uint8_t* data, uint32_t size);
  void Close();
  bool Read(void* buffer, uint32_t count);
  bool Write(const void* buffer, uint32_t count);

  // Typed reads; they return the file so reads can be chained. Test IsAtEnd after a run.
  BinaryFile& ReadByte(uint8_t& v);
  BinaryFile& ReadWord(uint16_t& v);
  BinaryFile& ReadDword(uint32_t& v);
  BinaryFile& ReadDword(int32_t& v);

  bool SeekFromStart(int32_t offset);
  bool SeekFromCurrent(int32_t offset);
  bool SeekFromEnd(int32_t offset);
  int32_t Tell();
  bool IsAtEnd() const { return atEnd; }

 private:
  FILE* stream = nullptr;
  const uint8_t* memory = nullptr;  // with OpenMemory, in place of the stream
  uint32_t memorySize = 0, position = 0;
  bool atEnd = true;
  bool Seek(int64_t offset);
};
