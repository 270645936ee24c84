// Scene start-up: the PreInit and InitScene hooks, in the order the rest of the program relies
// on (defaults, callbacks, full screen, fixed GL state, drift, stars, textures, first message).
#include "sim/scene.h"

#include <GL/freeglut.h>

#include "app/clock.h"
#include "app/hooks.h"
#include "app/options.h"
#include "app/shell.h"
#include "image/bmp.h"
#include "image/data_files.h"
#include "image/image.h"
#include "image/smoke_texture.h"
#include "image/texture.h"
#include "sim/controls.h"
#include "sim/drift.h"
#include "sim/frame.h"
#include "sim/lights.h"
#include "sim/particles.h"
#include "sim/random.h"
#include "sim/render_scale.h"
#include "sim/scaled_scene.h"
#include "sim/settings.h"
#include "sim/star_field.h"
#include "text/text_overlay.h"

namespace {
Texture* fontTexture = nullptr;

constexpr int kStarCount = 3300;
constexpr float kStarOuter = 5.0f;  // world units
constexpr float kStarInner = 0.0f;
constexpr int kStarPlacementCube = 1;
constexpr int kLightCount = 0;
constexpr float kAmbientLevel = 0.5f;
constexpr float kSpecularLevel = 0.9f;
constexpr int kShininess = 30;

// The settings given on the command line, over the defaults that ResetSettings has just put in
// place; the reset key brings the defaults back.
void ApplyStartSettings(const StartSettings& given) {
  if (given.particleLimit) particleSystem.limit = *given.particleLimit;
  if (given.objectSize) settings.objectSize = *given.objectSize;
  if (given.mainSpeed) settings.mainSpeed = *given.mainSpeed;
  if (given.emission) settings.arrowY = *given.emission;
  if (given.rotateSpeed) settings.rotateSpeed = *given.rotateSpeed;
  if (given.movementSpeed) settings.movementSpeed = *given.movementSpeed;
  if (given.lightRotateSpeed) settings.lightRotateSpeed = *given.lightRotateSpeed;
  if (given.cameraZ) settings.cameraZ = *given.cameraZ;
  if (given.fov) settings.fov = *given.fov;
  // The letterbox key starts its cycle again from this value (sim/controls.cpp).
  if (given.letterbox) settings.letterbox = *given.letterbox;
  if (given.tessellation) settings.tesselation = *given.tessellation;
  if (given.polyMode) settings.polyMode = *given.polyMode;
  if (given.spotLights) settings.spotLightsOn = 1;
  if (given.texturesOff) settings.texturesOn = 0;
  if (given.hyperspace) settings.clearEachFrame = 0;
}
}  // namespace

Texture* FontTexture() {
  return fontTexture;
}

// elapsedMs is still 0 here, so every run starts from the same seed.
bool PreInit() {
  SeedRandom(elapsedMs);
  return true;
}

bool InitScene() {
  // A static local: built on the first call and destroyed first at exit.
  static Texture font;
  fontTexture = &font;

  ResetSettings();
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);

  ShellSetKeyboardFunc(SimKeyboard);
  ShellSetSpecialFunc(SimSpecial);
  glutMouseFunc(SimMouse);
  glutMotionFunc(nullptr);

  // The command line changes only the state at start-up; the keys and a reset work as always.
  if (options.windowed || options.Embedded()) {  // a saver's window has its size already
    fullScreenOn = 0;
  } else {
    ShellFullScreen();
  }
  if (options.clockOn) settings.fpsClockOn = 1;
  if (options.universeOn) settings.universeOn = 1;
  if (options.clouds) settings.option = 1;  // the frame paints the sky
  StartFrameTime(options.clockStartMs);
  ApplyStartSettings(options.startSettings);
  if (options.renderScaleAuto) {
    UseAutoRenderScale(options.targetFps, options.CpuBudget());
  } else {
    UseFixedRenderScale(options.renderScale);
  }
  SetupView();

  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_TRUE);
  glMateriali(GL_FRONT_AND_BACK, GL_SHININESS, kShininess);
  glShadeModel(GL_SMOOTH);
  // The particles set their own additive blend on their first frame and leave it in force.
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glAlphaFunc(GL_GREATER, 0.0f);
  glDisable(GL_DITHER);

  InitDrift(kDriftChannels);
  SetupLights(kLightCount, kAmbientLevel, kSpecularLevel);
  glEnable(GL_POINT_SMOOTH);
  starField.Build(kStarCount, kStarOuter, kStarInner, kStarPlacementCube);

  // Missing or broken images are reported and leave the scene untextured; start-up goes on.
  LoadParticleTextures();
  DataFile fontFile;
  if (FindDataFileOrCopy("font.bmp", &fontFile)) {
    Image image;
    const bool loaded =
        fontFile.InProgram()
            ? LoadBmpBytes(fontFile.bytes, fontFile.size, &image) && font.Create(image, nullptr)
            : font.LoadFromFile(fontFile.path, LoadBmp);
    if (!loaded) ReportUnreadableImage(fontFile.path);
  }
  textOverlay.texture.handle = font.handle;

  SetFrameCap(options.FrameCap());
  // In a screen saver's window the keys are the saver's and the pointer is not ours.
  if (!options.Embedded()) {
    textOverlay.ShowMessage("Press ? key for Help Screen");
    glutSetCursor(GLUT_CURSOR_NONE);
  }
  return true;
}
