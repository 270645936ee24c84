// LoadParticleTextures: start-up loading of the particle texture into the list and its hand-over
// to the particle system. Kept apart from the loader itself so that the loader can be used without
// the simulation.
#include "image/smoke_texture.h"
#include "image/texture.h"
#include "sim/particles.h"
#include "sim/scene.h"

namespace {

constexpr const char* kSmokeTexturePath = "smoke128.bmp";
constexpr int kAlphaFromBrightness = -1;  // alpha = the mean of the three channels
constexpr int kUnusedThreshold = 0;

}  // namespace

void LoadParticleTextures() {
  // A full list loads nothing more: there is no room for the name and it would only leak.
  if (particleTextureCount >= 0 && particleTextureCount < kMaxParticleTextures) {
    // Appended even when it is 0 (no file): the particles then draw untextured.
    particleTextures[particleTextureCount++] =
        LoadSmokeTexture(kSmokeTexturePath, kAlphaFromBrightness, kUnusedThreshold);
  }
  particleSystem.textureName = particleTextures[0];
}
