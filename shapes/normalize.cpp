// Vector normalisation for the drawing toolkit: scales a vector to unit length. The zero vector
// (and anything whose length is not a positive finite number) comes back as the zero vector, so
// a degenerate normal never spreads NaN through the lighting.
#include <cmath>

#include "shapes/shapes.h"

void Normalize(float x, float y, float z, float* outX, float* outY, float* outZ) {
  // Square and sum in double so that small float components do not underflow to 0.
  const double dx = x, dy = y, dz = z;
  const float length = static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
  if (!(length > 0.0f) || !std::isfinite(length)) {
    *outX = *outY = *outZ = 0.0f;
    return;
  }
  *outX = x / length;
  *outY = y / length;
  *outZ = z / length;
}
