// The particle texture loader: a 128 x 128, 24-bit BMP read raw from byte 54, with alpha derived
// from the colours.
#pragma once

#include <cstdint>

// alphaValue < 0: alpha is the mean of the three channels; otherwise alphaValue (low 8 bits)
// where any channel reaches alphaThreshold, else 0. Returns the bare GL name, 0 on failure.
uint32_t LoadSmokeTexture(const char* path, int alphaValue, int alphaThreshold);

// Loads "smoke128.bmp", searched for like every data file (image/data_files.h), into the
// particle texture list and hands the first entry to the particle system.
void LoadParticleTextures();
