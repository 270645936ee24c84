// libFuzzer target for the text overlay: arbitrary bytes go to ShowMessage's plain form, or to
// DrawText with arbitrary positions and sizes, on a real GL context. The sanitizers catch bad
// reads and undefined arithmetic; the checks below catch a text drawn or remembered wrongly and
// GL state left behind.
//
// The glyph quads never reach the driver: this program defines glBegin, glEnd, glVertex2f and
// glTexCoord2f itself, and the text code, linked into it, calls these. They record the quads
// and check that every primitive is a well-formed quad. Everything else goes to the real GL. (The
// driver's feedback mode would show the quads too, but Mesa's feedback path keeps a vertex buffer
// now and then that it never frees, which a long fuzzing run turns into gigabytes.)
//
// Input: byte 0 picks the call (bit 0: DrawText, bit 1: recording off for DrawText, bit 2: draw
// the remembered message again afterwards, bits 3 to 5: DrawText's text scale less 1). DrawText
// then takes x and y (16-bit) and the size (32-bit float bits), the plain form the clock (32-bit
// ms); the rest is the text, cut at the first zero byte.
#include <GL/freeglut.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/clock.h"
#include "app/text_scale.h"
#include "tests/support/gl_context.h"
#include "tests/text/drawn_text.h"
#include "text/text_overlay.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 128;
constexpr int kMessageX = 10;
constexpr int kMessageY = 20;
constexpr float kMessageSize = 20.0f;
constexpr int kMessageAdvance = 9;  // 0.45 x 20, truncated

bool haveContext = false;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "text_fuzz: %s\n", what);
  std::abort();
}

struct Corner {
  float x, y, s, t;
};
struct Quad {
  Corner c[4];
};

// The recorder behind the GL entry points below.
struct Recorder {
  std::vector<Quad> quads;
  Quad current{};
  int corners = 0;
  bool inside = false;
  float s = 0.0f, t = 0.0f;
} recorder;

template <typename T>
T Take(const uint8_t*& data, size_t& size) {
  T value{};
  const size_t n = size < sizeof value ? size : sizeof value;
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

// What a text of any length leaves in the 80-byte record: its first 79 bytes.
std::string Recorded(const std::string& text) {
  return text.substr(0, kTextBufferSize - 1);
}

// DrawText must leave the state it promises, and no GL error.
void CheckStateAfterDraw(GLint modelViewDepth, GLint attribDepth) {
  if (recorder.inside) Fail("glBegin without glEnd");
  if (glGetError() != GL_NO_ERROR) Fail("GL error after DrawText");
  GLint depth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
  if (depth != modelViewDepth) Fail("model-view stack not restored");
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &depth);
  if (depth != attribDepth) Fail("attribute stack not restored");
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  if (mode != GL_MODELVIEW) Fail("matrix mode is not GL_MODELVIEW");
  if (glIsEnabled(GL_TEXTURE_2D) || glIsEnabled(GL_BLEND)) Fail("texturing or blending left on");
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  if (depthWrites != GL_TRUE) Fail("depth writes left off");
  GLint polygonMode[2] = {};
  glGetIntegerv(GL_POLYGON_MODE, polygonMode);
  if (polygonMode[0] != GL_LINE || polygonMode[1] != GL_LINE) Fail("polygon mode not restored");
}

// Every non-space byte of the text is one quad, in order, sampling the byte's font cell.
void CheckCells(const std::string& text) {
  const std::string expected = ExpectedCells(text);
  if (recorder.quads.size() != expected.size()) Fail("not one quad per visible character");
  for (size_t g = 0; g < expected.size(); ++g) {
    const Quad& q = recorder.quads[g];
    if (CellCodeAt(q.c[0].s, q.c[0].t) != static_cast<unsigned char>(expected[g])) {
      Fail("a glyph samples the wrong font cell");
    }
  }
}

// The message line: glyph i of the recorded text stands at 10 + 9 i, 20 pixels high, with its
// bottom 20 pixels below the top edge, corners counter-clockwise from the bottom left.
void CheckMessageQuads(const std::string& recorded) {
  CheckCells(recorded);
  size_t g = 0;
  for (size_t i = 0; i < recorded.size(); ++i) {
    if (recorded[i] == ' ') continue;
    const Quad& q = recorder.quads[g++];
    const float left = static_cast<float>(kMessageX + kMessageAdvance * static_cast<int>(i));
    const float right = left + 0.5f * kMessageSize;
    const float bottom = kHeight - kMessageY;
    const float top = bottom + kMessageSize;
    const Corner want[4] = {{left, bottom, q.c[0].s, q.c[0].t},
                            {right, bottom, q.c[0].s + 0.0625f, q.c[0].t},
                            {right, top, q.c[0].s + 0.0625f, q.c[0].t + 0.125f},
                            {left, top, q.c[0].s, q.c[0].t + 0.125f}};
    for (int k = 0; k < 4; ++k) {
      if (q.c[k].x != want[k].x || q.c[k].y != want[k].y) Fail("message glyph out of place");
      if (q.c[k].s != want[k].s || q.c[k].t != want[k].t) Fail("message glyph's cell misshapen");
    }
  }
}

}  // namespace

