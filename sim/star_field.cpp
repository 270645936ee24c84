// The star field: coloured points placed at random by one of three rules, recorded once into a
// display list, and drawn three times per frame at growing point sizes and two turns.
#include "sim/star_field.h"

#include <GL/gl.h>

#include <cmath>

#include "sim/random.h"

namespace {
constexpr double kCentreMargin = 0.01;  // world units kept clear around the inner cube

constexpr double kStrongColourChance = 0.1;  // one star in ten
constexpr double kPaleBase = 0.5;            // pale tints lie in [0.5, 0.8)
constexpr double kPaleRange = 0.3;
constexpr double kStrongBase = 0.3;  // stronger colours lie in [0.3, 0.8)
constexpr double kStrongRange = 0.5;

constexpr float kSecondTurnDegrees = 120.0f;
constexpr float kThirdTurnDegrees = 240.0f;  // back to the first pass's directions

constexpr int kCubeMinusCentre = 1;
constexpr int kUpperHalfShell = 2;

struct Point {
  double x, y, z;
};

// One draw per axis, uniform in [-outer, outer), made in the order x, y, z.
Point DrawInCube(double outer) {
  Point p;
  p.x = frand(2.0 * outer) - outer;
  p.y = frand(2.0 * outer) - outer;
  p.z = frand(2.0 * outer) - outer;
  return p;
}

bool Accepted(const Point& p, double outer, double inner, int placement) {
  if (placement == kCubeMinusCentre) {
    const double edge = inner + kCentreMargin;
    return std::fabs(p.x) >= edge || std::fabs(p.y) >= edge || std::fabs(p.z) >= edge;
  }
  const double d = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
  if (d < inner || d > outer) return false;
  return placement != kUpperHalfShell || p.y >= 0.0;
}

// Rejection sampling from the cube; false when no acceptable point came up in the allowed tries.
// The cube rule starts its search from the origin, which needs no draw when it is acceptable
// (never for an inner radius of 0 or more).
bool PlacePoint(double outer, double inner, int placement, Point* out) {
  const Point origin = {0.0, 0.0, 0.0};
  if (placement == kCubeMinusCentre && Accepted(origin, outer, inner, placement)) {
    *out = origin;
    return true;
  }
  for (int attempt = 0; attempt < StarField::kMaxAttemptsPerPoint; ++attempt) {
    const Point p = DrawInCube(outer);
    if (Accepted(p, outer, inner, placement)) {
      *out = p;
      return true;
    }
  }
  return false;
}
}  // namespace

void StarField::Build(int count, float outer, float inner, int placement) {
  Release();
  pointCount = 0;
  const GLuint list = glGenLists(1);
  if (list == 0) return;  // no list could be had: stay without one
  listId = list;
  glNewList(listId, GL_COMPILE);
  glBegin(GL_POINTS);
  for (int i = 0; i < count; ++i) {
    Point p;
    if (!PlacePoint(outer, inner, placement, &p)) break;
    // Colour draws come after the position's, in the order blue, green, red.
    const double choice = frand(1.0);
    const bool strong = choice < kStrongColourChance;
    const double base = strong ? kStrongBase : kPaleBase;
    const double range = strong ? kStrongRange : kPaleRange;
    const double blue = base + frand(range);
    const double green = base + frand(range);
    const double red = base + frand(range);
    glColor3f(static_cast<float>(red), static_cast<float>(green), static_cast<float>(blue));
    glVertex3d(p.x, p.y, p.z);
    ++pointCount;
  }
  glEnd();
  glEndList();
}

// Enables blending but leaves the blend function as it stands: in the running program that is
// the particles' additive one from the previous frame, so the stars add to the sky.
void StarField::Draw(float pixelScale) {
  glEnable(GL_BLEND);
  glPushMatrix();
  glPointSize(1.0f * pixelScale);
  glCallList(listId);
  glRotatef(kSecondTurnDegrees, 0.0f, 1.0f, 0.0f);
  glPointSize(2.0f * pixelScale);
  glCallList(listId);
  glRotatef(kThirdTurnDegrees, 0.0f, 1.0f, 0.0f);
  glPointSize(3.0f * pixelScale);
  glCallList(listId);
  glPopMatrix();
  glDisable(GL_BLEND);
}

void StarField::Release() {
  if (listId != kNoList) glDeleteLists(listId, 1);
  listId = kNoList;
}
