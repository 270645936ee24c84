// LoadParticleTextures: start-up loading of the particle texture into the list and its hand-over
// to the particle system. Kept apart from the loader itself so that the loader can be used without
// the simulation.
#include "image/data_files.h"
#include "image/smoke_texture.h"
#include "image/texture.h"
#include "sim/particles.h"
#include "sim/scene.h"

namespace {

constexpr const char* kSmokeTextureName = "smoke128.bmp";
constexpr int kAlphaFromBrightness = -1;  // alpha = the mean of the three channels
constexpr int kUnusedThreshold = 0;

}  // namespace

void LoadParticleTextures() {
  // A full list loads nothing more: there is no room for the name and it would only leak.
  if (particleTextureCount >= 0 && particleTextureCount < kMaxParticleTextures) {
    // Appended even when it is 0 (no file): the particles then draw untextured.
    uint32_t name = 0;
    DataFile smoke;
    if (FindDataFileOrCopy(kSmokeTextureName, &smoke)) {
      // A short or foreign file is still read, as the loader always has (bytes past its end come
      // out as white, opaque texels), but it is reported like any image that cannot be used.
      const bool inProgram = smoke.InProgram();
      const bool usable =
          inProgram ? IsSmokeBmpBytes(smoke.bytes, smoke.size) : IsSmokeBmp(smoke.path);
      name = inProgram ? LoadSmokeTextureBytes(smoke.bytes, smoke.size, kAlphaFromBrightness,
                                               kUnusedThreshold)
                       : LoadSmokeTexture(smoke.path, kAlphaFromBrightness, kUnusedThreshold);
      if (!usable || name == 0) ReportUnreadableImage(smoke.path, "a 128 x 128, 24-bit BMP image");
    }
    particleTextures[particleTextureCount++] = name;
  }
  particleSystem.textureName = particleTextures[0];
}
