// Pictures for the reference tests: PNG files read with libpng, and a comparison that says how
// far a new render is from its reference.
#pragma once

#include <string>
#include <vector>

#include "tests/support/gl_context.h"  // Rgb

struct Picture {
  int width = 0, height = 0;
  std::vector<Rgb> pixels;  // top row first
};

// False when the file is missing or not an 8-bit RGB or RGBA PNG.
bool ReadPng(const std::string& path, Picture* picture);

struct PictureDifference {
  bool sameSize = false;
  int largest = 0;     // the largest difference of one channel, 0..255
  double mean = 0.0;   // mean absolute difference over all channels
  long pixelsOff = 0;  // pixels with a channel more than kPixelTolerance away
  Picture map;         // the difference, channel by channel, magnified 4 times
};

// A pixel counts as different when a channel differs by more than this: rounding in another
// build of the software renderer moves a channel by a step or two, never this far.
constexpr int kPixelTolerance = 24;

PictureDifference ComparePictures(const Picture& reference, const Picture& actual);
