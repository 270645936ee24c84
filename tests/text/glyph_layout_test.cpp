// The glyph cell and pen arithmetic of the bitmap font, without GL.
#include "text/glyph_layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

// t wraps: the font texture repeats, so t and t + 1 sample the same texel row.
double Wrapped(double t) {
  return t - std::floor(t);
}

TEST(GlyphCell, FirstRowHoldsCodes32To47InTheBottomBandShiftedByOneHundredth) {
  const GlyphCell space = GlyphCellFor(32);
  EXPECT_FLOAT_EQ(space.s0, 0.0f);
  EXPECT_FLOAT_EQ(space.s1, 0.0625f);
  EXPECT_FLOAT_EQ(space.t0, 0.865f);
  EXPECT_FLOAT_EQ(space.t1, 0.99f);

  const GlyphCell slash = GlyphCellFor(47);
  EXPECT_FLOAT_EQ(slash.s0, 0.9375f);
  EXPECT_FLOAT_EQ(slash.s1, 1.0f);
  EXPECT_FLOAT_EQ(slash.t0, 0.865f);
  EXPECT_FLOAT_EQ(slash.t1, 0.99f);
}

TEST(GlyphCell, EachSixteenCodesMoveOneRowTowardTZero) {
  const GlyphCell zero = GlyphCellFor(48);
  EXPECT_FLOAT_EQ(zero.s0, 0.0f);
  EXPECT_FLOAT_EQ(zero.t0, 0.74f);
  EXPECT_FLOAT_EQ(zero.t1, 0.865f);

  const GlyphCell del = GlyphCellFor(127);  // row 5, column 15
  EXPECT_FLOAT_EQ(del.s0, 0.9375f);
  EXPECT_FLOAT_EQ(del.t0, 0.24f);
  EXPECT_FLOAT_EQ(del.t1, 0.365f);

  const GlyphCell last = GlyphCellFor(static_cast<char>(159));  // row 7, the last one
  EXPECT_FLOAT_EQ(last.s0, 0.9375f);
  EXPECT_FLOAT_EQ(last.s1, 1.0f);
  EXPECT_NEAR(last.t0, -0.01f, 1e-6);
  EXPECT_NEAR(last.t1, 0.115f, 1e-6);
}

TEST(GlyphCell, BytesFrom160ShowTheCellsOf32To127) {
  for (int code = 160; code <= 255; ++code) {
    const GlyphCell high = GlyphCellFor(static_cast<char>(code));
    const GlyphCell low = GlyphCellFor(static_cast<char>(code - 128));
    EXPECT_FLOAT_EQ(high.s0, low.s0) << code;
    EXPECT_FLOAT_EQ(high.s1, low.s1) << code;
    EXPECT_NEAR(Wrapped(high.t0), Wrapped(low.t0), 1e-6) << code;
    EXPECT_NEAR(high.t1 - high.t0, 0.125, 1e-6) << code;
  }
  // The two ends written out: 160 samples one texture height below code 32.
  EXPECT_NEAR(GlyphCellFor(static_cast<char>(160)).t0, -0.135f, 1e-6);
  EXPECT_NEAR(GlyphCellFor(static_cast<char>(255)).t0, -0.76f, 1e-6);
}

TEST(GlyphCell, ControlCodesShowTheCellsOf129To159) {
  for (int code = 1; code <= 31; ++code) {
    const GlyphCell control = GlyphCellFor(static_cast<char>(code));
    const GlyphCell high = GlyphCellFor(static_cast<char>(code + 128));
    EXPECT_FLOAT_EQ(control.s0, high.s0) << code;
    EXPECT_NEAR(Wrapped(control.t0), Wrapped(high.t0), 1e-6) << code;
  }
  const GlyphCell one = GlyphCellFor(1);
  EXPECT_FLOAT_EQ(one.s0, 0.0625f);
  EXPECT_NEAR(one.t0, -0.885f, 1e-6);  // row 14, which the repeat folds onto row 6
}

TEST(GlyphCell, NewlineIsTheOrdinaryGlyphOfCell138) {
  const GlyphCell newline = GlyphCellFor('\n');
  const GlyphCell cell138 = GlyphCellFor(static_cast<char>(138));
  EXPECT_FLOAT_EQ(newline.s0, cell138.s0);
  EXPECT_NEAR(Wrapped(newline.t0), Wrapped(cell138.t0), 1e-6);
}

TEST(GlyphAdvance, FractionIsDroppedAtEveryStep) {
  EXPECT_FLOAT_EQ(GlyphWidth(20.0f), 10.0f);
  EXPECT_FLOAT_EQ(GlyphWidth(18.0f), 9.0f);
  struct Case {
    float size;
    int advance;
  };
  for (const Case c : {Case{18.0f, 8}, Case{20.0f, 9}, Case{30.0f, 13}}) {
    const float advance = GlyphAdvance(c.size);
    int16_t pen = 10;
    for (int i = 1; i <= 60; ++i) {
      pen = AdvancePen(pen, advance);
      ASSERT_EQ(pen, 10 + i * c.advance) << "size " << c.size << " step " << i;
    }
  }
}

TEST(GlyphAdvance, LeftOfTheWindowThePenTruncatesTowardZero) {
  // -10 + 8.1 = -1.9, which truncates to -1: a step of 9 rather than 8.
  EXPECT_EQ(AdvancePen(-10, GlyphAdvance(18.0f)), -1);
  EXPECT_EQ(AdvancePen(-1, GlyphAdvance(18.0f)), 7);
}

TEST(GlyphAdvance, HugeOrNonFiniteSizesKeepThePenASixteenBitCount) {
  // Past the range of int the pen still wraps like any 16-bit count: 3e9 is 45776 x 65536 +
  // 24064. 2^40 + 5 rounds to 2^40 in a float, a multiple of 65536.
  EXPECT_EQ(AdvancePen(0, 3.0e9f), 24064);
  EXPECT_EQ(AdvancePen(0, -3.0e9f), -24064);
  EXPECT_EQ(AdvancePen(5, 1099511627776.0f), 0);
  EXPECT_EQ(AdvancePen(10, 70000.0f), 70010 - 65536);
  EXPECT_EQ(AdvancePen(12, std::numeric_limits<float>::infinity()), 12);
  EXPECT_EQ(AdvancePen(12, -std::numeric_limits<float>::infinity()), 12);
  EXPECT_EQ(AdvancePen(12, std::numeric_limits<float>::quiet_NaN()), 12);
}

}  // namespace
