// LoadBmp: decoding of 8-, 24- and 32-bit files in both row orders, padding, large info headers,
// and every rejection, which must leave the image passed in as it was.
#include "image/bmp.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "image/image.h"
#include "tests/support/bmp_writer.h"

namespace {

using testbmp::EncodeBmp;
using testbmp::Layout;
using testbmp::Picture;
using testbmp::RandomPicture;

std::vector<uint8_t> PixelsOf(const Image& image) {
  return std::vector<uint8_t>(image.GetPixels(), image.GetPixels() + image.GetSize());
}

class LoadBmpTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(scratch.path().empty()); }

  // Writes the bytes under a fresh name and loads them into `image`.
  bool Load(const std::vector<uint8_t>& bytes, Image* image) {
    const std::string path = scratch.File("file" + std::to_string(serial++) + ".bmp");
    EXPECT_TRUE(testbmp::WriteBytes(path, bytes));
    return LoadBmp(path.c_str(), image);
  }

  void ExpectDecodes(const Picture& picture, const Layout& layout = Layout()) {
    Image image;
    ASSERT_TRUE(Load(EncodeBmp(picture, layout), &image));
    EXPECT_EQ(image.GetWidth(), static_cast<uint32_t>(picture.width));
    EXPECT_EQ(image.GetHeight(), static_cast<uint32_t>(picture.height));
    EXPECT_EQ(image.GetBpp(), picture.bitsPerPixel);
    EXPECT_EQ(image.GetPitch(), static_cast<uint32_t>(picture.width) * picture.bitsPerPixel / 8);
    EXPECT_EQ(PixelsOf(image), picture.pixels);
  }

  testbmp::ScratchDir scratch;
  int serial = 0;
};

TEST_F(LoadBmpTest, EightBitIndicesBecomeGreyLevelsWhateverThePalette) {
  ExpectDecodes(RandomPicture(8, 3, 8, 1));  // no padding at a multiple of 4
  ExpectDecodes(RandomPicture(5, 4, 8, 2));  // 3 bytes of padding per row
}

TEST_F(LoadBmpTest, TwentyFourBitPixelsComeOutRedGreenBlue) {
  ExpectDecodes(RandomPicture(7, 5, 24, 3));
  Picture one{1, 1, 24, {10, 20, 30}};
  Image image;
  ASSERT_TRUE(Load(EncodeBmp(one), &image));
  // In the file the bytes stand blue, green, red: 30, 20, 10.
  EXPECT_EQ(image.GetPixels()[0], 10);
  EXPECT_EQ(image.GetPixels()[2], 30);
}

TEST_F(LoadBmpTest, ThirtyTwoBitPixelsKeepTheirAlpha) {
  ExpectDecodes(RandomPicture(3, 6, 32, 4));
}

TEST_F(LoadBmpTest, TwoPixelRowsOfTwentyFourBitsSkipTheirPadding) {
  // 6 bytes of pixels in an 8-byte stride: the 2 padding bytes (0xA5) must not leak.
  Picture picture = RandomPicture(2, 3, 24, 5);
  ExpectDecodes(picture);
  const std::vector<uint8_t> bytes = EncodeBmp(picture);
  EXPECT_EQ(bytes.size(), 54u + 8u * 3u);
}

TEST_F(LoadBmpTest, BottomUpAndTopDownFilesLoadIntoIdenticalImages) {
  for (uint16_t bpp : {8, 24, 32}) {
    const Picture picture = RandomPicture(6, 4, bpp, 6 + bpp);
    Image bottomUp, topDown;
    Layout down;
    down.topRowFirst = true;
    ASSERT_TRUE(Load(EncodeBmp(picture), &bottomUp));
    ASSERT_TRUE(Load(EncodeBmp(picture, down), &topDown));
    EXPECT_EQ(topDown.GetHeight(), 4u) << "the height comes out positive";
    EXPECT_EQ(PixelsOf(bottomUp), PixelsOf(topDown)) << bpp;
    EXPECT_EQ(PixelsOf(topDown), picture.pixels) << "row 0 is the picture's top row";
  }
}

TEST_F(LoadBmpTest, LargerInfoHeadersAreSkippedThroughThePixelOffset) {
  Layout v5;
  v5.infoHeaderSize = 124;
  ExpectDecodes(RandomPicture(5, 5, 24, 7), v5);
  ExpectDecodes(RandomPicture(4, 2, 8, 8), v5);
}

