// The loader for uncompressed Windows BMP files of 8, 24 and 32 bits per pixel.
#pragma once

#include <cstddef>
#include <cstdint>

class Image;

bool LoadBmp(const char* path, Image* image);
// The same from the bytes of such a file held in memory (the copy a program carries).
bool LoadBmpBytes(const uint8_t* data, std::size_t size, Image* image);
