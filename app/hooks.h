// The hooks through which the generic shell drives a simulation. The first three answer true to
// go on; false makes the shell stop (see app/shell.cpp).
#pragma once

bool PreInit();    // before anything else: seeds the random generator
bool InitScene();  // once, with the window and its GL context in place
bool DrawFrame();  // once per display callback, before the buffers are swapped

// The bounds of a frame's work: the start of the display callback, and the end of its buffer
// swap. What lies between is what a frame costs, whatever a frame cap adds between frames.
void FrameWorkStarts();
void FrameWorkEnded();

// The frame cap or the CPU budget (Options::FrameCap, CpuBudget) has changed while running: the
// machine went on battery or back to mains.
void FrameLimitsChanged();

// Deletes the program's textures; the shell calls it on its way out.
void ReleaseTextures();
