// GL feedback mode for the scene tests: runs a piece of drawing with nothing rasterised and hands
// back the primitives OpenGL would have drawn, with their window positions and colours.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <vector>

struct FeedbackVertex {
  float x, y, z;  // window coordinates, z in [0, 1]
  float r, g, b, a;
};

struct FeedbackPrimitive {
  GLenum kind;  // GL_POINT_TOKEN, GL_LINE_TOKEN, GL_POLYGON_TOKEN, ...
  std::vector<FeedbackVertex> vertices;
};

// Runs draw in feedback mode (GL_3D_COLOR) and parses what comes back. capacity is in floats;
// an overflowing buffer fails the calling test.
std::vector<FeedbackPrimitive> CaptureFeedback(const std::function<void()>& draw,
                                               size_t capacity = 1 << 20);

// A view in which window coordinates map straight back to the world: viewport kFeedbackSize
// pixels square, orthographic projection of the cube [-halfExtent, halfExtent], identity
// model-view.
constexpr int kFeedbackSize = 1000;
void SetFeedbackView(double halfExtent);
struct WorldPoint {
  double x, y, z;
};
WorldPoint FeedbackToWorld(const FeedbackVertex& v, double halfExtent);

// Quads drawn, whether the implementation reports each as one polygon of four vertices or as two
// triangles.
double CountQuads(const std::vector<FeedbackPrimitive>& primitives);
