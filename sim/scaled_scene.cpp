// The reduced scene on OpenGL 1.1: no render targets, so the scene is drawn into a corner of the
// back buffer, copied with glCopyTexSubImage2D into a power-of-two texture, and drawn back over
// the viewport as one textured quad; well below its size in two steps (see StretchScene). Relies
// only on the window's size (windowWidth, windowHeight) and its default read buffer, never on how
// the window was made.
#include "sim/scaled_scene.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "app/shell.h"
#include "image/gl_capabilities.h"
#include "sim/drawn_bounds.h"
#include "sim/flat_drawing.h"
#include "sim/frame.h"
#include "sim/pixel_copy.h"
#include "sim/render_scale.h"
#include "sim/settings.h"

namespace {

SceneRect viewport{};  // this frame's letterboxed viewport
SceneRect scene{};     // where this frame's scene is drawn
bool reduced = false;  // scene is smaller than viewport: the copy and the stretch are due

GLuint texture = 0;
int textureWidth = 0, textureHeight = 0;
int copiedWidth = 0, copiedHeight = 0;  // the reduced frame the texture holds; 0 for none
GLint maxTextureSize = 0;

int PowerOfTwoAtLeast(int n) {
  int p = 1;
  while (p < n) p *= 2;
  return p;
}

// The texture grows to the next power of two of what it must hold, and never shrinks: it is
// reallocated only when the window or the scale grows, never per frame.
void EnsureTexture(int width, int height) {
  if (texture == 0) {
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Stretching samples one texel beyond the copied part at its far edges, which the copy
    // fills with the edge pixels; the near edges clamp.
    const GLint clamp = EdgeClampMode();  // plain GL_CLAMP on an OpenGL 1.1 without it
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, clamp);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, clamp);
  }
  glBindTexture(GL_TEXTURE_2D, texture);
  if (width <= textureWidth && height <= textureHeight) return;
  textureWidth = PowerOfTwoAtLeast(width > textureWidth ? width : textureWidth);
  textureHeight = PowerOfTwoAtLeast(height > textureHeight ? height : textureHeight);
  // Four bytes a texel, as the window has them: the copy is then a plain copy of memory, and
  // the renderer fetches aligned texels when stretching.
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, textureWidth, textureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               nullptr);
  copiedWidth = copiedHeight = 0;
}

// The scene's pixels into the texture's bottom-left corner, with its last column and row once
// more beside it, so that linear filtering at the far edges sees the edge and not stale texels.
void CopyScene() {
  const int w = scene.width, h = scene.height;
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, scene.x, scene.y, w, h);
  if (w < textureWidth) glCopyTexSubImage2D(GL_TEXTURE_2D, 0, w, 0, scene.x + w - 1, scene.y, 1, h);
  if (h < textureHeight)
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, h, scene.x, scene.y + h - 1, w, 1);
  if (w < textureWidth && h < textureHeight)
    glCopyTexSubImage2D(GL_TEXTURE_2D, 0, w, h, scene.x + w - 1, scene.y + h - 1, 1, 1);
  copiedWidth = w;
  copiedHeight = h;
}

// The copied frame over the whole current viewport, opaque, filled whatever the polygon mode,
// untouched by lighting and blending. Leaves every GL state as it found it, the bound texture
// and both matrices included.
void DrawCopiedFrame(GLint filter) {
  BeginFlatDrawing(1.0, 1.0, GL_POLYGON_BIT | GL_TEXTURE_BIT);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, texture);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);  // texels exactly as copied
  const float s = static_cast<float>(copiedWidth) / textureWidth;
  const float t = static_cast<float>(copiedHeight) / textureHeight;
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2f(s, 0.0f);
  glVertex2f(1.0f, 0.0f);
  glTexCoord2f(s, t);
  glVertex2f(1.0f, 1.0f);
  glTexCoord2f(0.0f, t);
  glVertex2f(0.0f, 1.0f);
  glEnd();
  EndFlatDrawing();
}

