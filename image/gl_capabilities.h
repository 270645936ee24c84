// What the current OpenGL context offers beyond OpenGL 1.1, for the few places that use more:
// Windows' own software renderer (GDI) is plain 1.1, without edge clamping, and its GL header
// knows no constant newer than 1.1.
#pragma once

#include <GL/gl.h>

// OpenGL 1.2's edge clamping, by the value the standard gives it, for headers that stop at 1.1.
#ifndef GL_CLAMP_TO_EDGE
#define GL_CLAMP_TO_EDGE 0x812F
#endif

// Whether a context with this GL_VERSION and GL_EXTENSIONS text clamps to the edge: version 1.2
// or later, or one of the two extensions that brought it to 1.1. nullptr counts as nothing.
bool HasEdgeClamp(const char* version, const char* extensions);

// The wrap mode that keeps a texture's own edge texels at its border: GL_CLAMP_TO_EDGE where the
// current context has it, else GL_CLAMP (which blends in the border colour at the very edge).
GLint EdgeClampMode();
