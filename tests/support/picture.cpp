// PNG reading through libpng's simplified API, and the channel-by-channel comparison.
#include "tests/support/picture.h"

#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

bool ReadPng(const std::string& path, Picture* picture) {
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_RGB;
  picture->width = static_cast<int>(image.width);
  picture->height = static_cast<int>(image.height);
  picture->pixels.assign(static_cast<size_t>(image.width) * image.height, Rgb{});
  if (!png_image_finish_read(&image, nullptr, picture->pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  return true;
}

PictureDifference ComparePictures(const Picture& reference, const Picture& actual) {
  PictureDifference d;
  d.sameSize = reference.width == actual.width && reference.height == actual.height &&
               !reference.pixels.empty();
  if (!d.sameSize) return d;
  d.map = reference;
  long total = 0;
  for (size_t i = 0; i < reference.pixels.size(); ++i) {
    const Rgb& a = reference.pixels[i];
    const Rgb& b = actual.pixels[i];
    const int dr = std::abs(a.r - b.r), dg = std::abs(a.g - b.g), db = std::abs(a.b - b.b);
    const int most = std::max({dr, dg, db});
    d.largest = std::max(d.largest, most);
    total += dr + dg + db;
    if (most > kPixelTolerance) ++d.pixelsOff;
    d.map.pixels[i] = {static_cast<uint8_t>(std::min(255, dr * 4)),
                       static_cast<uint8_t>(std::min(255, dg * 4)),
                       static_cast<uint8_t>(std::min(255, db * 4))};
  }
  d.mean = static_cast<double>(total) / (3.0 * reference.pixels.size());
  return d;
}
