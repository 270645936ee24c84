// The status line: the timed message at the top left, the frame/second line at the top right and
// the OpenGL error line, all drawn through DrawText at size 20 just below the top edge. Positions
// are in overlay units, so the text scale keeps the clock's inset from the right edge.
#include <GL/glu.h>

#include <algorithm>
#include <cmath>
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
constexpr int kFpsNumberLength = 3;      // characters of "%3d" up to 999
constexpr double kErrorXFraction = 0.4;  // the error line starts at 40 % of the width
constexpr int kMaxErrorTextLength = 60;  // characters of GLU's error text that are kept

// Seconds on the shell's clock as of the last display callback. The count without the 32-bit
// wrap, so that a message posted just before the wrap still lasts three seconds.
double ClockSeconds() {
  return static_cast<double>(elapsedMsTotal) * 0.001;
}

// Where the frame/second line may start: the left edge, 0, or while a message is shown the
// right edge of its last glyph.
int ClockLeftLimit(const TextOverlay& overlay) {
  if (overlay.messageExpiry == 0.0 || ClockSeconds() >= overlay.messageExpiry) return 0;
  const float advance = GlyphAdvance(kStatusSize);
  int16_t pen = static_cast<int16_t>(overlay.lastX);
  for (const char* c = overlay.lastText; *c != '\0'; ++c) pen = AdvancePen(pen, advance);
  // The glyph is wider than its step: the last one reaches past the pen.
  return std::max(0, pen + static_cast<int>(std::ceil(GlyphWidth(kStatusSize) - advance)));
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

// The frame/second line keeps to the screen and clear of the message: in a narrow window (a
// settings dialog's preview pane) it drops what does not fit, in this order: the render scale,
// then the words, then the number itself while a message needs the room. Wherever the plain
// line fits it stands where it always does.
void TextOverlay::DrawFps(int fps, double renderScale) {
  recordText = 0;  // the clock must never become the remembered message
  const int advance = static_cast<int>(GlyphAdvance(kStatusSize));
  const int leftmost = ClockLeftLimit(*this);
  const int plainX = OverlayWidth() - kFpsRightInset;
  char buffer[kTextBufferSize];
  int x = -1;
  if (renderScale > 0.0) {
    // The longer line ends where the plain one does. Two decimals, three for a step that has a
    // third (0.125), so that no step is shown as another value.
    const int thousandths = static_cast<int>(std::lround(renderScale * 1000.0));
    const int decimals = thousandths % 10 != 0 ? 3 : 2;
    const int length = std::snprintf(buffer, sizeof buffer, "%3d Frame/Sec Scale %.*f", fps,
                                     decimals, renderScale);
    x = plainX - (length - kFpsPlainLength) * advance;
  }
  if (x < leftmost) {
    x = plainX;
    std::snprintf(buffer, sizeof buffer, "%3d Frame/Sec", fps);
  }
  if (x < leftmost) {
    // The number alone, ending where the plain line ends; at the left edge in a window too
    // narrow even for that.
    x = std::max(0, plainX + (kFpsPlainLength - kFpsNumberLength) * advance);
    std::snprintf(buffer, sizeof buffer, "%3d", fps);
  }
  if (x >= leftmost) DrawText(buffer, static_cast<int16_t>(x), kStatusY, kStatusSize);
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
