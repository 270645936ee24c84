// libFuzzer target for the BMP decoder: every input is presented as a file (LoadBmp reads through
// stdio) and decoded into an image that already holds a picture. The sanitizers catch any
// out-of-bounds access; the checks below catch a load that breaks the image's own invariants.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image/bmp.h"
#include "image/image.h"

namespace {

// One in-memory file for the whole run, rewritten for each input: no disk traffic.
struct MemoryFile {
  int fd;
  std::string path;
};

const MemoryFile& Input() {
  static const MemoryFile file = [] {
    const int fd = memfd_create("bmp-fuzz-input", 0);
    if (fd < 0) std::abort();
    return MemoryFile{fd, "/proc/self/fd/" + std::to_string(fd)};
  }();
  return file;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = Input().fd;
  if (ftruncate(fd, 0) != 0) std::abort();
  size_t written = 0;
  while (written < size) {
    const ssize_t n = pwrite(fd, data + written, size - written, static_cast<off_t>(written));
    if (n <= 0) std::abort();
    written += static_cast<size_t>(n);
  }

  Image image;
  if (!image.Create(3, 2, 24)) std::abort();
  const uint8_t* before = image.GetPixels();
  if (LoadBmp(Input().path.c_str(), &image)) {
    const uint32_t bpp = image.GetBpp();
    if (bpp != 8 && bpp != 24 && bpp != 32) std::abort();
    if (image.GetPitch() != image.GetWidth() * (bpp / 8)) std::abort();
    if (image.GetSize() != image.GetPitch() * image.GetHeight()) std::abort();
    // Touch every byte so that a short buffer shows under AddressSanitizer.
    volatile uint8_t sink = 0;
    for (uint32_t i = 0; i < image.GetSize(); ++i) sink = sink ^ image.GetPixels()[i];
    (void)sink;
  } else if (image.GetPixels() != before || image.GetWidth() != 3) {
    // A file refused before the image is made must leave the image as it was.
    std::abort();
  }
  return 0;
}
