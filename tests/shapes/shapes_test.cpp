// Tests of the shape helpers. The emitters' GL calls are caught at link time: this program
// defines glBegin, glEnd, glNormal3d, glTexCoord2d and glVertex3d itself, so the library's
// calls land in a recorder and every strip can be checked vertex by vertex without a window.
#include "shapes/shapes.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {
struct Vertex {
  double nx, ny, nz;
  double s, t;
  double x, y, z;
};
struct Strip {
  GLenum mode;
  std::vector<Vertex> vertices;
};

std::vector<Strip> strips;
Vertex current{};
int unmatchedEnds = 0;

void StartRecording() {
  strips.clear();
  current = Vertex{};
  unmatchedEnds = 0;
}
}  // namespace

extern "C" {
void glBegin(GLenum mode) {
  strips.push_back(Strip{mode, {}});
}
void glEnd() {
  if (strips.empty()) ++unmatchedEnds;
}
void glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
  current.nx = x;
  current.ny = y;
  current.nz = z;
}
void glTexCoord2d(GLdouble s, GLdouble t) {
  current.s = s;
  current.t = t;
}
void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
  current.x = x;
  current.y = y;
  current.z = z;
  strips.back().vertices.push_back(current);
}
}

namespace {
constexpr double kTolerance = 1e-9;

double Length(double x, double y, double z) {
  return std::sqrt(x * x + y * y + z * z);
}

void ExpectSamePlace(const Vertex& a, const Vertex& b) {
  EXPECT_NEAR(a.x, b.x, kTolerance);
  EXPECT_NEAR(a.y, b.y, kTolerance);
  EXPECT_NEAR(a.z, b.z, kTolerance);
}

TEST(Normalize, ScalesToUnitLengthKeepingDirection) {
  float x, y, z;
  Normalize(3.0f, -4.0f, 12.0f, &x, &y, &z);
  EXPECT_FLOAT_EQ(x, 3.0f / 13.0f);
  EXPECT_FLOAT_EQ(y, -4.0f / 13.0f);
  EXPECT_FLOAT_EQ(z, 12.0f / 13.0f);
}

TEST(Normalize, ZeroVectorGivesZeroVectorNotNaN) {
  float x = 9, y = 9, z = 9;
  Normalize(0.0f, 0.0f, 0.0f, &x, &y, &z);
  EXPECT_EQ(x, 0.0f);
  EXPECT_EQ(y, 0.0f);
  EXPECT_EQ(z, 0.0f);
}

TEST(Normalize, TinyAndHugeComponentsSurviveTheSquaring) {
  // Squared in float these would underflow to 0 or overflow to infinity.
  float x, y, z;
  Normalize(1e-30f, 0.0f, 0.0f, &x, &y, &z);
  EXPECT_FLOAT_EQ(x, 1.0f);
  Normalize(0.0f, 3e30f, 4e30f, &x, &y, &z);
  EXPECT_FLOAT_EQ(y, 0.6f);
  EXPECT_FLOAT_EQ(z, 0.8f);
}

TEST(DrawSphere, TooFewStacksOrSlicesDrawNothing) {
  StartRecording();
  DrawSphere(1.0, 8, 1, 1, 1, 0, 0);
  DrawSphere(1.0, 8, 0, 1, 1, 0, 0);
  DrawSphere(1.0, 8, -3, 1, 1, 0, 0);
  DrawSphere(1.0, 0, 6, 1, 1, 0, 0);
  EXPECT_TRUE(strips.empty());
  EXPECT_EQ(unmatchedEnds, 0);
}

TEST(DrawSphere, OneTriangleStripPerBandWithTwoVerticesPerColumn) {
  const int slices = 7, stacks = 5;
  StartRecording();
  DrawSphere(2.0, slices, stacks, 1, 1, 0, 0);
  ASSERT_EQ(strips.size(), static_cast<size_t>(stacks - 1));
  for (const Strip& strip : strips) {
    EXPECT_EQ(strip.mode, static_cast<GLenum>(GL_TRIANGLE_STRIP));
    EXPECT_EQ(strip.vertices.size(), static_cast<size_t>(2 * (slices + 1)));
  }
}

TEST(DrawSphere, VerticesLieOnTheSphereWithUnitOutwardNormals) {
  const double radius = 2.5;
  StartRecording();
  DrawSphere(radius, 9, 6, 1, 1, 0, 0);
  for (const Strip& strip : strips) {
    for (const Vertex& v : strip.vertices) {
      EXPECT_NEAR(Length(v.nx, v.ny, v.nz), 1.0, kTolerance);
      EXPECT_NEAR(v.x, radius * v.nx, kTolerance);
      EXPECT_NEAR(v.y, radius * v.ny, kTolerance);
      EXPECT_NEAR(v.z, radius * v.nz, kTolerance);
    }
  }
}

TEST(DrawSphere, ClosingColumnRepeatsTheFirstPositionWhileSGoesOnEvenly) {
  const int slices = 6;
  const double scaleS = 3.0, offsetS = 0.25;
  StartRecording();
  DrawSphere(1.0, slices, 4, scaleS, 1, offsetS, 0);
  for (const Strip& strip : strips) {
    const std::vector<Vertex>& v = strip.vertices;
    const size_t n = v.size();
    ExpectSamePlace(v[n - 2], v[0]);
    ExpectSamePlace(v[n - 1], v[1]);
    EXPECT_NEAR(v[n - 2].nx, v[0].nx, kTolerance);
    EXPECT_NEAR(v[n - 2].nz, v[0].nz, kTolerance);
    // s steps by scaleS / slices from column to column, the seam included.
    for (size_t c = 1; c < n / 2; ++c) {
      EXPECT_NEAR(v[2 * c].s - v[2 * c - 2].s, -scaleS / slices, kTolerance);
    }
    EXPECT_NEAR(v[n - 2].s, offsetS - scaleS / slices, kTolerance);
  }
}

TEST(DrawSphere, TextureTSpansPoleToPole) {
  const double scaleT = 2.0, offsetT = 0.5;
  StartRecording();
  DrawSphere(1.0, 5, 7, 1, scaleT, 0, offsetT);
  EXPECT_NEAR(strips.front().vertices[1].t, offsetT, kTolerance);          // top pole
  EXPECT_NEAR(strips.back().vertices[0].t, offsetT + scaleT, kTolerance);  // bottom pole
  EXPECT_NEAR(strips.front().vertices[1].ny, 1.0, kTolerance);
  EXPECT_NEAR(strips.back().vertices[0].ny, -1.0, kTolerance);
}

TEST(DrawSphere, EveryTriangleFacesOutward) {
  StartRecording();
  DrawSphere(1.0, 8, 6, 1, 1, 0, 0);
  int checked = 0;
  for (const Strip& strip : strips) {
    const std::vector<Vertex>& v = strip.vertices;
    for (size_t i = 0; i + 2 < v.size(); ++i) {
      // In a strip every second triangle is wound the other way round.
      const Vertex& a = v[i];
      const Vertex& b = (i % 2 == 0) ? v[i + 1] : v[i + 2];
      const Vertex& c = (i % 2 == 0) ? v[i + 2] : v[i + 1];
      const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
      const double wx = c.x - a.x, wy = c.y - a.y, wz = c.z - a.z;
      const double cx = uy * wz - uz * wy, cy = uz * wx - ux * wz, cz = ux * wy - uy * wx;
      if (Length(cx, cy, cz) < 1e-9) continue;  // degenerate at a pole
      const double mx = a.x + b.x + c.x, my = a.y + b.y + c.y, mz = a.z + b.z + c.z;
      EXPECT_GT(cx * mx + cy * my + cz * mz, 0.0) << "triangle " << i;
      ++checked;
    }
  }
  EXPECT_GT(checked, 0);
}

TEST(DrawTorus, TooFewSidesDrawNothing) {
  StartRecording();
  DrawTorus(0, 1.0, 0.25);
  DrawTorus(-2, 1.0, 0.25);
  EXPECT_TRUE(strips.empty());
}

TEST(DrawTorus, OneQuadStripPerTubeBandWithTwoNPlusOneColumns) {
  const int sides = 5;
  StartRecording();
  DrawTorus(sides, 1.0, 0.25);
  ASSERT_EQ(strips.size(), static_cast<size_t>(sides));
  for (const Strip& strip : strips) {
    EXPECT_EQ(strip.mode, static_cast<GLenum>(GL_QUAD_STRIP));
    EXPECT_EQ(strip.vertices.size(), static_cast<size_t>(2 * (2 * sides + 1)));
  }
}

TEST(DrawTorus, StripsGoRoundTheRingOnceAndCloseOnTheirFirstColumn) {
  const int sides = 4;
  const double ring = 1.0, tube = 0.3;
  StartRecording();
  DrawTorus(sides, ring, tube);
  for (const Strip& strip : strips) {
    const std::vector<Vertex>& v = strip.vertices;
    const size_t n = v.size();
    ExpectSamePlace(v[n - 2], v[0]);
    ExpectSamePlace(v[n - 1], v[1]);
    // No column before the closing one repeats an earlier one: nothing is drawn twice.
    for (size_t a = 0; a + 2 < n; a += 2) {
      for (size_t b = a + 2; b + 2 < n; b += 2) {
        EXPECT_GT(Length(v[a].x - v[b].x, v[a].y - v[b].y, v[a].z - v[b].z), 1e-6);
      }
    }
    EXPECT_DOUBLE_EQ(v[0].s, 0.0);
    EXPECT_DOUBLE_EQ(v[n - 1].s, 8.0);
  }
}

TEST(DrawTorus, VerticesLieOnTheTubeSurface) {
  const double ring = 2.0, tube = 0.5;
  StartRecording();
  DrawTorus(6, ring, tube);
  for (const Strip& strip : strips) {
    for (const Vertex& v : strip.vertices) {
      const double fromAxis = std::sqrt(v.x * v.x + v.y * v.y);
      EXPECT_NEAR(Length(fromAxis - ring, v.z, 0.0), tube, kTolerance);
    }
  }
}

TEST(DrawTorus, NeighbouringBandsShareTheirEdges) {
  // Each column's first vertex of band i is the second of band i + 1: the tube closes on itself.
  const int sides = 3;
  StartRecording();
  DrawTorus(sides, 1.0, 0.25);
  for (int i = 0; i < sides; ++i) {
    const std::vector<Vertex>& here = strips[i].vertices;
    const std::vector<Vertex>& next = strips[(i + 1) % sides].vertices;
    for (size_t c = 0; c < here.size(); c += 2) ExpectSamePlace(here[c], next[c + 1]);
  }
}
}  // namespace