// Colour only: nothing in the scene tests depth, and at this size every cleared byte costs.
void ClearColour(int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return;
  glPushAttrib(GL_SCISSOR_BIT);  // a monitor's own scissor comes back afterwards
  glEnable(GL_SCISSOR_TEST);
  glScissor(x, y, width, height);
  glClear(GL_COLOR_BUFFER_BIT);
  glPopAttrib();
}

// Where this frame has anything but sky, from the scene read back into a buffer that grows with
// the scene and is never freed before exit. Everything, when the sky's colour cannot be told
// exactly: a window with other than eight bits a colour, or a frame that leaves earlier frames
// on screen (hyperspace), where the plain clear that stands for the stretched sky is not made.
std::vector<uint8_t> readBack;
int colourBits = -1;  // bits of red, green and blue the window has; -1 before the first look

PixelBounds SceneDrawnBounds() {
  const PixelBounds everything{0, 0, scene.width, scene.height};
  if (colourBits < 0) {
    GLint r = 0, g = 0, b = 0;
    glGetIntegerv(GL_RED_BITS, &r);
    glGetIntegerv(GL_GREEN_BITS, &g);
    glGetIntegerv(GL_BLUE_BITS, &b);
    colourBits = r == 8 && g == 8 && b == 8 ? 8 : 0;
  }
  if (colourBits != 8 || !settings.clearEachFrame) return everything;
  const size_t bytes = static_cast<size_t>(scene.width) * scene.height * 4;
  if (readBack.size() < bytes) readBack.resize(bytes);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(scene.x, scene.y, scene.width, scene.height, GL_RGBA, GL_UNSIGNED_BYTE,
               readBack.data());
  glPopClientAttrib();
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  uint8_t sky[3];
  for (int i = 0; i < 3; ++i)
    sky[i] = static_cast<uint8_t>(std::lround(std::clamp(clear[i], 0.0f, 1.0f) * 255.0f));
  return DrawnBounds(readBack.data(), scene.width, scene.height, sky);
}

// The copied scene over the viewport, where the scene has anything on it (see EndScene). Linear
// filtering is what a software renderer pays most for, per window pixel: well below the
// viewport's size, where the look of the flame holds with less, the texture is stretched with it
// only to a stage of 1/k the viewport's size, and glCopyPixels' nearest zoom enlarges that k
// times (see StretchStageDivisor). On the smooth scene the enlarged stage cannot be told from a
// linear stretch (53 dB apart at 0.25 and 1920 x 1080, where nearest filtering all the way is
// 48 dB apart and its 4 x 4 blocks show; 54 dB at 0.125 and 3840 x 2160 with k = 4).
void StretchScene(PixelBounds drawn) {
  // k = 1 is the one-step stretch: the stage is the viewport itself and nothing is enlarged.
  const int k = StretchStageDivisor(viewport.width, viewport.height, scene.width, scene.height);
  const int stageWidth = (viewport.width + k - 1) / k, stageHeight = (viewport.height + k - 1) / k;
  const float zoomX = static_cast<float>(viewport.width) / stageWidth;
  const float zoomY = static_cast<float>(viewport.height) / stageHeight;
  const PixelBounds st = StretchedBounds(drawn, scene.width, scene.height, stageWidth, stageHeight);
  // The stage's part is drawn inside the place its enlarged copy lands on (from its first whole
  // pixel), so that the copy covers it and nothing of the stage is left beside the picture.
  const int landX = static_cast<int>(std::ceil(st.x0 * zoomX));
  const int landY = static_cast<int>(std::ceil(st.y0 * zoomY));
  const int width = st.x1 - st.x0, height = st.y1 - st.y0;
  glPushAttrib(GL_SCISSOR_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(viewport.x + landX, viewport.y + landY, width, height);
  glViewport(viewport.x + landX - st.x0, viewport.y + landY - st.y0, stageWidth, stageHeight);
  DrawCopiedFrame(GL_LINEAR);
  glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
  glPopAttrib();
  if (k <= 1) return;
  // Where the whole stage's copy would put this part; the copy reads the part before it writes.
  CopyPixelsInViewport(viewport.x + landX, viewport.y + landY, width, height, st.x0 * zoomX,
                       st.y0 * zoomY, zoomX, zoomY, viewport.width, viewport.height);
}

}  // namespace

