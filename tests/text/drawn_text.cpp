// Feedback-mode capture of DrawText's glyph quads (see drawn_text.h).
#include "tests/text/drawn_text.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kFeedbackFloats = 1 << 18;
// GL_3D_COLOR_TEXTURE in RGBA mode: x, y, z, then r, g, b, a, then s, t, r, q.
constexpr int kVertexFloats = 11;

struct Vertex {
  float x, y, s, t;
};

// Feedback positions come back through the viewport transform with float noise of a few
// hundred-thousandths of a pixel; snap them to 1/256 pixel so whole-pixel edges compare exactly.
float Snapped(float pixels) {
  return std::round(pixels * 256.0f) / 256.0f;
}

DrawnGlyph GlyphFrom(const std::vector<Vertex>& corners) {
  DrawnGlyph g{};
  g.left = g.bottom = 1e30f;
  g.right = g.top = -1e30f;
  for (const Vertex& v : corners) {
    g.left = std::min(g.left, v.x);
    g.right = std::max(g.right, v.x);
    g.bottom = std::min(g.bottom, v.y);
    g.top = std::max(g.top, v.y);
  }
  for (const Vertex& v : corners) {
    if (v.x == g.left && v.y == g.bottom) {
      g.s0 = v.s;
      g.t0 = v.t;
    }
  }
  g.cellCode = CellCodeAt(g.s0, g.t0);
  return g;
}

}  // namespace

int CellCodeAt(float s0, float t0) {
  // t0 of cell row r is 0.865 - 0.125 r; rows 8..15 repeat rows 0..7.
  const int column = static_cast<int>(std::lround(s0 / 0.0625));
  int row = static_cast<int>(std::lround((0.865 - t0) / 0.125));
  row = ((row % 8) + 8) % 8;
  return 32 + 16 * row + column;
}

std::vector<DrawnGlyph> CaptureGlyphs(const std::function<void()>& draw) {
  static std::vector<GLfloat> buffer(kFeedbackFloats);
  glFeedbackBuffer(kFeedbackFloats, GL_3D_COLOR_TEXTURE, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const int count = glRenderMode(GL_RENDER);

  // A quad may come back whole or as two triangles (v0 v1 v2, v0 v2 v3): gather polygons into
  // glyphs of four distinct corners.
  std::vector<DrawnGlyph> glyphs;
  std::vector<Vertex> corners;
  auto addCorner = [&corners](const Vertex& v) {
    for (const Vertex& c : corners)
      if (c.x == v.x && c.y == v.y) return;
    corners.push_back(v);
  };
  for (int i = 0; i < count;) {
    const int token = static_cast<int>(buffer[i++]);
    if (token == GL_POLYGON_TOKEN) {
      const int n = static_cast<int>(buffer[i++]);
      for (int k = 0; k < n; ++k, i += kVertexFloats) {
        addCorner(Vertex{Snapped(buffer[i]), Snapped(buffer[i + 1]), buffer[i + 7], buffer[i + 8]});
      }
      if (corners.size() >= 4) {
        glyphs.push_back(GlyphFrom(corners));
        corners.clear();
      }
    } else if (token == GL_PASS_THROUGH_TOKEN) {
      i += 1;
    } else {
      break;  // points, lines or bitmaps never come from DrawText
    }
  }
  return glyphs;
}

std::string CellsOf(const std::vector<DrawnGlyph>& glyphs) {
  std::string cells;
  for (const DrawnGlyph& g : glyphs) cells.push_back(static_cast<char>(g.cellCode));
  return cells;
}

std::string ExpectedCells(const std::string& text) {
  std::string cells;
  for (char c : text) {
    if (c == ' ') continue;
    const int code = static_cast<unsigned char>(c);
    cells.push_back(static_cast<char>(32 + (((code - 32) % 128) + 128) % 128));
  }
  return cells;
}
