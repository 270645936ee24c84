// LoadSmokeTexture on a real GL context: raw 128 x 128 x 24-bit pixels from byte 54, the two alpha
// rules, files cut short, a missing file, and the GL state the loader leaves behind.
#include "image/smoke_texture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "tests/support/bmp_writer.h"
#include "tests/support/gl_context.h"

namespace {

constexpr int kSide = 128;
constexpr size_t kHeaderBytes = 54;
constexpr size_t kPixelBytes = kSide * kSide * 3;

using Rgba = std::array<uint8_t, 4>;

// A raw smoke file: 54 header bytes that the loader skips unread, then rows of blue-green-red.
class SmokeFile {
 public:
  SmokeFile() : bytes(kHeaderBytes + kPixelBytes, 0) {
    // A header that contradicts the pixels (1 x 1, 8 bits) makes no difference.
    bytes[0] = 'B';
    bytes[1] = 'M';
    testbmp::PutLe32(bytes, testbmp::kWidthField, 1);
    testbmp::PutLe32(bytes, testbmp::kHeightField, 1);
    testbmp::PutLe16(bytes, testbmp::kBitsPerPixelField, 8);
  }
  void Set(int row, int column, uint8_t red, uint8_t green, uint8_t blue) {
    const size_t at = kHeaderBytes + (static_cast<size_t>(row) * kSide + column) * 3;
    bytes[at] = blue;
    bytes[at + 1] = green;
    bytes[at + 2] = red;
  }
  std::vector<uint8_t> bytes;
};

class SmokeTextureTest : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_FALSE(scratch.path().empty());
    while (glGetError() != GL_NO_ERROR) {
    }
  }
  void TearDown() override {
    if (IsSkipped()) return;
    for (GLuint name : made) glDeleteTextures(1, &name);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }

  // Loads the bytes and returns level 0 of the texture as RGBA, texture row 0 first.
  std::vector<uint8_t> Load(const std::vector<uint8_t>& bytes, int alphaValue, int threshold) {
    const std::string path = scratch.File("smoke" + std::to_string(made.size()) + ".bmp");
    EXPECT_TRUE(testbmp::WriteBytes(path, bytes));
    const GLuint name = LoadSmokeTexture(path.c_str(), alphaValue, threshold);
    EXPECT_NE(name, 0u);
    made.push_back(name);
    std::vector<uint8_t> rgba(kSide * kSide * 4, 0xCD);
    glBindTexture(GL_TEXTURE_2D, name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
  }

  static Rgba At(const std::vector<uint8_t>& rgba, int row, int column) {
    const size_t at = (static_cast<size_t>(row) * kSide + column) * 4;
    return {rgba[at], rgba[at + 1], rgba[at + 2], rgba[at + 3]};
  }

  testbmp::ScratchDir scratch;
  std::vector<GLuint> made;
};

TEST_F(SmokeTextureTest, BrightnessRuleGivesTheTruncatedMeanAsAlpha) {
  SmokeFile file;
  file.Set(0, 0, 255, 255, 255);
  file.Set(0, 1, 1, 1, 0);     // 2 / 3 truncates to 0
  file.Set(0, 2, 90, 60, 31);  // 181 / 3 = 60.33
  file.Set(5, 7, 10, 20, 30);  // first file row is texture row 0: no reordering
  const std::vector<uint8_t> rgba = Load(file.bytes, -1, 0);
  EXPECT_EQ(At(rgba, 0, 0), (Rgba{255, 255, 255, 255}));
  EXPECT_EQ(At(rgba, 0, 1), (Rgba{1, 1, 0, 0}));
  EXPECT_EQ(At(rgba, 0, 2), (Rgba{90, 60, 31, 60}));
  EXPECT_EQ(At(rgba, 5, 7), (Rgba{10, 20, 30, 20}));
  EXPECT_EQ(At(rgba, 127, 127), (Rgba{0, 0, 0, 0}));
}

TEST_F(SmokeTextureTest, ThresholdRuleGivesTheValueWhereAnyChannelReachesTheThreshold) {
  SmokeFile file;
  file.Set(0, 0, 127, 127, 127);
  file.Set(0, 1, 128, 0, 0);
  file.Set(0, 2, 0, 128, 0);
  file.Set(0, 3, 0, 0, 128);
  std::vector<uint8_t> rgba = Load(file.bytes, 200, 128);
  EXPECT_EQ(At(rgba, 0, 0), (Rgba{127, 127, 127, 0}));
  EXPECT_EQ(At(rgba, 0, 1), (Rgba{128, 0, 0, 200}));
  EXPECT_EQ(At(rgba, 0, 2), (Rgba{0, 128, 0, 200}));
  EXPECT_EQ(At(rgba, 0, 3), (Rgba{0, 0, 128, 200}));

  rgba = Load(file.bytes, 300, 128);  // only the low 8 bits of the value are stored
  EXPECT_EQ(At(rgba, 0, 1)[3], 44);
  EXPECT_EQ(At(rgba, 0, 0)[3], 0);
}

