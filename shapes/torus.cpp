// The torus emitter: a textured torus whose ring lies in the x-y plane around the z axis, as one
// quad strip per band of the tube. No normals are emitted; the caller draws it unlit.
#include <GL/gl.h>

#include <cmath>

#include "shapes/shapes.h"

namespace {
constexpr double kFullTurnRadians = 6.283185307;
constexpr double kTextureRepeatsAlongRing = 8.0;
}  // namespace

void DrawTorus(int sides, double ringRadius, double tubeRadius) {
  if (sides < 1) return;
  const int n = sides;
  const int columns = 2 * n;  // ring segments per strip
  const double tubeStep = kFullTurnRadians / n;
  // The ring is cut into 2n segments so that each strip goes round it exactly once and closes
  // on its first column; stepping by the tube's own angle would draw every quad twice.
  const double ringStep = kFullTurnRadians / columns;
  for (int i = 0; i < n; ++i) {
    glBegin(GL_QUAD_STRIP);
    for (int j = 0; j <= columns; ++j) {
      const double beta = (j % columns) * ringStep;
      const double s = kTextureRepeatsAlongRing * j / columns;
      for (int k = 1; k >= 0; --k) {
        const double alpha = (((i + k) % n) + 0.5) * tubeStep;
        const double reach = ringRadius + tubeRadius * std::cos(alpha);
        // Each band shows one whole repeat of the texture across the tube.
        const double t = static_cast<double>(i) / n + k;
        glTexCoord2d(s, t);
        glVertex3d(std::cos(beta) * reach, std::sin(beta) * reach, tubeRadius * std::sin(alpha));
      }
    }
    glEnd();
  }
}
