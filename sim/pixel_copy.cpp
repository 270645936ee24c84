// CopyPixelsInViewport: one orthographic set-up and restore around glCopyPixels.
#include "sim/pixel_copy.h"

#include <GL/gl.h>

void CopyPixelsInViewport(int fromX, int fromY, int width, int height, float toX, float toY,
                          float zoomX, float zoomY, int viewportWidth, int viewportHeight) {
  glPushAttrib(GL_ENABLE_BIT | GL_PIXEL_MODE_BIT | GL_CURRENT_BIT);
  glDisable(GL_BLEND);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_FOG);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0.0, viewportWidth, 0.0, viewportHeight, -1.0, 1.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRasterPos2f(toX, toY);
  glPixelZoom(zoomX, zoomY);
  glCopyPixels(fromX, fromY, width, height, GL_COLOR);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}
