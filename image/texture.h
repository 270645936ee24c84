// One OpenGL 2-D texture with a full mipmap chain, built from an Image, optionally merged with
// an 8-bit image that supplies alpha; and the list of textures made for the particle system.
#pragma once

#include <cstdint>

#include "image/image.h"

class Texture {
 public:
  Texture() = default;
  ~Texture();

  bool Create(const Image& colour, const Image* alpha);
  bool LoadFromFile(const char* path, ImageLoader loader);
  void Bind() const;
  void Release();

  uint32_t handle = 0;  // the GL texture name plus one; 0 holds no texture
};

constexpr int kMaxParticleTextures = 10;
extern uint32_t particleTextures[kMaxParticleTextures];  // bare GL names, in load order
extern int particleTextureCount;
