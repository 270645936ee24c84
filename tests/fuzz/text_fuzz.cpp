// libFuzzer target for the text overlay: arbitrary bytes go to ShowMessage's plain form, or to
// DrawText with arbitrary positions and sizes, on a real GL context in feedback mode (nothing is
// rasterised). The sanitizers catch bad reads and undefined arithmetic; the checks below catch a
// text drawn or remembered wrongly and GL state left behind.
//
// Input: byte 0 picks the call (bit 0: DrawText, bit 1: recording off for DrawText, bit 2: draw
// the remembered message again afterwards). DrawText then takes x and y (16-bit) and the size
// (32-bit float bits), the plain form the clock (32-bit ms); the rest is the text, cut at the
// first zero byte.
#include <GL/freeglut.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/clock.h"
#include "tests/support/gl_context.h"
#include "tests/text/drawn_text.h"
#include "text/text_overlay.h"

namespace {

// Wide enough for a whole 79-character message (10 + 78 x 9 + 10 pixels) to stay unclipped.
constexpr int kWidth = 1024;
constexpr int kHeight = 128;
constexpr int kMessageX = 10;
constexpr int kMessageY = 20;
constexpr int kMessageAdvance = 9;  // 0.45 x 20, truncated

bool haveContext = false;

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

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "text_fuzz: %s\n", what);
  std::abort();
}

// DrawText must leave the state it promises, and no GL error.
void CheckStateAfterDraw(GLint modelViewDepth, GLint attribDepth) {
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

// The message line: every non-space byte of the recorded text is one glyph at its pen position.
void CheckMessageGlyphs(const std::vector<DrawnGlyph>& glyphs, const std::string& text) {
  const std::string recorded = Recorded(text);
  if (CellsOf(glyphs) != ExpectedCells(recorded)) Fail("message glyphs differ from its text");
  size_t g = 0;
  for (size_t i = 0; i < recorded.size(); ++i) {
    if (recorded[i] == ' ') continue;
    const float left = static_cast<float>(kMessageX + kMessageAdvance * static_cast<int>(i));
    if (glyphs[g].left != left) Fail("message glyph out of place");
    if (glyphs[g].bottom != kHeight - kMessageY || glyphs[g].top != kHeight) {
      Fail("message glyph at the wrong height");
    }
    ++g;
  }
}

}  // namespace

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
  float glyphSize = 20.0f;
  if (drawText) {
    x = Take<int16_t>(data, size);
    y = Take<int16_t>(data, size);
    glyphSize = Take<float>(data, size);
  } else {
    elapsedMs = Take<uint32_t>(data, size);
  }
  // Exactly as long as the text and its terminator, so a read past the end shows at once.
  const std::string text(reinterpret_cast<const char*>(data),
                         strnlen(reinterpret_cast<const char*>(data), size));
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

  if (drawText) {
    overlay.recordText = recordOff ? 0 : 1;
    CaptureGlyphs([&] { overlay.DrawText(owned.data(), x, y, glyphSize); });
    overlay.recordText = 1;
    CheckStateAfterDraw(modelViewDepth, attribDepth);
    const bool recorded = !recordOff;
    if (overlay.lastText != (recorded ? Recorded(text) : before)) Fail("wrong text remembered");
    if (overlay.lastX != (recorded ? x : beforeX) || overlay.lastY != (recorded ? y : beforeY)) {
      Fail("wrong position remembered");
    }
  } else {
    const auto glyphs = CaptureGlyphs([&] { overlay.ShowMessage(owned.data()); });
    CheckStateAfterDraw(modelViewDepth, attribDepth);
    CheckMessageGlyphs(glyphs, text);
    if (overlay.lastText != Recorded(text)) Fail("message not remembered as given");
    if (overlay.lastX != kMessageX || overlay.lastY != kMessageY) Fail("message not at 10, 20");
    if (overlay.messageExpiry != elapsedMs * 0.001 + 3.0) Fail("message expiry not clock + 3 s");
  }

  if (drawAgain) {
    // The frame's redraw of the remembered line, which records it onto itself.
    const std::string remembered = overlay.lastText;
    const int32_t rememberedX = overlay.lastX;
    const int32_t rememberedY = overlay.lastY;
    overlay.messageExpiry = 1e300;
    CaptureGlyphs([&] { overlay.DrawMessage(); });
    CheckStateAfterDraw(modelViewDepth, attribDepth);
    if (overlay.lastText != remembered || overlay.lastX != rememberedX ||
        overlay.lastY != rememberedY) {
      Fail("redrawing the message changed it");
    }
  }
  return 0;
}
