// Scene start-up: the static objects of the scene and the InitScene hook.
#pragma once

class Texture;

// The font texture, a static local of InitScene created on its first call; null before that.
Texture* FontTexture();

// Loads "smoke128.bmp", searched for like every data file (image/data_files.h), into the
// particle texture list and hands the first entry to the particle system.
void LoadParticleTextures();
