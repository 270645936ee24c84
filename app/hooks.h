// The three hooks through which the generic shell drives a simulation. Each answers true to go
// on; false makes the shell stop (see app/shell.cpp).
#pragma once

bool PreInit();    // before anything else: seeds the random generator
bool InitScene();  // once, with the window and its GL context in place
bool DrawFrame();  // once per display callback, before the buffers are swapped

// Deletes the program's textures; the shell calls it on its way out.
void ReleaseTextures();
