// A FILE* whose text a test reads back: a temporary file, which every C library has (mingw's has
// no open_memstream), so that the same tests run built for Linux and for Windows.
#pragma once

#include <cstdio>
#include <string>

class CapturedStream {
 public:
  CapturedStream() : file(std::tmpfile()) {}
  ~CapturedStream() {
    if (file != nullptr) std::fclose(file);
  }
  CapturedStream(const CapturedStream&) = delete;
  CapturedStream& operator=(const CapturedStream&) = delete;

  std::FILE* get() const { return file; }
  // Everything written so far.
  std::string Text() const {
    std::string text;
    if (file == nullptr) return text;
    std::fflush(file);
    std::rewind(file);
    char chunk[4096];
    size_t n = 0;
    while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text.append(chunk, n);
    return text;
  }

 private:
  std::FILE* file;
};
