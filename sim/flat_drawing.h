// Drawing straight onto the window's pixels, outside the scene: the reduced scene's stretch and
// the copies of pixels within the back buffer. One set-up and restore of the GL state for both.
#pragma once

#include <GL/gl.h>

// From here to EndFlatDrawing, the current viewport spans (0, 0) to (width, height) with no
// projection or model transform, and blending, lighting, depth, alpha test, texturing and fog
// are off. The enable bits, the current colour and the attribute groups in moreAttributes
// (GL_TEXTURE_BIT, ...) are saved for EndFlatDrawing to put back.
void BeginFlatDrawing(double width, double height, GLbitfield moreAttributes);
// Puts back the matrices and the attributes BeginFlatDrawing saved; the model-view matrix is
// the current one again.
void EndFlatDrawing();
