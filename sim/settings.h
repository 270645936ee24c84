// The user-adjustable settings and the scene globals that several modules share, with the reset
// that puts the settings back to their defaults.
#pragma once

class Settings {
 public:
  virtual ~Settings() {}

  // Zero until ResetSettings first runs (static storage); nothing reads them before that.
  int fov;             // vertical field of view, degrees, 10..178
  int letterbox;       // 0..6: each step hides 5 % of the height at top and bottom
  int tesselation;     // 4..40, shown only in its own message
  int universeOn;      // star field drawn
  int clearEachFrame;  // 0 is hyperspace: earlier frames stay on screen
  int spotLightsOn;    // lighting enabled around the particles
  int texturesOn;      // shown only in its own message
  int polyMode;        // 0 filled, 1 lines, 2 points
  int option;          // 0 flames, 1 clouds
  int fpsClockOn;      // frame/second line shown
  float rotateSpeed;   // factors, multiplied by 0.9 or 1.111111 per key press
  float movementSpeed;
  float cameraZ;  // eye position on the z axis, world units
  float objectSize;
  float mainSpeed;
  float arrowY;  // emission rate factor
  float lightRotateSpeed;
};

extern Settings settings;

// Scene globals, one value each for the whole process.
extern int paused;
extern int helpOn;
extern float fadeLevel;    // global intensity, 1 except during the exit fade
extern int exitStartTime;  // whole second at which the exit fade began; 0 means not exiting
extern int exitRequested;  // an Escape has started the fade (also one pressed in the first second)
extern int letterboxCounter;  // -5..6, |letterboxCounter| is the letterbox in the ping-pong cycle
extern int fullScreenOn;
extern int framesPerSecond;
extern double nextSecond;
extern int frameCount;
extern float timeNow;  // seconds since the clock's zero point
extern float frameDt;  // seconds since the previous frame, never above 0.1
extern double previousTime;
extern double worldAngleX, worldAngleY, worldAngleZ;  // degrees; set to 0 every frame

// Seeds the generator with elapsedMs, clears to black, restores every default of Settings and
// sets fadeLevel to 1 and paused to 0. Leaves everything else alone. Needs a GL context.
void ResetSettings();
