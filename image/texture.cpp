// Texture: one OpenGL 2-D texture with a full mipmap chain, built from an Image and optionally an
// 8-bit image merged in as alpha; also the storage of the particle texture list.
#include "image/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include "platform/platform.h"

uint32_t particleTextures[kMaxParticleTextures] = {};
int particleTextureCount = 0;

namespace {

struct PixelFormat {
  GLint components;
  GLenum format;
};

// The upload format of each depth an Image can hold; false for any other depth.
bool FormatOfDepth(uint32_t bpp, PixelFormat* out) {
  switch (bpp) {
    case 8:
      *out = {1, GL_LUMINANCE};
      return true;
    case 16:
      *out = {2, GL_LUMINANCE_ALPHA};
      return true;
    case 24:
      *out = {3, GL_RGB};
      return true;
    case 32:
      *out = {4, GL_RGBA};
      return true;
    default:
      return false;
  }
}

bool IsAlphaFor(const Image& alpha, const Image& colour) {
  return alpha.GetBpp() == 8 && alpha.GetWidth() == colour.GetWidth() &&
         alpha.GetHeight() == colour.GetHeight();
}

// Interleaves the colour image's pixels with the alpha image's bytes into `merged`, which has one
// more byte per pixel than the colour image.
void MergeAlpha(const Image& colour, const Image& alpha, Image& merged) {
  const uint32_t colourBytes = colour.GetBpp() / 8;
  const uint64_t pixelCount = static_cast<uint64_t>(colour.GetWidth()) * colour.GetHeight();
  const uint8_t* source = colour.GetPixels();
  const uint8_t* alphaSource = alpha.GetPixels();
  uint8_t* target = merged.GetPixels();
  for (uint64_t i = 0; i < pixelCount; ++i) {
    for (uint32_t c = 0; c < colourBytes; ++c) *target++ = *source++;
    *target++ = *alphaSource++;
  }
}

// Builds every mipmap level from the image. Image rows are packed, so the upload reads them with
// an unpack alignment of 1, whatever alignment is in force; the caller's setting is restored.
void Upload(const Image& image, const PixelFormat& format) {
  GLint savedAlignment = 4;
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &savedAlignment);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // The result is not examined: once the upload is issued the texture counts as made.
  gluBuild2DMipmaps(GL_TEXTURE_2D, format.components, static_cast<GLint>(image.GetWidth()),
                    static_cast<GLint>(image.GetHeight()), format.format, GL_UNSIGNED_BYTE,
                    image.GetPixels());
  glPixelStorei(GL_UNPACK_ALIGNMENT, savedAlignment);
}

}  // namespace

Texture::~Texture() {
  // Static holders die from exit(), when the window and its context may be gone already; a GL
  // call then would go nowhere, or worse, so the name is simply forgotten.
  if (GlContextCurrent()) {
    Release();
  } else {
    handle = 0;
  }
}

bool Texture::Create(const Image& colour, const Image* alpha) {
  Release();
  PixelFormat format{};
  if (colour.GetPixels() == nullptr || !FormatOfDepth(colour.GetBpp(), &format)) return false;

  GLuint name = 0;
  glGenTextures(1, &name);
  handle = name + 1;
  glBindTexture(GL_TEXTURE_2D, name);  // stays bound on return
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_REPEAT));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_REPEAT));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
  glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  static_cast<GLfloat>(GL_LINEAR_MIPMAP_NEAREST));

  // An alpha image is merged into 8- and 24-bit colour; 32-bit colour brings its own alpha and
  // the alpha image is ignored.
  const bool mergeAlpha = alpha != nullptr && (colour.GetBpp() == 8 || colour.GetBpp() == 24);
  if (!mergeAlpha) {
    Upload(colour, format);
    return true;
  }

  Image merged;
  if (!IsAlphaFor(*alpha, colour) ||
      !merged.Create(colour.GetWidth(), colour.GetHeight(), colour.GetBpp() + 8)) {
    Release();
    return false;
  }
  MergeAlpha(colour, *alpha, merged);
  PixelFormat mergedFormat{};
  FormatOfDepth(merged.GetBpp(), &mergedFormat);
  Upload(merged, mergedFormat);
  return true;
}

bool Texture::LoadFromFile(const char* path, ImageLoader loader) {
  if (loader == nullptr) return false;
  Image image;
  if (!image.Load(path, loader)) return false;  // the texture held before stays
  return Create(image, nullptr);
}

void Texture::Bind() const {
  glBindTexture(GL_TEXTURE_2D, handle - 1);
}

void Texture::Release() {
  if (handle == 0) return;
  const GLuint name = handle - 1;
  glDeleteTextures(1, &name);
  handle = 0;
}
