// Copies of the back buffer's pixels within itself (glCopyPixels), with the GL state that lets
// nothing but the copy touch them; the enlarging copy of the reduced scene and the copy of one
// monitor's scene onto another of its size both go through it.
#pragma once

// Copies the width x height pixels at (fromX, fromY) of the window so that their lower-left
// corner lands at (toX, toY), zoomed by zoomX and zoomY; to is in pixels of the current
// viewport, whose size is viewportWidth x viewportHeight. Blending, lighting, depth, alpha,
// texturing and fog are off for the copy; every state it changes is put back, the matrices and
// the raster position's validity aside (the raster position is left where the copy put it).
void CopyPixelsInViewport(int fromX, int fromY, int width, int height, float toX, float toY,
                          float zoomX, float zoomY, int viewportWidth, int viewportHeight);
