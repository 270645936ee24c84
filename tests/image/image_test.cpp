// Image: pitch and size rules, empty states, and refusal of sizes that do not fit 32 bits.
#include "image/image.h"

#include <gtest/gtest.h>

namespace {

void ExpectEmpty(const Image& image) {
  EXPECT_EQ(image.GetBpp(), 0u);
  EXPECT_EQ(image.GetWidth(), 0u);
  EXPECT_EQ(image.GetHeight(), 0u);
  EXPECT_EQ(image.GetPitch(), 0u);
  EXPECT_EQ(image.GetSize(), 0u);
  EXPECT_EQ(image.GetPixels(), nullptr);
}

TEST(Image, PitchIsWidthTimesWholeBytesPerPixelWithoutPadding) {
  Image image;
  ASSERT_TRUE(image.Create(3, 2, 24));
  EXPECT_EQ(image.GetPitch(), 9u);
  EXPECT_EQ(image.GetSize(), 18u);
  EXPECT_NE(image.GetPixels(), nullptr);

  ASSERT_TRUE(image.Create(3, 2, 1));  // a whole byte even for one bit
  EXPECT_EQ(image.GetPitch(), 3u);
  EXPECT_EQ(image.GetSize(), 6u);
  EXPECT_EQ(image.GetBpp(), 1u);

  ASSERT_TRUE(image.Create(5, 7, 32));
  EXPECT_EQ(image.GetPitch(), 20u);
  EXPECT_EQ(image.GetSize(), 140u);
  EXPECT_EQ(image.GetWidth(), 5u);
  EXPECT_EQ(image.GetHeight(), 7u);
}

TEST(Image, AZeroArgumentFailsAndEmptiesAnImageThatHeldAPicture) {
  for (int zero = 0; zero < 3; ++zero) {
    Image image;
    ASSERT_TRUE(image.Create(4, 4, 24));
    const uint32_t w = zero == 0 ? 0 : 10, h = zero == 1 ? 0 : 10, bpp = zero == 2 ? 0 : 24;
    EXPECT_FALSE(image.Create(w, h, bpp));
    ExpectEmpty(image);
  }
}

TEST(Image, ByteCountsBeyond32BitsAreRefusedNotWrapped) {
  Image image;
  ASSERT_TRUE(image.Create(2, 2, 8));
  EXPECT_FALSE(image.Create(0x40000000u, 1, 32));  // a pitch of exactly 2^32
  ExpectEmpty(image);
  EXPECT_FALSE(image.Create(0x10000u, 0x10000u, 32));  // 2^34 bytes
  ExpectEmpty(image);
  EXPECT_FALSE(image.Create(0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu));
  ExpectEmpty(image);
}

TEST(Image, ReleaseEmptiesAndASecondReleaseDoesNothing) {
  Image image;
  image.Release();
  ExpectEmpty(image);
  ASSERT_TRUE(image.Create(8, 8, 8));
  image.Release();
  ExpectEmpty(image);
  image.Release();
  ExpectEmpty(image);
}

}  // namespace
