// Start-up and shut-down of the program's textures against the real globals: the particle
// texture list filled by LoadParticleTextures from the data folders, and ReleaseTextures.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/hooks.h"
#include "image/image.h"
#include "image/smoke_texture.h"
#include "image/texture.h"
#include "sim/particles.h"
#include "sim/scene.h"
#include "tests/support/bmp_writer.h"
#include "tests/support/gl_context.h"
#include "text/text_overlay.h"

namespace {

class ImageStartup : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_FALSE(scratch.path().empty());
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
    previousDirectory = cwd;
    ASSERT_EQ(chdir(scratch.path().c_str()), 0);
    unsetenv("QUOR_DATA_DIR");  // the working directory alone, unless a test says otherwise
    particleTextureCount = 0;
    for (uint32_t& name : particleTextures) name = 0;
    particleSystem.textureName = 0;
    textOverlay.texture.handle = 0;
    while (glGetError() != GL_NO_ERROR) {
    }
  }

  void TearDown() override {
    if (IsSkipped()) return;
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    ReleaseTextures();
    particleTextureCount = 0;
    EXPECT_EQ(chdir(previousDirectory.c_str()), 0);
  }

  // Puts the shipped particle texture into the working directory.
  void ProvideSmoke() {
    const std::vector<uint8_t> smoke =
        testbmp::ReadBytes(std::string(QUOR_SOURCE_DIR) + "/assets/smoke128.bmp");
    ASSERT_EQ(smoke.size(), 54u + 128u * 128u * 3u);
    ASSERT_TRUE(testbmp::WriteBytes("smoke128.bmp", smoke));
  }

  testbmp::ScratchDir scratch;
  std::string previousDirectory;
};

TEST_F(ImageStartup, TheSmokeTextureIsAppendedAndHandedToTheParticles) {
  ProvideSmoke();
  LoadParticleTextures();
  ASSERT_EQ(particleTextureCount, 1);
  EXPECT_NE(particleTextures[0], 0u);
  EXPECT_TRUE(glIsTexture(particleTextures[0]));
  EXPECT_EQ(particleSystem.textureName, particleTextures[0]);
}

TEST_F(ImageStartup, TheSmokeTextureIsTakenFromQuorDataDirWhenTheWorkingDirectoryLacksIt) {
  ASSERT_EQ(setenv("QUOR_DATA_DIR", (std::string(QUOR_SOURCE_DIR) + "/assets").c_str(), 1), 0);
  LoadParticleTextures();
  unsetenv("QUOR_DATA_DIR");
  ASSERT_EQ(particleTextureCount, 1);
  EXPECT_TRUE(glIsTexture(particleTextures[0]));
  EXPECT_EQ(particleSystem.textureName, particleTextures[0]);
}

TEST_F(ImageStartup, AMissingSmokeFileAppendsNameZeroAndLeavesTheAlignmentAlone) {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  particleSystem.textureName = 99;
  LoadParticleTextures();
  EXPECT_EQ(particleTextureCount, 1);
  EXPECT_EQ(particleTextures[0], 0u);
  EXPECT_EQ(particleSystem.textureName, 0u);
  GLint alignment = 0;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
  EXPECT_EQ(alignment, 4);
}

TEST_F(ImageStartup, CallsBeyondTheTenthLoadNothingAndNeverWritePastTheList) {
  ProvideSmoke();
  for (int i = 0; i < kMaxParticleTextures; ++i) LoadParticleTextures();
  ASSERT_EQ(particleTextureCount, kMaxParticleTextures);
  const uint32_t first = particleTextures[0];
  GLint boundBefore = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundBefore);

  LoadParticleTextures();
  LoadParticleTextures();
  EXPECT_EQ(particleTextureCount, kMaxParticleTextures);
  EXPECT_EQ(particleSystem.textureName, first);
  GLint boundAfter = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundAfter);
  EXPECT_EQ(boundAfter, boundBefore) << "no texture was made for the extra calls";
}

TEST_F(ImageStartup, ReleaseTexturesDeletesTheFontAndEveryListedTexture) {
  ProvideSmoke();
  LoadParticleTextures();
  LoadParticleTextures();
  Image grey;
  ASSERT_TRUE(grey.Create(2, 2, 8));
  ASSERT_TRUE(textOverlay.texture.Create(grey, nullptr));
  const GLuint font = textOverlay.texture.handle - 1;
  const uint32_t smokeA = particleTextures[0], smokeB = particleTextures[1];
  ASSERT_TRUE(glIsTexture(smokeA) && glIsTexture(smokeB) && glIsTexture(font));

  ReleaseTextures();
  EXPECT_EQ(textOverlay.texture.handle, 0u);
  EXPECT_FALSE(glIsTexture(font));
  EXPECT_FALSE(glIsTexture(smokeA));
  EXPECT_FALSE(glIsTexture(smokeB));
  EXPECT_EQ(particleTextureCount, 2) << "the list itself is left as it was";
  EXPECT_EQ(particleTextures[0], smokeA);
  EXPECT_EQ(particleSystem.textureName, smokeA);
}

TEST_F(ImageStartup, ReleaseTexturesCopesWithAnEmptyListAndANameZero) {
  ReleaseTextures();       // nothing held at all
  LoadParticleTextures();  // no smoke file: the list holds one 0
  ReleaseTextures();
  ReleaseTextures();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
