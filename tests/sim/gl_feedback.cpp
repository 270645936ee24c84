// GL feedback capture and the view that makes its window coordinates readable as world ones.
#include "tests/sim/gl_feedback.h"

#include <gtest/gtest.h>

std::vector<FeedbackPrimitive> CaptureFeedback(const std::function<void()>& draw, size_t capacity) {
  std::vector<GLfloat> buffer(capacity);
  glFeedbackBuffer(static_cast<GLsizei>(capacity), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_GE(used, 0) << "feedback buffer overflowed";
  std::vector<FeedbackPrimitive> primitives;
  auto readVertex = [&](GLint* at) {
    FeedbackVertex v;
    float* f = &v.x;
    for (int i = 0; i < 7; ++i) f[i] = buffer[(*at)++];
    return v;
  };
  for (GLint at = 0; at < used;) {
    const GLenum token = static_cast<GLenum>(buffer[at++]);
    FeedbackPrimitive primitive{token, {}};
    int count = 0;
    switch (token) {
      case GL_POINT_TOKEN:
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        count = 1;
        break;
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN:
        count = 2;
        break;
      case GL_POLYGON_TOKEN:
        count = static_cast<int>(buffer[at++]);
        break;
      case GL_PASS_THROUGH_TOKEN:
        ++at;
        continue;
      default:
        ADD_FAILURE() << "unknown feedback token " << token;
        return primitives;
    }
    for (int i = 0; i < count; ++i) primitive.vertices.push_back(readVertex(&at));
    primitives.push_back(primitive);
  }
  return primitives;
}

void SetFeedbackView(double halfExtent) {
  glViewport(0, 0, kFeedbackSize, kFeedbackSize);
  glDepthRange(0.0, 1.0);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-halfExtent, halfExtent, -halfExtent, halfExtent, -halfExtent, halfExtent);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
}

WorldPoint FeedbackToWorld(const FeedbackVertex& v, double halfExtent) {
  // glOrtho with near -e and far e sends world z to depth (1 - z / e) / 2.
  WorldPoint p;
  p.x = (v.x / kFeedbackSize * 2.0 - 1.0) * halfExtent;
  p.y = (v.y / kFeedbackSize * 2.0 - 1.0) * halfExtent;
  p.z = (1.0 - 2.0 * v.z) * halfExtent;
  return p;
}

double CountQuads(const std::vector<FeedbackPrimitive>& primitives) {
  double quads = 0.0;
  for (const FeedbackPrimitive& p : primitives) {
    if (p.kind == GL_POLYGON_TOKEN) quads += (static_cast<double>(p.vertices.size()) - 2.0) / 2.0;
  }
  return quads;
}
