// DrawText in a real GL context: where the glyph quads land, which cells they sample, what is
// recorded, and the GL state the call leaves behind.
#include "text/text_overlay.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/support/gl_window_test.h"
#include "tests/text/drawn_text.h"

namespace {

class DrawTextTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_EQ(glutGet(GLUT_WINDOW_HEIGHT), kHeight);
    glMatrixMode(GL_MODELVIEW);
  }

  std::vector<DrawnGlyph> Draw(const char* text, int16_t x, int16_t y, float size) {
    return CaptureGlyphs([&] { overlay.DrawText(text, x, y, size); });
  }

  TextOverlay overlay;  // no font texture: the quads come out plain white
};

TEST_F(DrawTextTest, GlyphQuadsStepNinePixelsAtSize20AndHangFromTheTopEdge) {
  const auto glyphs = Draw("Quor!", 10, 20, 20.0f);
  ASSERT_EQ(glyphs.size(), 5u);
  EXPECT_EQ(CellsOf(glyphs), "Quor!");
  for (size_t i = 0; i < glyphs.size(); ++i) {
    EXPECT_FLOAT_EQ(glyphs[i].left, 10.0f + 9 * i) << i;
    EXPECT_FLOAT_EQ(glyphs[i].right, 20.0f + 9 * i) << i;
    EXPECT_FLOAT_EQ(glyphs[i].bottom, kHeight - 20.0f) << i;
    EXPECT_FLOAT_EQ(glyphs[i].top, kHeight) << i;
  }
}

TEST_F(DrawTextTest, PenAdvanceLosesItsFractionAtSizes18And30) {
  const auto small = Draw("abcd", 30, 100, 18.0f);
  ASSERT_EQ(small.size(), 4u);
  for (size_t i = 0; i < small.size(); ++i) EXPECT_FLOAT_EQ(small[i].left, 30.0f + 8 * i);
  EXPECT_FLOAT_EQ(small[0].right - small[0].left, 9.0f);
  EXPECT_FLOAT_EQ(small[0].top - small[0].bottom, 18.0f);

  const auto large = Draw("abcd", 20, 43, 30.0f);
  ASSERT_EQ(large.size(), 4u);
  for (size_t i = 0; i < large.size(); ++i) EXPECT_FLOAT_EQ(large[i].left, 20.0f + 13 * i);
  EXPECT_FLOAT_EQ(large[0].bottom, kHeight - 43.0f);
}

// The scale multiplies the line of scale 1 as it stands: the pen still loses its fraction in
// overlay units (8 a glyph at size 18), so the glyphs of a scaled line never drift apart.
TEST_F(DrawTextTest, TextScaleMagnifiesGlyphsPenStepsAndTheDistanceFromTheTop) {
  ScopedTextScale scale(3);
  const auto glyphs = Draw("Quor!", 10, 20, 20.0f);
  ASSERT_EQ(glyphs.size(), 5u);
  for (size_t i = 0; i < glyphs.size(); ++i) {
    EXPECT_FLOAT_EQ(glyphs[i].left, 30.0f + 27 * i) << i;
    EXPECT_FLOAT_EQ(glyphs[i].right, 60.0f + 27 * i) << i;
    EXPECT_FLOAT_EQ(glyphs[i].bottom, kHeight - 60.0f) << i;
    EXPECT_FLOAT_EQ(glyphs[i].top, kHeight) << i;
  }
  const auto small = Draw("a  b", 30, 100, 18.0f);
  ASSERT_EQ(small.size(), 2u);
  EXPECT_FLOAT_EQ(small[0].left, 90.0f);
  EXPECT_FLOAT_EQ(small[1].left, 90.0f + 3 * 24);
  EXPECT_FLOAT_EQ(small[0].right - small[0].left, 27.0f);
  EXPECT_FLOAT_EQ(small[0].bottom, kHeight - 300.0f);
  EXPECT_FLOAT_EQ(small[0].top - small[0].bottom, 54.0f);
  // What is remembered stays in overlay units, so the message line redraws it in place.
  EXPECT_EQ(overlay.lastX, 30);
  EXPECT_EQ(overlay.lastY, 100);
}

TEST_F(DrawTextTest, SpacesMoveThePenButDrawNothing) {
  EXPECT_TRUE(Draw("     ", 10, 20, 20.0f).empty());
  const auto glyphs = Draw("  5 x", 10, 20, 20.0f);
  ASSERT_EQ(glyphs.size(), 2u);
  EXPECT_FLOAT_EQ(glyphs[0].left, 10.0f + 2 * 9);
  EXPECT_FLOAT_EQ(glyphs[1].left, 10.0f + 4 * 9);
}