int StretchStageDivisor(int viewportWidth, int viewportHeight, int sceneWidth, int sceneHeight) {
  // In a tiny view the nearest zoom is too far from whole pixels to be worth it.
  if (viewportWidth < 32 || viewportHeight < 32) return 1;
  // The largest divisor keeps the stage at about 960 x 540 pixels or more: one per 960 x 540
  // of the viewport's area, so that an enlarged pixel covers the same part of the screen at
  // 4K (k = 4) as at 1080p (k = 2).
  const double area = static_cast<double>(viewportWidth) * viewportHeight;
  const int largest = std::max(2, static_cast<int>(std::lround(std::sqrt(area / (960.0 * 540.0)))));
  // The stage must hold at least the scene's pixels: a stretch that shrinks would lose them.
  for (int k = largest; k >= 2; --k) {
    if ((viewportWidth + k - 1) / k > sceneWidth && (viewportHeight + k - 1) / k > sceneHeight)
      return k;
  }
  return 1;
}

SceneRect ScaledSceneRect(int width, int bottom, int visibleHeight, double scale, int maxSize) {
  const SceneRect full{0, bottom, width, visibleHeight};
  if (!(scale < 1.0) || width <= 0 || visibleHeight <= 0) return full;
  const auto part = [&](int size) {
    long n = std::lround(size * scale);
    if (n < 1) n = 1;
    if (maxSize > 0 && n > maxSize) n = maxSize;
    return static_cast<int>(n);
  };
  return SceneRect{0, bottom, part(width), part(visibleHeight)};
}

SceneRect PlaceScene(int x, int width, int bottom, int visibleHeight) {
  viewport = SceneRect{x, bottom, width, visibleHeight};
  const double scale = RenderScale();
  if (scale < 1.0 && maxTextureSize == 0) glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxTextureSize);
  // One texel is kept free beside the copy for its edge.
  scene = ScaledSceneRect(width, bottom, visibleHeight, scale, maxTextureSize - 1);
  scene.x += x;
  reduced = scene.width != viewport.width || scene.height != viewport.height;
  return scene;
}

float ScenePixelScale() {
  return reduced ? static_cast<float>(scene.width) / viewport.width : 1.0f;
}

void BeginScene() {
  if (!reduced) {
    if (settings.clearEachFrame) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return;
  }
  // In hyperspace the previous frame goes back where the new one is drawn: the stretch
  // overwrote it in the back buffer, and a frame of another size is stretched to fit.
  if (!settings.clearEachFrame && copiedWidth > 0) {
    DrawCopiedFrame(copiedWidth == scene.width && copiedHeight == scene.height ? GL_NEAREST
                                                                               : GL_LINEAR);
    return;
  }
  ClearColour(scene.x, scene.y, scene.width, scene.height);
}

void EndScene() {
  if (reduced) {
    glPushAttrib(GL_TEXTURE_BIT);
    EnsureTexture(scene.width + 1, scene.height + 1);
    CopyScene();
    glPopAttrib();
    const PixelBounds drawn = SceneDrawnBounds();
    // The whole window (or the monitor's part, within its scissor) takes the sky's colour, as at
    // full scale: the letterbox bars, and the parts of the view where the scene has only sky,
    // which a stretch would give the same colour for far more work. The one plain clear is the
    // cheapest way to fill a window in software.
    if (settings.clearEachFrame) glClear(GL_COLOR_BUFFER_BIT);
    if (!drawn.Empty()) StretchScene(drawn);
  } else {
    copiedWidth = copiedHeight = 0;  // a full-size frame came between: nothing to draw back
  }
}

void ReleaseSceneTexture() {
  if (texture != 0) glDeleteTextures(1, &texture);
  texture = 0;
  textureWidth = textureHeight = 0;
  copiedWidth = copiedHeight = 0;
}
