// ReleaseTextures: the program's last word to OpenGL about its textures, called just before it
// exits: the font texture through the text overlay, then the particle texture list in one call,
// then the reduced scene's texture.
#include <GL/gl.h>

#include "app/hooks.h"
#include "image/texture.h"
#include "sim/scaled_scene.h"
#include "text/text_overlay.h"

void ReleaseTextures() {
  textOverlay.texture.Release();
  // The list and its count stay as they are; the count is clamped only as a guard.
  int count = particleTextureCount;
  if (count > kMaxParticleTextures) count = kMaxParticleTextures;
  if (count > 0) glDeleteTextures(count, particleTextures);
  ReleaseSceneTexture();
}
