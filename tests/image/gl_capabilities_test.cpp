// What a context offers beyond OpenGL 1.1: edge clamping from GL_VERSION or either extension
// that brought it, read as whole words, and the mode chosen for the context the tests run on.
#include "image/gl_capabilities.h"

#include <gtest/gtest.h>

#include "tests/support/gl_context.h"

namespace {

struct EdgeClampCase {
  const char* version;
  const char* extensions;
  bool has;
};

class EdgeClamp : public ::testing::TestWithParam<EdgeClampCase> {};

TEST_P(EdgeClamp, FromTheVersionOrAWholeExtensionName) {
  const EdgeClampCase& c = GetParam();
  EXPECT_EQ(HasEdgeClamp(c.version, c.extensions), c.has) << c.version << " / " << c.extensions;
}

INSTANTIATE_TEST_SUITE_P(
    Contexts, EdgeClamp,
    ::testing::Values(
        // Windows' GDI renderer: 1.1 and three extensions, none of them edge clamping.
        EdgeClampCase{"1.1.0", "GL_WIN_swap_hint GL_EXT_bgra GL_EXT_paletted_texture", false},
        EdgeClampCase{"1.1 Mesa 22.3.6", "", false},
        EdgeClampCase{"1.1 Mesa 22.3.6", "GL_ARB_multitexture GL_EXT_texture_edge_clamp", true},
        EdgeClampCase{"1.1", "GL_SGIS_texture_edge_clamp GL_EXT_bgra", true},
        EdgeClampCase{"1.1", "GL_EXT_texture_edge_clamp_plus GL_XEXT_texture_edge_clamp", false},
        EdgeClampCase{"1.2", nullptr, true},
        EdgeClampCase{"4.5 (Compatibility Profile) Mesa 22.3.6", "", true},
        EdgeClampCase{"2.1", "", true}, EdgeClampCase{"0.9", "", false},
        EdgeClampCase{nullptr, nullptr, false}, EdgeClampCase{"garbage", "", false}));

class EdgeClampContext : public GlTest {};

// Mesa's software renderer is far beyond 1.2: the mode asked of it must be the real edge clamp,
// and the texture must accept it without an error.
TEST_F(EdgeClampContext, AModernContextClampsToTheEdge) {
  ASSERT_EQ(EdgeClampMode(), GL_CLAMP_TO_EDGE);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, EdgeClampMode());
  GLint wrap = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &wrap);
  EXPECT_EQ(wrap, GL_CLAMP_TO_EDGE);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  glDeleteTextures(1, &name);
}

}  // namespace
