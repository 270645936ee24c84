// The text overlay: one line of text in window coordinates with the 16 x 8 bitmap font, the
// timed message, the frame/second line and the OpenGL error line.
#pragma once

#include <cstdint>

#include "image/texture.h"

constexpr int kTextBufferSize = 80;  // a formatted text has at most 79 characters

class TextOverlay {
 public:
  TextOverlay() : recordText(1) {}
  virtual ~TextOverlay() {}  // texture's own destructor releases the font texture

  // y is the distance from the window's top edge down to the bottom edge of the glyphs. x, y and
  // size are in overlay units: window pixels at text scale 1, multiplied by the text scale.
  void DrawText(const char* text, int16_t x, int16_t y, float size);

  void ShowMessage(const char* format, double value);
  void ShowMessage(const char* format, int value);
  void ShowMessage(const char* text);  // drawn as it stands, never read as a format
  void DrawMessage();
  // With a render scale above 0 the line ends with it ("Scale 0.50") and starts further left.
  // What would run off the left edge or over the message shown is left out.
  void DrawFps(int fps, double renderScale = 0.0);
  void CheckGlError();

  int32_t lastX = 0;
  int32_t lastY = 0;
  int32_t recordText;
  double messageExpiry = 0.0;  // seconds on the elapsedMs clock; 0 means no message
  char lastText[kTextBufferSize] = {};
  Texture texture;
};

extern TextOverlay textOverlay;

// The window's size in overlay units (the primary monitor's part of it over several monitors):
// the overlay is laid out as on a window this size and drawn text-scale times larger, so that it
// keeps its place against every edge of the real window.
int OverlayWidth();
int OverlayHeight();
