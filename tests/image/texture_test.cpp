// Texture on a real GL context: upload formats and contents for each depth, the alpha merges,
// failures that leave the holder empty, the release rules and packed rows at any alignment.
#include "image/texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "image/bmp.h"
#include "image/image.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/gl_context.h"

namespace {

void Fill(Image& image, uint32_t width, uint32_t height, uint32_t bpp, uint32_t seed) {
  ASSERT_TRUE(image.Create(width, height, bpp));
  uint32_t state = seed;
  for (uint32_t i = 0; i < image.GetSize(); ++i) {
    state = state * 1103515245u + 12345u;
    image.GetPixels()[i] = static_cast<uint8_t>(state >> 16);
  }
}

GLint LevelParameter(GLint level, GLenum parameter) {
  GLint value = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, parameter, &value);
  return value;
}

GLint BoundTexture() {
  GLint name = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return name;
}

// Level 0 of the bound texture as `format`, rows packed.
std::vector<uint8_t> LevelZero(GLenum format, size_t bytes) {
  std::vector<uint8_t> pixels(bytes, 0xCD);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, format, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

std::vector<uint8_t> PixelsOf(const Image& image) {
  return std::vector<uint8_t>(image.GetPixels(), image.GetPixels() + image.GetSize());
}

class TextureTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override {
    if (!IsSkipped()) {
      EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
  }

  // The bound texture has the given level-0 size, per-channel sizes and a complete mipmap chain.
  void ExpectUploaded(GLint width, GLint height, GLenum channelQuery, GLint channelBits) {
    EXPECT_EQ(LevelParameter(0, GL_TEXTURE_WIDTH), width);
    EXPECT_EQ(LevelParameter(0, GL_TEXTURE_HEIGHT), height);
    EXPECT_EQ(LevelParameter(0, channelQuery), channelBits);
    GLint level = 0;
    while (width > 1 || height > 1) {
      ++level;
      width = width > 1 ? width / 2 : 1;
      height = height > 1 ? height / 2 : 1;
      EXPECT_EQ(LevelParameter(level, GL_TEXTURE_WIDTH), width) << "level " << level;
      EXPECT_EQ(LevelParameter(level, GL_TEXTURE_HEIGHT), height) << "level " << level;
    }
    GLint minFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_NEAREST);
    GLint wrapT = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &wrapT);
    EXPECT_EQ(wrapT, GL_REPEAT);
  }
};

TEST_F(TextureTest, EightBitImagesUploadAsLuminanceWithAFullMipmapChain) {
  Image grey;
  Fill(grey, 8, 4, 8, 1);
  Texture texture;
  ASSERT_TRUE(texture.Create(grey, nullptr));
  ASSERT_NE(texture.handle, 0u);
  EXPECT_EQ(BoundTexture(), static_cast<GLint>(texture.handle - 1)) << "left bound";
  ExpectUploaded(8, 4, GL_TEXTURE_LUMINANCE_SIZE, 8);
  EXPECT_EQ(LevelParameter(0, GL_TEXTURE_ALPHA_SIZE), 0);
  EXPECT_EQ(LevelZero(GL_LUMINANCE, grey.GetSize()), PixelsOf(grey));
}

TEST_F(TextureTest, TwentyFourAndThirtyTwoBitImagesUploadAsRgbAndRgba) {
  Image rgb, rgba;
  Fill(rgb, 4, 4, 24, 2);
  Fill(rgba, 2, 8, 32, 3);
  Texture texture;
  ASSERT_TRUE(texture.Create(rgb, nullptr));
  ExpectUploaded(4, 4, GL_TEXTURE_RED_SIZE, 8);
  EXPECT_EQ(LevelParameter(0, GL_TEXTURE_ALPHA_SIZE), 0);
  EXPECT_EQ(LevelZero(GL_RGB, rgb.GetSize()), PixelsOf(rgb));

  ASSERT_TRUE(texture.Create(rgba, nullptr));
  ExpectUploaded(2, 8, GL_TEXTURE_ALPHA_SIZE, 8);
  EXPECT_EQ(LevelZero(GL_RGBA, rgba.GetSize()), PixelsOf(rgba));
}

TEST_F(TextureTest, AnEightBitAlphaImageMergesIntoGreyAsLuminanceAlpha) {
  Image grey, alpha;
  Fill(grey, 4, 2, 8, 4);
  Fill(alpha, 4, 2, 8, 5);
  Texture texture;
  ASSERT_TRUE(texture.Create(grey, &alpha));
  ExpectUploaded(4, 2, GL_TEXTURE_ALPHA_SIZE, 8);
  EXPECT_EQ(LevelParameter(0, GL_TEXTURE_LUMINANCE_SIZE), 8);
  std::vector<uint8_t> expected;
  for (uint32_t i = 0; i < 8; ++i) {
    expected.push_back(grey.GetPixels()[i]);
    expected.push_back(alpha.GetPixels()[i]);
  }
  EXPECT_EQ(LevelZero(GL_LUMINANCE_ALPHA, 16), expected);
}

TEST_F(TextureTest, AnEightBitAlphaImageMergesIntoRgbAsRgba) {
  Image rgb, alpha;
  Fill(rgb, 2, 4, 24, 6);
  Fill(alpha, 2, 4, 8, 7);
  Texture texture;
  ASSERT_TRUE(texture.Create(rgb, &alpha));
  ExpectUploaded(2, 4, GL_TEXTURE_ALPHA_SIZE, 8);
  std::vector<uint8_t> expected;
  for (uint32_t i = 0; i < 8; ++i) {
    for (int c = 0; c < 3; ++c) expected.push_back(rgb.GetPixels()[i * 3 + c]);
    expected.push_back(alpha.GetPixels()[i]);
  }
  EXPECT_EQ(LevelZero(GL_RGBA, 32), expected);
}

