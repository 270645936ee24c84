// The help page: its 26 lines, where each stands for a given window height, and that drawing it
// leaves the remembered message alone.
#include "text/help_screen.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <string>

#include "app/shell.h"
#include "tests/support/gl_context.h"
#include "tests/text/drawn_text.h"
#include "text/text_overlay.h"

namespace {

// Distance of each line below the title: 23 after the title, 17 a line, 22 before line 6.
constexpr int kOffsets[kHelpLineCount] = {0,   23,  40,  57,  74,  96,  113, 130, 147,
                                          164, 181, 198, 215, 232, 249, 266, 283, 300,
                                          317, 334, 351, 368, 385, 402, 419, 436};

const char* const kExpectedText[kHelpLineCount] = {
    "Embrix",
    "Special Controls for this simulation:",
    "<Left/Right> - Adjust Main Flow Speed",
    "           []  Adjust Object Size (Flame Intensity!)",
    "            o  Toggle Available Options: Flames/Clouds",
    "Standard Controls in most simulations where applicable:",
    "          -=  Adjust World Rotate Speed",
    "  shift   _+  Adjust World Movement Speed",
    "  shift   {}  Adjust World Closeness (Camera Z)",
    "  shift   ()  Adjust Light Rotate Speed",
    "unshifted <>  Adjust Screen Magnification",
    "           c  Toggle Frame-Per-Second Clock",
    "           f  Toggle FullScreen/Window",
    "           l  Adjust Letterbox Size 0-6",
    "           p  Toggle Pause On/Off",
    "           r  Reset/Randomize all parameters",
    "           s  Toggle Color SpotLites On-Off",
    "           t  Toggle Textures On-Off",
    "           u  Toggle Universe of Stars On/Off",
    "           w  Toggle Polygons/Wireframe/Points",
    "      <SPACE> Toggle Hyperspace (brief non-blanking)",
    "        <ESC> to QUIT.",
    nullptr,  // the rule, checked by its parts
    nullptr,  // credit lines: free text with leading spaces
    nullptr,
    "   <?> to return",
};

TEST(HelpLayout, LinesOf480PixelWindowStartAt43AndJustFit) {
  for (int i = 0; i < kHelpLineCount; ++i) {
    EXPECT_EQ(HelpLineAt(i, 480).y, 43 + kOffsets[i]) << "line " << i + 1;
  }
  EXPECT_EQ(HelpLineAt(kHelpLineCount - 1, 480).y, 479);
}

TEST(HelpLayout, LinesOf1024PixelWindowStartAt92) {
  for (int i = 0; i < kHelpLineCount; ++i) {
    EXPECT_EQ(HelpLineAt(i, 1024).y, 92 + kOffsets[i]) << "line " << i + 1;
  }
  EXPECT_EQ(HelpLineAt(kHelpLineCount - 1, 1024).y, 528);
}

TEST(HelpLayout, TitleIsLargerAndFurtherLeftThanTheRest) {
  EXPECT_EQ(HelpLineAt(0, 768).x, 20);
  EXPECT_EQ(HelpLineAt(0, 768).size, 30.0f);
  for (int i = 1; i < kHelpLineCount; ++i) {
    EXPECT_EQ(HelpLineAt(i, 768).x, 30) << i;
    EXPECT_EQ(HelpLineAt(i, 768).size, 18.0f) << i;
  }
}

TEST(HelpLayout, TextsAreExact) {
  for (int i = 0; i < kHelpLineCount; ++i) {
    if (kExpectedText[i] == nullptr) continue;
    EXPECT_STREQ(HelpLineAt(i, 480).text, kExpectedText[i]) << "line " << i + 1;
  }
  EXPECT_EQ(std::string(HelpLineAt(22, 480).text), "   " + std::string(56, '-') + " ");
  for (int i : {23, 24}) {
    const std::string credit = HelpLineAt(i, 480).text;
    EXPECT_EQ(credit.rfind("   ", 0), 0u) << "credit lines start with some spaces";
    EXPECT_GT(credit.find_first_not_of(' '), 0u);
    EXPECT_NE(credit.find("Quor"), std::string::npos);
  }
}

TEST(HelpLayout, ControlColumnsLineUpAtEightPixelsASpace) {
  // The key letters of lines 12 to 20 all sit in column 11, under the left bracket of line 4.
  for (int i = 11; i <= 19; ++i) {
    EXPECT_EQ(std::string(HelpLineAt(i, 480).text).find_first_not_of(' '), 11u) << i;
  }
  EXPECT_EQ(std::string(HelpLineAt(3, 480).text).find("[]"), 11u);
}

class HelpScreenTest : public GlTest {};

TEST_F(HelpScreenTest, DrawsEveryLineInPlaceAndLeavesTheMessageAlone) {
  ResizeGlWindow(640, 480);
  windowHeight = 480;
  textOverlay.recordText = 1;
  textOverlay.DrawText("Universe On", 10, 20, 20.0f);

  const auto glyphs = CaptureGlyphs([] { DrawHelpScreen(); });

  // Split the glyphs into lines where the baseline changes.
  std::vector<std::vector<DrawnGlyph>> lines;
  for (const DrawnGlyph& g : glyphs) {
    if (lines.empty() || lines.back().front().bottom != g.bottom) lines.emplace_back();
    lines.back().push_back(g);
  }
  ASSERT_EQ(lines.size(), static_cast<size_t>(kHelpLineCount));
  for (int i = 0; i < kHelpLineCount; ++i) {
    const HelpLine expected = HelpLineAt(i, 480);
    EXPECT_EQ(CellsOf(lines[i]), ExpectedCells(expected.text)) << "line " << i + 1;
    EXPECT_FLOAT_EQ(lines[i].front().bottom, 480.0f - expected.y) << "line " << i + 1;
    EXPECT_FLOAT_EQ(lines[i].front().top - lines[i].front().bottom, expected.size);
  }
  // The first visible glyph of a control line stands 8 pixels per leading space from x = 30.
  EXPECT_FLOAT_EQ(lines[11].front().left, 30.0f + 11 * 8);
  EXPECT_FLOAT_EQ(lines[0].front().left, 20.0f);
  // The last line's bottom edge is one row above the window's bottom.
  EXPECT_FLOAT_EQ(lines.back().front().bottom, 1.0f);

  EXPECT_EQ(textOverlay.recordText, 1);
  EXPECT_STREQ(textOverlay.lastText, "Universe On");
  EXPECT_EQ(textOverlay.lastX, 10);
}

// At scale 2 a window is laid out as one of half its size and drawn twice as large: every glyph
// of the page in 640 x 960 is a glyph of the page in 320 x 480 magnified, cell for cell.
TEST_F(HelpScreenTest, AtScaleTwoThePageIsTheHalfSizeWindowsPageMagnified) {
  const auto pageOf = [](int width, int height, int scale) {
    ResizeGlWindow(width, height);
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), height);
    windowWidth = width;
    windowHeight = height;
    ScopedTextScale scoped(scale);
    return CaptureGlyphs([] { DrawHelpScreen(); });
  };
  const auto small = pageOf(320, 480, 1);
  const auto large = pageOf(640, 960, 2);
  ASSERT_EQ(small.size(), large.size());
  ASSERT_EQ(CellsOf(small), CellsOf(large));
  for (size_t i = 0; i < small.size(); ++i) {
    EXPECT_FLOAT_EQ(large[i].left, 2 * small[i].left) << i;
    EXPECT_FLOAT_EQ(large[i].right, 2 * small[i].right) << i;
    EXPECT_FLOAT_EQ(960.0f - large[i].bottom, 2 * (480.0f - small[i].bottom)) << i;
    EXPECT_FLOAT_EQ(960.0f - large[i].top, 2 * (480.0f - small[i].top)) << i;
  }
  // Title at 2 x 43 from the top, 60 high; the control column at 2 x (30 + 11 x 8).
  EXPECT_FLOAT_EQ(large.front().bottom, 960.0f - 86);
  EXPECT_FLOAT_EQ(large.front().top - large.front().bottom, 60.0f);
  EXPECT_FLOAT_EQ(large.back().bottom, 2.0f);  // the last line ends two rows above the bottom
}

}  // namespace
