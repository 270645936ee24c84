// The sphere emitter: a textured, lit sphere about the y axis as one triangle strip per band of
// latitude, issued in immediate mode at the caller's matrix, colour and texture state.
#include <GL/gl.h>

#include <cmath>

#include "shapes/shapes.h"

namespace {
constexpr double kFullTurnRadians = 6.283185307;
constexpr double kHalfTurnRadians = 3.141592654;

// Normal, texture coordinate and position of one vertex at polar angle phi (0 at the top pole)
// and azimuth theta.
void EmitVertex(double radius, double phi, double theta, double s, double t) {
  const double nx = std::sin(phi) * std::sin(theta);
  const double ny = std::cos(phi);
  const double nz = std::sin(phi) * std::cos(theta);
  glNormal3d(nx, ny, nz);
  glTexCoord2d(s, t);
  glVertex3d(radius * nx, radius * ny, radius * nz);
}
}  // namespace

void DrawSphere(double radius, int slices, int stacks, double scaleS, double scaleT, double offsetS,
                double offsetT) {
  if (slices < 1 || stacks < 2) return;
  const double thetaStep = kFullTurnRadians / slices;
  const double phiStep = kHalfTurnRadians / (stacks - 1);
  // t is spread over the stacks - 1 bands, like the polar angle, so that the texture's last
  // row lands on the bottom pole instead of stopping one band short of it.
  const double tStep = scaleT / (stacks - 1);
  for (int i = 0; i < stacks - 1; ++i) {
    const double phi0 = i * phiStep;
    const double phi1 = (i + 1) * phiStep;
    const double t0 = offsetT + i * tStep;
    const double t1 = offsetT + (i + 1) * tStep;
    glBegin(GL_TRIANGLE_STRIP);
    // Columns run backwards so that the triangles are counter-clockwise seen from outside. The
    // last column (j = -1) repeats the first one's azimuth to close the strip, while s goes on
    // from j so that its spacing stays even across the seam.
    for (int j = slices - 1; j >= -1; --j) {
      const int k = (j < 0) ? slices - 1 : j;
      const double theta = k * thetaStep;
      const double s = offsetS + j * scaleS / slices;
      EmitVertex(radius, phi1, theta, s, t1);
      EmitVertex(radius, phi0, theta, s, t0);
    }
    glEnd();
  }
}
