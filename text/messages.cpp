// The status line: the timed message at the top left, the frame/second line at the top right and
// the OpenGL error line, all drawn through DrawText at size 20 just below the top edge. Positions
// are in overlay units, so the text scale keeps the clock's inset from the right edge.
#include <GL/glu.h>

#include <cstdio>

#include "app/clock.h"
#include "app/shell.h"
#include "text/glyph_layout.h"
#include "text/text_overlay.h"

namespace {

constexpr double kMessageSeconds = 3.0;  // how long a posted message stays on screen
constexpr int16_t kMessageX = 10;        // pixels from the left edge
constexpr int16_t kStatusY = 20;         // pixels from the top edge down to the text's bottom
constexpr float kStatusSize = 20.0f;     // glyph height, pixels
constexpr int kFpsRightInset = 120;      // the frame/second line starts this far from the right
constexpr int kFpsPlainLength = 13;      // characters of "%3d Frame/Sec" up to 999
constexpr double kErrorXFraction = 0.4;  // the error line starts at 40 % of the width
constexpr int kMaxErrorTextLength = 60;  // characters of GLU's error text that are kept

// Seconds on the shell's clock as of the last display callback. The count without the 32-bit
// wrap, so that a message posted just before the wrap still lasts three seconds.
double ClockSeconds() {
  return static_cast<double>(elapsedMsTotal) * 0.001;
}

}  // namespace

void TextOverlay::ShowMessage(const char* format, double value) {
  char buffer[kTextBufferSize];
  std::snprintf(buffer, sizeof buffer, format, value);
  DrawText(buffer, kMessageX, kStatusY, kStatusSize);
  messageExpiry = ClockSeconds() + kMessageSeconds;
}

void TextOverlay::ShowMessage(const char* format, int value) {
  char buffer[kTextBufferSize];
  std::snprintf(buffer, sizeof buffer, format, value);
  DrawText(buffer, kMessageX, kStatusY, kStatusSize);
  messageExpiry = ClockSeconds() + kMessageSeconds;
}

void TextOverlay::ShowMessage(const char* text) {
  // Taken as it stands: a percent sign in the text is shown, never read as a conversion.
  char buffer[kTextBufferSize];
  std::snprintf(buffer, sizeof buffer, "%s", text);
  DrawText(buffer, kMessageX, kStatusY, kStatusSize);
  messageExpiry = ClockSeconds() + kMessageSeconds;
}

void TextOverlay::DrawMessage() {
  if (ClockSeconds() < messageExpiry) {
    DrawText(lastText, static_cast<int16_t>(lastX), static_cast<int16_t>(lastY), kStatusSize);
  } else {
    messageExpiry = 0.0;  // the text stays in lastText for a later error to bring back
  }
}

void TextOverlay::DrawFps(int fps, double renderScale) {
  recordText = 0;  // the clock must never become the remembered message
  char buffer[kTextBufferSize];
  int x = OverlayWidth() - kFpsRightInset;
  if (renderScale > 0.0) {
    // The longer line ends where the plain one does.
    const int length =
        std::snprintf(buffer, sizeof buffer, "%3d Frame/Sec Scale %.2f", fps, renderScale);
    x -= (length - kFpsPlainLength) * static_cast<int>(GlyphAdvance(kStatusSize));
  } else {
    std::snprintf(buffer, sizeof buffer, "%3d Frame/Sec", fps);
  }
  DrawText(buffer, static_cast<int16_t>(x), kStatusY, kStatusSize);
  recordText = 1;
}

void TextOverlay::CheckGlError() {
  recordText = 0;
  // One error per call: GL keeps any further flags for the following frames.
  const GLenum error = glGetError();
  if (error != GL_NO_ERROR) {
    char name[kMaxErrorTextLength + 1];
    const GLubyte* gluText = gluErrorString(error);
    if (gluText != nullptr) {
      std::snprintf(name, sizeof name, "%.*s", kMaxErrorTextLength,
                    reinterpret_cast<const char*>(gluText));
    } else {
      std::snprintf(name, sizeof name, "code 0x%04X", static_cast<unsigned>(error));
    }
    char buffer[kTextBufferSize];
    std::snprintf(buffer, sizeof buffer, "OpenGL Error: %s", name);
    DrawText(buffer, static_cast<int16_t>(static_cast<int>(OverlayWidth() * kErrorXFraction)),
             kStatusY, kStatusSize);
    // Brings the remembered message back for three seconds, even one that expired long ago.
    messageExpiry = ClockSeconds() + kMessageSeconds;
  }
  recordText = 1;
}
