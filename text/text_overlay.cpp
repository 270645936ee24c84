// DrawText: one line of the 16 x 8 bitmap font in window pixels over whatever is drawn, and the
// recording of the last line that the message line draws again on later frames.
#include "text/text_overlay.h"

#include <GL/freeglut.h>

#include <cstring>

#include "app/monitor_layout.h"
#include "app/shell.h"
#include "app/text_scale.h"
#include "text/glyph_layout.h"

namespace {

// Keeps at most kTextBufferSize - 1 characters, always terminated. The source may be lastText
// itself (DrawMessage draws the remembered text with recording on), so the copy goes byte by byte
// forward, which is safe when source and destination coincide.
void CopyBounded(char* destination, const char* source) {
  int i = 0;
  for (; i < kTextBufferSize - 1 && source[i] != '\0'; ++i) destination[i] = source[i];
  destination[i] = '\0';
}

}  // namespace

int OverlayWidth() {
  const MonitorLayout& layout = CurrentMonitorLayout();
  const int width = layout.Split() ? layout.views[layout.textView].width : windowWidth;
  return width / TextScale();
}

int OverlayHeight() {
  const MonitorLayout& layout = CurrentMonitorLayout();
  const int height = layout.Split() ? layout.views[layout.textView].height : windowHeight;
  return height / TextScale();
}

// Leaves on purpose: colour white, texturing and blending off, model-view matrix mode, depth
// writes on, the font texture bound and the overlay's orthographic projection in place (the next
// frame's view set-up replaces it before anything 3-D is drawn).
void TextOverlay::DrawText(const char* text, int16_t x, int16_t y, float size) {
  // The pen steps in overlay units and every edge is multiplied by the scale afterwards, so the
  // line is the one of scale 1 magnified, fractions lost at the same glyphs.
  const int scale = TextScale();
  const ViewRect area = TextViewRect();  // the primary monitor's part of the window
  // y counts down from the top edge; GL's window y counts up from the bottom.
  const int16_t baseline = static_cast<int16_t>(area.height - scale * y);
  const size_t length = std::strlen(text);
  const float width = GlyphWidth(size);
  const float advance = GlyphAdvance(size);

  glColor3d(1, 1, 1);
  // No blend function of our own: the one in force decides how the glyphs mix with the scene.
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  texture.Bind();
  glDepthMask(GL_FALSE);
  glPushAttrib(GL_POLYGON_BIT);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);  // text stays solid in line and point mode
  glPushMatrix();
  glPushAttrib(GL_VIEWPORT_BIT);
  glViewport(area.x, area.y, area.width, area.height);  // not letterboxed
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, area.width, 0, area.height, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();

  const float bottom = baseline;
  const float top = baseline + scale * size;
  const float scaledWidth = scale * width;
  int16_t pen = x;
  for (size_t i = 0; i < length; ++i) {
    if (text[i] != kSpace) {
      const GlyphCell cell = GlyphCellFor(text[i]);
      const float left = static_cast<float>(scale * pen);
      const float right = left + scaledWidth;
      glBegin(GL_QUADS);
      glTexCoord2f(cell.s0, cell.t0);
      glVertex2f(left, bottom);
      glTexCoord2f(cell.s1, cell.t0);
      glVertex2f(right, bottom);
      glTexCoord2f(cell.s1, cell.t1);
      glVertex2f(right, top);
      glTexCoord2f(cell.s0, cell.t1);
      glVertex2f(left, top);
      glEnd();
    }
    pen = AdvancePen(pen, advance);
  }

  glPopMatrix();
  glPopAttrib();  // viewport
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  glPopAttrib();  // polygon mode
  glDepthMask(GL_TRUE);

  if (recordText != 0) {
    lastX = x;
    lastY = y;
    CopyBounded(lastText, text);
  }
}