// The immediate-mode entry points, as the text code calls them.
extern "C" {
void glBegin(GLenum mode) {
  if (recorder.inside) Fail("glBegin inside glBegin");
  if (mode != GL_QUADS) Fail("a glyph that is not a quad");
  recorder.inside = true;
  recorder.corners = 0;
}
void glEnd(void) {
  if (!recorder.inside) Fail("glEnd without glBegin");
  if (recorder.corners != 4) Fail("a quad without four corners");
  recorder.inside = false;
  recorder.quads.push_back(recorder.current);
}
void glTexCoord2f(GLfloat s, GLfloat t) {
  recorder.s = s;
  recorder.t = t;
}
void glVertex2f(GLfloat x, GLfloat y) {
  if (!recorder.inside) Fail("a vertex outside glBegin and glEnd");
  if (recorder.corners == 4) Fail("a quad with more than four corners");
  recorder.current.c[recorder.corners++] = Corner{x, y, recorder.s, recorder.t};
}
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!EnsureGlWindow()) {
    std::fprintf(stderr, "text_fuzz: no X display for a GL context; nothing fuzzed\n");
    return 0;
  }
  ResizeGlWindow(kWidth, kHeight);
  if (glutGet(GLUT_WINDOW_WIDTH) != kWidth || glutGet(GLUT_WINDOW_HEIGHT) != kHeight) {
    Fail("the fuzz window did not take its size");
  }
  // Line mode as the scene may leave it: DrawText must fill its glyphs and restore this.
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  recorder.quads.reserve(1024);
  haveContext = true;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!haveContext) return 0;
  const uint8_t selector = Take<uint8_t>(data, size);
  const bool drawText = (selector & 1) != 0;
  const bool recordOff = (selector & 2) != 0;
  const bool drawAgain = (selector & 4) != 0;

  int16_t x = kMessageX;
  int16_t y = kMessageY;
  float glyphSize = kMessageSize;
  if (drawText) {
    x = Take<int16_t>(data, size);
    y = Take<int16_t>(data, size);
    glyphSize = Take<float>(data, size);
  } else {
    SetClock(Take<uint32_t>(data, size));
  }
  const char* bytes = reinterpret_cast<const char*>(data);
  const std::string text(bytes, strnlen(bytes, size));
  // Exactly as long as the text and its terminator, so a read past the end shows at once.
  std::vector<char> owned(text.begin(), text.end());
  owned.push_back('\0');

  static TextOverlay overlay;
  const std::string before = overlay.lastText;
  const int32_t beforeX = overlay.lastX;
  const int32_t beforeY = overlay.lastY;
  GLint modelViewDepth = 0;
  GLint attribDepth = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelViewDepth);
  glGetIntegerv(GL_ATTRIB_STACK_DEPTH, &attribDepth);
  recorder.quads.clear();

  if (drawText) {
    textScale = 1 + ((selector >> 3) & 7);
    overlay.recordText = recordOff ? 0 : 1;
    overlay.DrawText(owned.data(), x, y, glyphSize);
    overlay.recordText = 1;
    CheckStateAfterDraw(modelViewDepth, attribDepth);
    CheckCells(text);
    const bool recorded = !recordOff;
    if (overlay.lastText != (recorded ? Recorded(text) : before)) Fail("wrong text remembered");
    if (overlay.lastX != (recorded ? x : beforeX) || overlay.lastY != (recorded ? y : beforeY)) {
      Fail("wrong position remembered");
    }
  } else {
    overlay.ShowMessage(owned.data());
    CheckStateAfterDraw(modelViewDepth, attribDepth);
    CheckMessageQuads(Recorded(text));
    if (overlay.lastText != Recorded(text)) Fail("message not remembered as given");
    if (overlay.lastX != kMessageX || overlay.lastY != kMessageY) Fail("message not at 10, 20");
    if (overlay.messageExpiry != elapsedMsTotal * 0.001 + 3.0)
      Fail("message expiry not clock + 3 s");
  }

  if (drawAgain) {
    // The frame's redraw of the remembered line, which records it onto itself.
    const std::string remembered = overlay.lastText;
    const int32_t rememberedX = overlay.lastX;
    const int32_t rememberedY = overlay.lastY;
    overlay.messageExpiry = 1e300;
    recorder.quads.clear();
    overlay.DrawMessage();
    CheckStateAfterDraw(modelViewDepth, attribDepth);
    CheckCells(remembered);
    if (overlay.lastText != remembered || overlay.lastX != rememberedX ||
        overlay.lastY != rememberedY) {
      Fail("redrawing the message changed it");
    }
  }
  textScale = 1;  // the message checks above hold the unscaled line
  return 0;
}