TEST_F(LoadBmpTest, PixelsAreTakenFromThePixelOffsetNotRightAfterTheHeaders) {
  const Picture picture = RandomPicture(3, 3, 24, 9);
  std::vector<uint8_t> bytes = EncodeBmp(picture);
  // Sixteen bytes of junk between the headers and the pixels.
  bytes.insert(bytes.begin() + 54, 16, 0x77);
  testbmp::PutLe32(bytes, testbmp::kPixelOffsetField, 54 + 16);
  Image image;
  ASSERT_TRUE(Load(bytes, &image));
  EXPECT_EQ(PixelsOf(image), picture.pixels);
}

TEST_F(LoadBmpTest, MissingFileNullImageAndNullPathFail) {
  Image image;
  EXPECT_FALSE(LoadBmp(scratch.File("absent.bmp").c_str(), &image));
  EXPECT_FALSE(LoadBmp(nullptr, &image));
  const std::string path = scratch.File("good.bmp");
  ASSERT_TRUE(testbmp::WriteBytes(path, EncodeBmp(RandomPicture(2, 2, 24, 10))));
  EXPECT_FALSE(LoadBmp(path.c_str(), nullptr));
  EXPECT_EQ(image.GetPixels(), nullptr);
}

// Each broken file must fail and leave an image that already held a picture untouched.
class LoadBmpRejection : public LoadBmpTest {
 protected:
  void SetUp() override {
    LoadBmpTest::SetUp();
    ASSERT_TRUE(held.Create(2, 2, 32));
    for (uint32_t i = 0; i < held.GetSize(); ++i) held.GetPixels()[i] = static_cast<uint8_t>(i);
    heldPixels = held.GetPixels();
    good = EncodeBmp(RandomPicture(4, 3, 24, 11));
  }

  void ExpectRejected(const std::vector<uint8_t>& bytes, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(Load(bytes, &held));
    EXPECT_EQ(held.GetPixels(), heldPixels);
    EXPECT_EQ(held.GetWidth(), 2u);
    EXPECT_EQ(held.GetHeight(), 2u);
    EXPECT_EQ(held.GetBpp(), 32u);
    EXPECT_EQ(held.GetSize(), 16u);
    for (uint32_t i = 0; i < held.GetSize(); ++i) ASSERT_EQ(held.GetPixels()[i], i);
  }

  std::vector<uint8_t> With32(size_t offset, uint32_t value) const {
    std::vector<uint8_t> bytes = good;
    testbmp::PutLe32(bytes, offset, value);
    return bytes;
  }

  std::vector<uint8_t> Cut(size_t length) const {
    return std::vector<uint8_t>(good.begin(), good.begin() + length);
  }

  Image held;
  const uint8_t* heldPixels = nullptr;
  std::vector<uint8_t> good;
};

TEST_F(LoadBmpRejection, WrongSignatureOrAFileEndingInsideTheFileHeader) {
  std::vector<uint8_t> ba = good;
  ba[1] = 'A';
  ExpectRejected(ba, "BA signature");
  std::vector<uint8_t> xm = good;
  xm[0] = 'X';
  ExpectRejected(xm, "XM signature");
  ExpectRejected(Cut(13), "13 bytes");
  ExpectRejected(Cut(2), "signature only");
  ExpectRejected({}, "empty file");
}

TEST_F(LoadBmpRejection, CompressedFilesOfAnyKind) {
  Picture rgba = RandomPicture(2, 2, 32, 12);
  Layout bitfields;
  bitfields.compression = 3;
  ExpectRejected(EncodeBmp(rgba, bitfields), "32 bits with bit fields");
  Layout rle;
  rle.compression = 1;
  ExpectRejected(EncodeBmp(RandomPicture(4, 2, 8, 13), rle), "8-bit RLE");
}

TEST_F(LoadBmpRejection, DepthsOtherThanEightTwentyFourAndThirtyTwo) {
  for (uint16_t bpp : {1, 4, 16, 0, 48, 64}) {
    std::vector<uint8_t> bytes = good;
    testbmp::PutLe16(bytes, testbmp::kBitsPerPixelField, bpp);
    ExpectRejected(bytes, std::to_string(bpp).c_str());
  }
}

