// The shared test window: GLUT on the test's X server, software rendering by Mesa.
#include "tests/support/gl_context.h"

#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#include "image/png_file.h"

namespace {
int glWindow = 0;

void NoDisplay() {}
}  // namespace

bool EnsureGlWindow() {
  if (glWindow != 0) {
    glutSetWindow(glWindow);
    return true;
  }
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] == '\0') return false;
  int argc = 1;
  char name[] = "quor-tests";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutSetOption(GLUT_ACTION_ON_WINDOW_CLOSE, GLUT_ACTION_CONTINUE_EXECUTION);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
  glutInitWindowSize(640, 480);
  glutInitWindowPosition(0, 0);
  glWindow = glutCreateWindow("quor-tests");
  glutDisplayFunc(NoDisplay);
  for (int i = 0; i < 10; ++i) glutMainLoopEvent();
  return true;
}

void PumpGlEvents() {
  for (int i = 0; i < 5; ++i) glutMainLoopEvent();
}

void ResizeGlWindow(int width, int height) {
  glutReshapeWindow(width, height);
  for (int i = 0; i < 200; ++i) {
    glutMainLoopEvent();
    if (glutGet(GLUT_WINDOW_WIDTH) == width && glutGet(GLUT_WINDOW_HEIGHT) == height) return;
  }
}

std::vector<Rgb> ReadBackBuffer(int width, int height) {
  std::vector<Rgb> pixels(static_cast<size_t>(width) * height);
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

Rgb ReadBackPixel(int x, int y) {
  Rgb p{};
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, &p);
  return p;
}

std::string SavePicture(const std::string& pathWithoutExtension, int width, int height,
                        const std::vector<Rgb>& topDownPixels) {
  const std::string png = pathWithoutExtension + ".png";
  if (topDownPixels.size() < static_cast<size_t>(width) * height) return "";
  const auto* rows = reinterpret_cast<const uint8_t*>(topDownPixels.data());
  return WritePng(png.c_str(), width, height, rows, false) ? png : "";
}