TEST_F(TextureTest, ThirtyTwoBitColourIgnoresAnyAlphaImage) {
  Image rgba, unsuitable;
  Fill(rgba, 4, 4, 32, 8);
  Fill(unsuitable, 3, 3, 24, 9);
  Texture texture;
  ASSERT_TRUE(texture.Create(rgba, &unsuitable));
  EXPECT_EQ(LevelZero(GL_RGBA, rgba.GetSize()), PixelsOf(rgba));
}

TEST_F(TextureTest, UnsuitableAlphaImagesFailAndLeaveTheHolderEmpty) {
  Image rgb, grey, deepAlpha, narrowAlpha, shortAlpha;
  Fill(rgb, 4, 4, 24, 10);
  Fill(grey, 4, 4, 8, 11);
  Fill(deepAlpha, 4, 4, 24, 12);
  Fill(narrowAlpha, 3, 4, 8, 13);
  Fill(shortAlpha, 4, 2, 8, 14);
  struct Case {
    const Image* colour;
    const Image* alpha;
    const char* what;
  };
  for (const Case& c : {Case{&rgb, &deepAlpha, "24-bit alpha"},
                        Case{&rgb, &narrowAlpha, "alpha one pixel narrower"},
                        Case{&grey, &shortAlpha, "alpha of another height"},
                        Case{&grey, &deepAlpha, "24-bit alpha for grey"}}) {
    SCOPED_TRACE(c.what);
    Texture texture;
    ASSERT_TRUE(texture.Create(grey, nullptr));
    const GLuint before = texture.handle - 1;
    EXPECT_FALSE(texture.Create(*c.colour, c.alpha));
    EXPECT_EQ(texture.handle, 0u);
    EXPECT_FALSE(glIsTexture(before)) << "the texture held before is deleted";
    EXPECT_EQ(BoundTexture(), 0) << "the texture made for the attempt is deleted too";
  }
}

TEST_F(TextureTest, ImagesOfNoUploadableDepthOrWithoutPixelsAreRefused) {
  Image odd, empty;
  Fill(odd, 2, 2, 12, 15);
  Texture texture;
  EXPECT_FALSE(texture.Create(odd, nullptr));
  EXPECT_EQ(texture.handle, 0u);
  EXPECT_FALSE(texture.Create(empty, nullptr));
  EXPECT_EQ(texture.handle, 0u);
}

TEST_F(TextureTest, PackedRowsUploadStraightWhateverTheUnpackAlignment) {
  // A 2-pixel grey row is 2 bytes: read with OpenGL's default alignment of 4 it would skew.
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  Image grey;
  Fill(grey, 2, 4, 8, 16);
  Image rgb;
  Fill(rgb, 2, 2, 24, 17);  // 6-byte rows
  Texture texture;
  ASSERT_TRUE(texture.Create(grey, nullptr));
  EXPECT_EQ(LevelZero(GL_LUMINANCE, grey.GetSize()), PixelsOf(grey));
  ASSERT_TRUE(texture.Create(rgb, nullptr));
  EXPECT_EQ(LevelZero(GL_RGB, rgb.GetSize()), PixelsOf(rgb));
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4) << "the caller's alignment is restored";
}

TEST_F(TextureTest, ReleaseDeletesOnceAndASecondReleaseTouchesNothing) {
  Image grey;
  Fill(grey, 2, 2, 8, 18);
  Texture texture;
  ASSERT_TRUE(texture.Create(grey, nullptr));
  const GLuint name = texture.handle - 1;
  texture.Release();
  EXPECT_EQ(texture.handle, 0u);
  EXPECT_FALSE(glIsTexture(name));

  // OpenGL may hand the same name out again; the emptied holder must not delete it.
  Texture other;
  ASSERT_TRUE(other.Create(grey, nullptr));
  texture.Release();
  EXPECT_TRUE(glIsTexture(other.handle - 1));
}

TEST_F(TextureTest, TheDestructorDeletesTheTextureWhileAContextIsCurrent) {
  Image grey;
  Fill(grey, 2, 2, 8, 20);
  GLuint name = 0;
  {
    Texture texture;
    ASSERT_TRUE(texture.Create(grey, nullptr));
    name = texture.handle - 1;
  }
  EXPECT_FALSE(glIsTexture(name));
}

bool FailingLoader(const char*, Image*) {
  return false;
}

TEST_F(TextureTest, LoadFromFileBuildsFromTheLoaderOrLeavesTheHolderAlone) {
  testbmp::ScratchDir scratch;
  const std::string path = scratch.File("picture.bmp");
  const testbmp::Picture picture = testbmp::RandomPicture(4, 2, 24, 21);
  ASSERT_TRUE(testbmp::WriteBytes(path, testbmp::EncodeBmp(picture)));

  Texture texture;
  ASSERT_TRUE(texture.LoadFromFile(path.c_str(), LoadBmp));
  EXPECT_EQ(LevelParameter(0, GL_TEXTURE_WIDTH), 4);
  EXPECT_EQ(LevelZero(GL_RGB, picture.pixels.size()), picture.pixels);

  const uint32_t held = texture.handle;
  EXPECT_FALSE(texture.LoadFromFile(path.c_str(), FailingLoader));
  EXPECT_FALSE(texture.LoadFromFile(scratch.File("absent.bmp").c_str(), LoadBmp));
  EXPECT_EQ(texture.handle, held);
  EXPECT_TRUE(glIsTexture(held - 1));
}

}  // namespace
