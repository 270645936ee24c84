// The images shipped in assets/: valid BMP files of the documented sizes and depths, the font
// sheet laid out as the text overlay samples it, the smoke puff black at its edges.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "image/bmp.h"
#include "image/image.h"
#include "tests/support/bmp_writer.h"

namespace {

const std::string kAssets = std::string(QUOR_SOURCE_DIR) + "/assets/";

uint32_t Le32At(const std::vector<uint8_t>& bytes, size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
         static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// Ink of one cell of the font sheet, in the upright cell's own coordinates (v down from the
// cell's top edge, u from its left edge).
struct CellInk {
  bool any = false;
  int top = 1 << 30, bottom = -1, left = 1 << 30, right = -1;
  double centreV = 0.0;
};

class FontSheet : public ::testing::Test {
 protected:
  static constexpr int kSide = 512;
  static constexpr int kCellWidth = 32;
  static constexpr int kCellHeight = 64;

  void SetUp() override {
    ASSERT_TRUE(LoadBmp((kAssets + "font.bmp").c_str(), &sheet)) << "run scripts/make-assets";
  }

  // Cell row r covers texture t from 0.875 - 0.125 r to 1 - 0.125 r, and the loaded image's row
  // 0 is t = 0, so the cell's upright top (the larger t) is its highest image row.
  CellInk InkOf(int code) const {
    const int r = (code - 32) / 16, column = code % 16;
    const int firstImageRow = (7 - r) * kCellHeight;
    CellInk ink;
    double weighted = 0.0, total = 0.0;
    for (int v = 0; v < kCellHeight; ++v) {
      const int imageRow = firstImageRow + kCellHeight - 1 - v;
      for (int u = 0; u < kCellWidth; ++u) {
        const uint8_t level = sheet.GetPixels()[imageRow * kSide + column * kCellWidth + u];
        if (level == 0) continue;
        ink.any = true;
        ink.top = std::min(ink.top, v);
        ink.bottom = std::max(ink.bottom, v);
        ink.left = std::min(ink.left, u);
        ink.right = std::max(ink.right, u);
        weighted += level * v;
        total += level;
      }
    }
    if (total > 0) ink.centreV = weighted / total;
    return ink;
  }

  Image sheet;
};

TEST_F(FontSheet, IsAPlainEightBitBmpOf512By512) {
  EXPECT_EQ(sheet.GetBpp(), 8u);
  EXPECT_EQ(sheet.GetWidth(), 512u);
  EXPECT_EQ(sheet.GetHeight(), 512u);
  const std::vector<uint8_t> bytes = testbmp::ReadBytes(kAssets + "font.bmp");
  ASSERT_GE(bytes.size(), 54u);
  EXPECT_EQ(Le32At(bytes, 2), bytes.size()) << "file size field";
  EXPECT_EQ(Le32At(bytes, 14), 40u) << "info header size";
}

TEST_F(FontSheet, PrintableCodesHaveInkAndTheRestAreBlank) {
  for (int code = 32; code < 160; ++code) {
    const bool printable = code > 32 && code < 127;
    EXPECT_EQ(InkOf(code).any, printable) << "code " << code;
  }
}

TEST_F(FontSheet, InkKeepsClearOfTheBandShiftAndTheCellSides) {
  // The overlay samples each band 5.12 texels lower in the upright sheet: the top rows of a cell
  // show under the glyph above it. Filtering reaches a few texels further.
  for (int code = 33; code < 127; ++code) {
    const CellInk ink = InkOf(code);
    EXPECT_GE(ink.top, 8) << "code " << code;
    EXPECT_GE(ink.left, 2) << "code " << code;
    EXPECT_LE(ink.right, kCellWidth - 3) << "code " << code;
    EXPECT_LE(ink.bottom, kCellHeight - 2) << "code " << code;
  }
}

TEST_F(FontSheet, GlyphsStandUprightThroughTheOverlaysMapping) {
  EXPECT_GT(InkOf('_').centreV, 45.0) << "an underscore sits at the bottom of its glyph";
  EXPECT_LT(InkOf('^').centreV, 30.0) << "a caret sits at the top";
  EXPECT_LT(InkOf('\'').centreV, 30.0);
  EXPECT_GT(InkOf('g').bottom, InkOf('o').bottom) << "descenders reach below the baseline";
}

TEST(SmokeImage, IsA128By128TwentyFourBitBmpWithPixelsAtByte54) {
  const std::string path = kAssets + "smoke128.bmp";
  const std::vector<uint8_t> bytes = testbmp::ReadBytes(path);
  ASSERT_EQ(bytes.size(), 54u + 128u * 128u * 3u) << "run scripts/make-assets";
  EXPECT_EQ(Le32At(bytes, 10), 54u) << "pixel offset";
  Image smoke;
  ASSERT_TRUE(LoadBmp(path.c_str(), &smoke));
  EXPECT_EQ(smoke.GetBpp(), 24u);
  EXPECT_EQ(smoke.GetWidth(), 128u);
  EXPECT_EQ(smoke.GetHeight(), 128u);
}

TEST(SmokeImage, IsAGreyPuffBrightInsideAndBlackAtEveryEdge) {
  Image smoke;
  ASSERT_TRUE(LoadBmp((kAssets + "smoke128.bmp").c_str(), &smoke));
  const uint8_t* p = smoke.GetPixels();
  int brightest = 0;
  for (uint32_t y = 0; y < 128; ++y) {
    for (uint32_t x = 0; x < 128; ++x) {
      const uint8_t* pixel = p + (y * 128 + x) * 3;
      ASSERT_EQ(pixel[0], pixel[1]);
      ASSERT_EQ(pixel[1], pixel[2]);
      if (x == 0 || y == 0 || x == 127 || y == 127) {
        EXPECT_EQ(pixel[0], 0) << x << "," << y;
      }
      brightest = std::max<int>(brightest, pixel[0]);
    }
  }
  EXPECT_GE(brightest, 200);
  const uint8_t* centre = p + (64 * 128 + 64) * 3;
  EXPECT_GT(centre[0], 100);
}

}  // namespace
