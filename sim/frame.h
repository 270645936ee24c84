// Frame composition: the per-frame hook and the view set-up, with the pieces of the frame that
// are plain arithmetic kept apart so they can be checked without a window.
#pragma once

#include <cstdint>

#include "app/monitor_layout.h"

// Seconds; a longer step is a stall. Compared as a float, like the step itself, so that a
// step of 0.1 s (stored as the float nearest 0.1) counts as 0.1 and is kept.
constexpr float kMaxFrameStep = 0.1f;
constexpr float kStallFrameStep = 0.05f;  // what a stall advances the scene by
constexpr double kFadeSeconds = 3.0;      // Escape fade-out
constexpr double kFadeEndLevel = 0.01;    // below it the process ends
constexpr double kLetterboxStep = 0.05;   // share of the height hidden per step, top and bottom
constexpr double kNearPlane = 0.01;
constexpr float kFarPlaneBase = 9.0f;   // plus cameraZ
constexpr float kSceneOffsetZ = -0.1f;  // the scene sits just in front of the eye

// timeNow, frameDt and previousTime from the clock.
void AdvanceFrameTime(uint32_t elapsedMs);
// With a frame cap of maxFps (0 for none), steps up to two frame intervals are real steps, not
// stalls, so that a low cap does not slow the motion down; without one, kMaxFrameStep holds.
void SetFrameCap(uint32_t maxFps);
// Moves every time kept in scene seconds (timeNow's clock) back by the given whole seconds.
void ShiftSceneTime(double seconds);
// Back to the first frame's state, for tests that run the clock more than once.
void ResetFrameTime();
// The clock's value before the first frame (--clock-start on the fixed clock): the scene goes on
// from there as if it had run all along, and the frame count waits for the next whole second.
void StartFrameTime(uint32_t startMs);
// frameCount, and once per whole second framesPerSecond and nextSecond.
void CountFrame();

struct LetterboxRows {
  int16_t bottom;  // first visible row from the bottom
  int16_t top;     // first hidden row at the top
  int visibleHeight;
};
LetterboxRows ComputeLetterbox(int letterbox, uint32_t windowHeight);
// Width over visible height; 1 where nothing is visible, so a window of height 0 never divides
// by zero.
double AspectRatio(int width, int visibleHeight);

// Recomputes fadeLevel while exiting; true when the fade is complete and the process must end.
bool UpdateFade();

// The view for a frame: the projection and the letterboxed viewport of the whole window, or of
// one view of it (a monitor's part).
void SetupView();
void SetupViewIn(const ViewRect& view);

// The frame's text over the finished scene: the message, the frame/second line and the help
// page, in window pixels at the text scale, whatever viewport and projection the scene used.
void DrawTextOverlay();
