// PNG writing with libpng. Its errors arrive through a longjmp back into WritePng; warnings are
// dropped, since the program keeps standard error for its own lines.
#include "image/png_file.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

namespace {
void IgnoreWarning(png_structp, png_const_charp) {}
void FailWrite(png_structp png, png_const_charp) {
  longjmp(png_jmpbuf(png), 1);
}
}  // namespace

bool WritePng(const char* path, int width, int height, const uint8_t* rows, bool bottomUp) {
  if (width <= 0 || height <= 0 || rows == nullptr) return false;
  std::FILE* file = std::fopen(path, "wb");
  if (file == nullptr) return false;
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, FailWrite, IgnoreWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  // volatile: read after a longjmp from inside libpng.
  volatile bool ok = png != nullptr && info != nullptr;
  if (ok && setjmp(png_jmpbuf(png)) == 0) {
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    const size_t stride = static_cast<size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
      const int row = bottomUp ? height - 1 - y : y;
      png_write_row(png, rows + static_cast<size_t>(row) * stride);
    }
    png_write_end(png, nullptr);
  } else {
    ok = false;
  }
  png_destroy_write_struct(png != nullptr ? &png : nullptr, info != nullptr ? &info : nullptr);
  const bool closed = std::fclose(file) == 0;
  return ok && closed;
}
