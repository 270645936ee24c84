// Where a reduced frame has anything on it: the stretch then covers only that part of the window
// and a plain clear gives the rest its sky, which is what stretching the sky would give.
#pragma once

#include <cstdint>

// A rectangle of pixels, x0 <= x < x1 and y0 <= y < y1; empty when either range is.
struct PixelBounds {
  int x0, y0, x1, y1;
  bool Empty() const { return x0 >= x1 || y0 >= y1; }
};

// The smallest rectangle holding every pixel whose red, green or blue differs from the sky's:
// width x height pixels of four bytes (red, green, blue and an alpha that is not looked at),
// rows one after another. Empty ({0, 0, 0, 0}) when every pixel is sky.
PixelBounds DrawnBounds(const uint8_t* rgba, int width, int height, const uint8_t sky[3]);

// The pixels of a target that a linear stretch of a scene of sceneWidth x sceneHeight over
// targetWidth x targetHeight pixels may colour from the scene's drawn bounds: a target pixel
// blends the texels around it, so the bounds grow by one texel on every side before they are
// scaled, and are then held within the target. Empty bounds stay empty.
PixelBounds StretchedBounds(PixelBounds drawn, int sceneWidth, int sceneHeight, int targetWidth,
                            int targetHeight);
