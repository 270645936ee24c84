// The scene at a reduced resolution: drawn into a corner of the letterboxed viewport that is the
// render scale times its size, copied into a texture and stretched back over the viewport with
// linear filtering, before the text overlay is drawn at full resolution. At scale 1 none of this
// happens and the scene is drawn straight into the viewport.
#pragma once

// Where the scene is drawn, in window pixels, from the bottom-left corner.
struct SceneRect {
  int x, y, width, height;
};

// The scene's rectangle for the letterboxed viewport (0, bottom, width, visibleHeight): the
// viewport itself at scale 1 or when nothing is visible; otherwise its bottom-left part,
// scale times its size rounded to whole pixels, at least one pixel and at most maxSize.
SceneRect ScaledSceneRect(int width, int bottom, int visibleHeight, double scale, int maxSize);

// How the copied scene is stretched over a viewport of this size: 1 for a linear stretch in
// one step; k > 1 for a linear stretch to a stage of 1/k the viewport's size, then enlarged k
// times with nearest zoom. k grows with the viewport, one for each 960 x 540 of its area (2 at
// 1080p, 4 at 4K), and stays small enough that the stage is larger than the scene.
int StretchStageDivisor(int viewportWidth, int viewportHeight, int sceneWidth, int sceneHeight);

// For the view set-up: the viewport to draw the scene into for this frame (or for this monitor's
// view, from x), remembered for the calls below.
SceneRect PlaceScene(int x, int width, int bottom, int visibleHeight);
// The scene's pixels per window pixel in this frame: 1, or below at a reduced scale.
float ScenePixelScale();
// In place of the frame's clear: at a reduced scale, the scene's rectangle is cleared, or in
// hyperspace the previous reduced frame is drawn back into it, so that trails persist.
void BeginScene();
// After the scene, before the overlay: at a reduced scale copies the scene into the texture and
// stretches it over the viewport.
void EndScene();
// Deletes the texture; at exit.
void ReleaseSceneTexture();
