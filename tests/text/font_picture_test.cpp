// The shipped font on screen: a line at size 20 drawn with assets/font.bmp must come out upright
// and readable. The picture is saved for a person to look at; the checks below catch a sheet
// that is upside down or sampled from the wrong band.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "image/bmp.h"
#include "tests/support/gl_window_test.h"
#include "tests/support/x_app.h"  // ScreenshotPath
#include "text/text_overlay.h"

namespace {

class FontPictureTest : public GlWindowTest {
 protected:
  void SetUp() override {
    GlWindowTest::SetUp();
    if (IsSkipped()) return;
    const std::string path = std::string(QUOR_SOURCE_DIR) + "/assets/font.bmp";
    if (!std::ifstream(path).good()) GTEST_SKIP() << "assets/font.bmp not there yet";
    ASSERT_TRUE(overlay.texture.LoadFromFile(path.c_str(), LoadBmp));
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);  // as the running program blends once particles drew
  }
  void TearDown() override { overlay.texture.Release(); }

  // Rows (counted from the top of the window) and brightness of what one glyph left lit.
  struct Ink {
    int count = 0;
    double meanRowFromGlyphTop = 0.0;  // 0 top edge .. size bottom edge
  };
  Ink InkOf(const std::vector<Rgb>& pixels, int left, int y, float size) {
    Ink ink;
    const int top = y - static_cast<int>(size);
    double rows = 0.0;
    for (int row = top; row < y; ++row) {
      for (int x = left; x < left + static_cast<int>(size * 0.5f); ++x) {
        const Rgb& p = pixels[static_cast<size_t>(kHeight - 1 - row) * kWidth + x];
        if (p.r > 40 || p.g > 40 || p.b > 40) {
          ++ink.count;
          rows += row - top;
        }
      }
    }
    if (ink.count > 0) ink.meanRowFromGlyphTop = rows / ink.count;
    return ink;
  }

  TextOverlay overlay;
};

TEST_F(FontPictureTest, LineAtSize20IsUprightAndEachGlyphInkedInItsOwnCell) {
  overlay.DrawText("Quor draws flames: 0123456789 ABCDEFGHIJKLM", 10, 40, 20.0f);
  overlay.DrawText("nopqrstuvwxyz NOPQRSTUVWXYZ !?()[]{}<>+-=_/", 10, 70, 20.0f);
  overlay.DrawText("Press ? key for Help Screen", 10, 110, 20.0f);
  overlay.DrawText("Embrix", 20, 160, 30.0f);
  overlay.DrawText("           []  Adjust Object Size (Flame Intensity!)", 30, 190, 18.0f);
  overlay.DrawText("_", 10, 250, 20.0f);
  overlay.DrawText("^", 30, 250, 20.0f);
  overlay.DrawText(".", 50, 250, 20.0f);
  overlay.DrawText("'", 70, 250, 20.0f);
  overlay.DrawText(" ", 90, 250, 20.0f);
  overlay.DrawText("gjpqy|$@QWMi", 10, 400, 64.0f);

  const std::vector<Rgb> pixels = ReadBackBuffer(kWidth, kHeight);
  std::vector<Rgb> topDown(pixels.size());
  for (int row = 0; row < kHeight; ++row)
    for (int x = 0; x < kWidth; ++x)
      topDown[static_cast<size_t>(row) * kWidth + x] =
          pixels[static_cast<size_t>(kHeight - 1 - row) * kWidth + x];
  SavePicture(ScreenshotPath("font_size20"), kWidth, kHeight, topDown);

  // Marks low in the cell stay low and marks high stay high: the sheet is not upside down.
  const Ink underscore = InkOf(pixels, 10, 250, 20.0f);
  const Ink caret = InkOf(pixels, 30, 250, 20.0f);
  const Ink period = InkOf(pixels, 50, 250, 20.0f);
  const Ink quote = InkOf(pixels, 70, 250, 20.0f);
  ASSERT_GT(underscore.count, 0);
  ASSERT_GT(caret.count, 0);
  ASSERT_GT(period.count, 0);
  ASSERT_GT(quote.count, 0);
  EXPECT_GT(underscore.meanRowFromGlyphTop, 12.0);
  EXPECT_GT(period.meanRowFromGlyphTop, 10.0);
  EXPECT_LT(caret.meanRowFromGlyphTop, 10.0);
  EXPECT_LT(quote.meanRowFromGlyphTop, 10.0);
  // The space cell is blank and nothing of the neighbouring rows bleeds into a glyph's box.
  EXPECT_EQ(InkOf(pixels, 90, 250, 20.0f).count, 0);
  // Letters carry ink.
  EXPECT_GT(InkOf(pixels, 10, 40, 20.0f).count, 10);  // Q
}

}  // namespace