TEST_F(DrawTextTest, ControlAndHighBytesAreOrdinaryGlyphsOfTheFoldedCells) {
  const char text[] = {'A', '\n', static_cast<char>(160), static_cast<char>(255), '\x01', 0};
  const auto glyphs = Draw(text, 10, 20, 20.0f);
  ASSERT_EQ(glyphs.size(), 5u);
  EXPECT_EQ(glyphs[0].cellCode, 'A');
  EXPECT_EQ(glyphs[1].cellCode, 138);
  EXPECT_EQ(glyphs[2].cellCode, 32);
  EXPECT_EQ(glyphs[3].cellCode, 127);
  EXPECT_EQ(glyphs[4].cellCode, 129);
}

TEST_F(DrawTextTest, RecordsTextAndPositionIncludingAnEmptyText) {
  Draw("Hello", 10, 20, 20.0f);
  EXPECT_STREQ(overlay.lastText, "Hello");
  EXPECT_EQ(overlay.lastX, 10);
  EXPECT_EQ(overlay.lastY, 20);

  EXPECT_TRUE(Draw("", -7, -300, 20.0f).empty());
  EXPECT_STREQ(overlay.lastText, "");
  EXPECT_EQ(overlay.lastX, -7);  // sign-extended from 16 bits
  EXPECT_EQ(overlay.lastY, -300);
}

TEST_F(DrawTextTest, WithRecordingOffTheRememberedTextStays) {
  Draw("kept", 10, 20, 20.0f);
  overlay.recordText = 0;
  Draw("not kept", 500, 40, 20.0f);
  EXPECT_STREQ(overlay.lastText, "kept");
  EXPECT_EQ(overlay.lastX, 10);
  EXPECT_EQ(overlay.lastY, 20);
}

TEST_F(DrawTextTest, RecordingKeepsAtMost79CharactersAlwaysTerminated) {
  const std::string exact(79, 'x');
  Draw(exact.c_str(), 10, 20, 20.0f);
  EXPECT_EQ(std::string(overlay.lastText), exact);

  // Fill the record with something else first so a missing terminator would show.
  std::memset(overlay.lastText, 'q', sizeof overlay.lastText);
  const std::string longer = std::string(79, 'y') + "zzzzzzzzzzzzzzzzzzzz";
  const auto glyphs = Draw(longer.c_str(), 10, 20, 10.0f);  // small enough to fit the window
  EXPECT_EQ(glyphs.size(), longer.size());                  // drawn whole, only the record is cut
  EXPECT_EQ(overlay.lastText[79], '\0');
  EXPECT_EQ(std::string(overlay.lastText), std::string(79, 'y'));
}

TEST_F(DrawTextTest, DrawingTheRecordedTextItselfRecordsItUnchanged) {
  Draw("FOV: 122 Degrees\n", 10, 20, 20.0f);
  const auto glyphs = Draw(overlay.lastText, static_cast<int16_t>(overlay.lastX),
                           static_cast<int16_t>(overlay.lastY), 20.0f);
  EXPECT_EQ(CellsOf(glyphs), ExpectedCells("FOV: 122 Degrees\n"));
  EXPECT_STREQ(overlay.lastText, "FOV: 122 Degrees\n");
  EXPECT_EQ(overlay.lastX, 10);
}

TEST_F(DrawTextTest, WhiteQuadsCoverTheTopTwentyRowsAtY20) {
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  overlay.DrawText("MM", 10, 20, 20.0f);
  const auto pixels = ReadBackBuffer(kWidth, kHeight);
  auto at = [&](int x, int yFromTop) { return pixels[(kHeight - 1 - yFromTop) * kWidth + x]; };
  EXPECT_GT(at(15, 0).r, 200);
  EXPECT_GT(at(15, 19).r, 200);
  EXPECT_LT(at(15, 20).r, 8);    // the row below the glyphs' bottom edge
  EXPECT_GT(at(27, 10).g, 200);  // second glyph, 19..29
  EXPECT_LT(at(31, 10).g, 8);
  EXPECT_LT(at(5, 10).b, 8);
}

TEST_F(DrawTextTest, LeavesTextureAndBlendOffAndRestoresPolygonModeAndViewport) {
  glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
  glViewport(0, 48, kWidth, 384);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(1, 2, 3);

  // Quads stay filled even in point mode.
  const auto glyphs = Draw("A", 10, 20, 20.0f);
  EXPECT_EQ(glyphs.size(), 1u);

  GLint modes[2];
  glGetIntegerv(GL_POLYGON_MODE, modes);
  EXPECT_EQ(modes[0], GL_POINT);
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[1], 48);
  EXPECT_EQ(viewport[3], 384);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLboolean depthMask = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
  EXPECT_TRUE(depthMask);
  GLint matrixMode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
  EXPECT_EQ(matrixMode, GL_MODELVIEW);
  GLfloat modelView[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
  EXPECT_FLOAT_EQ(modelView[12], 1.0f);
  EXPECT_FLOAT_EQ(modelView[14], 3.0f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glViewport(0, 0, kWidth, kHeight);
  glLoadIdentity();
}

}  // namespace