TEST_F(LoadBmpRejection, ZeroAndNegativeSizes) {
  ExpectRejected(With32(testbmp::kWidthField, 0), "zero width");
  ExpectRejected(With32(testbmp::kHeightField, 0), "zero height");
  ExpectRejected(With32(testbmp::kWidthField, static_cast<uint32_t>(-4)), "negative width");
  ExpectRejected(With32(testbmp::kWidthField, 0x80000000u), "most negative width");
}

TEST_F(LoadBmpRejection, FilesCutShortInsideTheInfoHeaderOrThePixelBlock) {
  ExpectRejected(Cut(14), "file header only");
  ExpectRejected(Cut(30), "inside the info header");
  ExpectRejected(Cut(53), "one byte short of the info header");
  ExpectRejected(Cut(54), "headers without pixels");
  ExpectRejected(Cut(good.size() - 1), "one byte short of the pixel block");
}

TEST_F(LoadBmpRejection, AbsurdDimensionsAndOffsets) {
  std::vector<uint8_t> huge = With32(testbmp::kWidthField, 0x7FFFFFFF);
  testbmp::PutLe32(huge, testbmp::kHeightField, 0x7FFFFFFF);
  ExpectRejected(huge, "2^31 - 1 squared");
  ExpectRejected(With32(testbmp::kHeightField, 0x80000000u), "most negative height");
  ExpectRejected(With32(testbmp::kWidthField, 0x40000000), "a 3 GiB stride");
  std::vector<uint8_t> large = With32(testbmp::kWidthField, 30000);
  testbmp::PutLe32(large, testbmp::kHeightField, 30000);
  ExpectRejected(large, "2.7 GB claimed by a small file");
  ExpectRejected(With32(testbmp::kPixelOffsetField, static_cast<uint32_t>(good.size())),
                 "pixel offset at the end");
  ExpectRejected(With32(testbmp::kPixelOffsetField, 0xFFFFFFF0u), "pixel offset beyond 2^31");
}

// Cross-check with an independent decoder and encoder where ImageMagick is installed.
bool HaveImageMagick() {
  return std::system("command -v convert >/dev/null 2>&1") == 0;
}

std::vector<uint8_t> PpmOf(const Picture& picture) {
  const std::string head =
      "P6\n" + std::to_string(picture.width) + " " + std::to_string(picture.height) + "\n255\n";
  std::vector<uint8_t> bytes(head.begin(), head.end());
  bytes.insert(bytes.end(), picture.pixels.begin(), picture.pixels.end());
  return bytes;
}

TEST_F(LoadBmpTest, TwentyFourBitFilesAgreeWithImageMagick) {
  if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick's convert is not installed";
  const Picture picture = RandomPicture(7, 5, 24, 14);

  // ImageMagick writes the BMP; LoadBmp must see the picture it was given.
  const std::string ppm = scratch.File("source.ppm");
  const std::string theirs = scratch.File("theirs.bmp");
  ASSERT_TRUE(testbmp::WriteBytes(ppm, PpmOf(picture)));
  const std::string encode = "convert '" + ppm + "' -type TrueColor 'BMP3:" + theirs + "'";
  ASSERT_EQ(std::system(encode.c_str()), 0);
  Image image;
  ASSERT_TRUE(LoadBmp(theirs.c_str(), &image));
  ASSERT_EQ(image.GetBpp(), 24u);
  EXPECT_EQ(PixelsOf(image), picture.pixels);

  // ImageMagick reads a BMP written here; both decoders must agree on it.
  const std::string ours = scratch.File("ours.bmp");
  const std::string decoded = scratch.File("decoded.ppm");
  ASSERT_TRUE(testbmp::WriteBytes(ours, EncodeBmp(RandomPicture(6, 3, 24, 15))));
  const std::string decode = "convert '" + ours + "' 'ppm:" + decoded + "'";
  ASSERT_EQ(std::system(decode.c_str()), 0);
  Image mine;
  ASSERT_TRUE(LoadBmp(ours.c_str(), &mine));
  const std::vector<uint8_t> ppmBytes = testbmp::ReadBytes(decoded);
  const std::string header = "P6\n6 3\n255\n";
  ASSERT_GE(ppmBytes.size(), header.size() + 54);
  ASSERT_EQ(std::string(ppmBytes.begin(), ppmBytes.begin() + header.size()), header);
  EXPECT_EQ(std::vector<uint8_t>(ppmBytes.begin() + header.size(), ppmBytes.end()), PixelsOf(mine));
}

}  // namespace