TEST_F(SmokeTextureTest, BytesPastTheEndOfAShortFileReadAsMinusOne) {
  SmokeFile file;
  file.Set(0, 0, 40, 50, 60);
  // One full row, then only the blue byte of the first pixel of row 1.
  std::vector<uint8_t> cut(file.bytes.begin(), file.bytes.begin() + kHeaderBytes + kSide * 3);
  cut.push_back(200);
  std::vector<uint8_t> rgba = Load(cut, -1, 0);
  EXPECT_EQ(At(rgba, 0, 0), (Rgba{40, 50, 60, 50}));
  EXPECT_EQ(At(rgba, 1, 0), (Rgba{255, 255, 200, 66})) << "(200 - 1 - 1) / 3";
  EXPECT_EQ(At(rgba, 1, 1), (Rgba{255, 255, 255, 255})) << "-3 / 3 = -1, stored as 255";
  EXPECT_EQ(At(rgba, 127, 127), (Rgba{255, 255, 255, 255}));

  rgba = Load(cut, 200, 0);  // a missing byte is below any threshold of 0 or more
  EXPECT_EQ(At(rgba, 1, 1), (Rgba{255, 255, 255, 0}));
  EXPECT_EQ(At(rgba, 0, 0)[3], 200);
}

TEST_F(SmokeTextureTest, LeavesTheTextureBoundWithItsFilterAlignmentAndEnvironment) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  Load(SmokeFile().bytes, -1, 0);
  GLint bound = 0, alignment = 0, minFilter = 0, envMode = 0, top = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 7, GL_TEXTURE_WIDTH, &top);
  EXPECT_EQ(static_cast<GLuint>(bound), made.back());
  EXPECT_EQ(alignment, 1);
  EXPECT_EQ(minFilter, GL_NEAREST_MIPMAP_NEAREST);
  EXPECT_EQ(envMode, GL_MODULATE);
  EXPECT_EQ(top, 1) << "the mipmap chain reaches 1 x 1 at level 7";
}

TEST_F(SmokeTextureTest, AMissingFileGivesNameZeroAndChangesNoGlState) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glBindTexture(GL_TEXTURE_2D, 0);
  EXPECT_EQ(LoadSmokeTexture(scratch.File("absent.bmp").c_str(), -1, 0), 0u);
  EXPECT_EQ(LoadSmokeTexture(nullptr, -1, 0), 0u);
  GLint bound = -1, alignment = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(bound, 0);
  EXPECT_EQ(alignment, 4);
}

}  // namespace

// The check behind the start-up report: the headers must describe what the loader reads, and the
// file must hold all of it. The shipped texture passes.
TEST(IsSmokeBmp, AcceptsTheShippedTextureAndATrueHeaderAndRejectsAnythingElse) {
  EXPECT_TRUE(IsSmokeBmp(QUOR_SOURCE_DIR "/assets/smoke128.bmp"));
  testbmp::ScratchDir scratch;
  const struct {
    const char* what;
    size_t field;
    uint32_t value;
    size_t size;
    bool usable;
  } cases[] = {
      {"good", testbmp::kWidthField, kSide, kHeaderBytes + kPixelBytes, true},
      {"one byte short", testbmp::kWidthField, kSide, kHeaderBytes + kPixelBytes - 1, false},
      {"32 bits", testbmp::kBitsPerPixelField, 32, kHeaderBytes + kPixelBytes, false},
      {"compressed", testbmp::kCompressionField, 1, kHeaderBytes + kPixelBytes, false},
      {"pixels at 138", testbmp::kPixelOffsetField, 138, kHeaderBytes + kPixelBytes, false},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> bytes(c.size, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    testbmp::PutLe32(bytes, testbmp::kPixelOffsetField, kHeaderBytes);
    testbmp::PutLe32(bytes, testbmp::kWidthField, kSide);
    testbmp::PutLe32(bytes, testbmp::kHeightField, static_cast<uint32_t>(-kSide));  // top-down
    testbmp::PutLe16(bytes, testbmp::kBitsPerPixelField, 24);
    testbmp::PutLe32(bytes, c.field, c.value);  // the bits per pixel are followed by zeros
    const std::string path = scratch.File(std::string(c.what) + ".bmp");
    ASSERT_TRUE(testbmp::WriteBytes(path, bytes));
    EXPECT_EQ(IsSmokeBmp(path.c_str()), c.usable) << c.what;
  }
}
