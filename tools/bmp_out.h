// Writing of the shipped images as plain Windows BMP files (bottom row first, 40-byte info
// header) that any image viewer opens: 8-bit grey with a grey palette, or 24-bit colour.
#pragma once

#include <cstdint>
#include <vector>

// `pixels` holds the picture as a viewer shows it, top row first, rows packed: one grey byte per
// pixel for 8 bits, red-green-blue for 24. Returns false when the file cannot be written.
bool WriteBmpFile(const char* path, int width, int height, int bitsPerPixel,
                  const std::vector<uint8_t>& pixels);
