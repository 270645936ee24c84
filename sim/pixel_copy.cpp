// CopyPixelsInViewport: glCopyPixels within the flat drawing set-up.
#include "sim/pixel_copy.h"

#include <GL/gl.h>

#include "sim/flat_drawing.h"

void CopyPixelsInViewport(int fromX, int fromY, int width, int height, float toX, float toY,
                          float zoomX, float zoomY, int viewportWidth, int viewportHeight) {
  BeginFlatDrawing(viewportWidth, viewportHeight, GL_PIXEL_MODE_BIT);
  glRasterPos2f(toX, toY);
  glPixelZoom(zoomX, zoomY);
  glCopyPixels(fromX, fromY, width, height, GL_COLOR);
  EndFlatDrawing();
}
