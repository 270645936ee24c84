// The scene globals and the reset of the settings to their defaults.
#include "sim/settings.h"

#include <GL/gl.h>

#include "app/clock.h"
#include "sim/random.h"

int paused = 0;
int helpOn = 0;
float fadeLevel = 1.0f;
int exitStartTime = 0;
int exitRequested = 0;
int letterboxCounter = 0;
int fullScreenOn = 1;      // InitScene switches to full screen
int framesPerSecond = 30;  // shown until the first whole second has been counted
double nextSecond = 1.0;
int frameCount = 0;
float timeNow = 0.0f;
float frameDt = 0.0f;
double previousTime = 0.0;
double worldAngleX = 0.0, worldAngleY = 0.0, worldAngleZ = 0.0;

void ResetSettings() {
  SeedRandom(elapsedMs);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  settings.rotateSpeed = 1.0f;
  settings.movementSpeed = 1.0f;
  settings.mainSpeed = 1.0f;
  settings.arrowY = 1.0f;
  settings.fov = 120;
  settings.cameraZ = 0.0f;
  settings.objectSize = 1.0f;
  settings.lightRotateSpeed = 1.0f;
  settings.tesselation = 30;
  settings.clearEachFrame = 1;
  settings.fpsClockOn = 0;
  settings.option = 0;
  settings.letterbox = 0;
  settings.spotLightsOn = 0;
  settings.texturesOn = 1;
  settings.polyMode = 0;
  settings.universeOn = 0;
  fadeLevel = 1.0f;
  paused = 0;
}
