// The particle texture loader: a 128 x 128, 24-bit BMP read raw from byte 54, with alpha derived
// from the colours.
#pragma once

#include <cstddef>
#include <cstdint>

// alphaValue < 0: alpha is the mean of the three channels; otherwise alphaValue (low 8 bits)
// where any channel reaches alphaThreshold, else 0. Returns the bare GL name, 0 on failure.
uint32_t LoadSmokeTexture(const char* path, int alphaValue, int alphaThreshold);
// The same from the bytes of such a file held in memory (the copy a program carries).
uint32_t LoadSmokeTextureBytes(const uint8_t* data, std::size_t size, int alphaValue,
                               int alphaThreshold);

// True when path holds what the loader reads: a BMP file whose headers say 128 x 128 pixels of 24
// bits, uncompressed, from byte 54, and that is long enough to hold them. The loader itself does
// not look; this is for the one line that reports a file it would read as garbage.
bool IsSmokeBmp(const char* path);
bool IsSmokeBmpBytes(const uint8_t* data, std::size_t size);
