// DrawFrame and SetupView: the fixed order of one frame, from the clock to the overlays.
#include "sim/frame.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>

#include "app/clock.h"
#include "app/frame_capture.h"
#include "app/hooks.h"
#include "app/monitor_layout.h"
#include "app/options.h"
#include "app/shell.h"
#include "platform/exit_status.h"
#include "platform/platform.h"
#include "sim/drift.h"
#include "sim/lights.h"
#include "sim/particles.h"
#include "sim/pixel_copy.h"
#include "sim/random.h"
#include "sim/render_scale.h"
#include "sim/scaled_scene.h"
#include "sim/screenshot.h"
#include "sim/settings.h"
#include "sim/star_field.h"
#include "text/help_screen.h"
#include "text/text_overlay.h"

namespace {
constexpr double kReseedChance = 0.0001;  // a frame reseeds the generator this rarely
constexpr int kSkyChannel = 11;           // the clouds' blue wanders with this drift channel
constexpr int kStarTurnChannelY = 1;
constexpr int kStarTurnChannelX = 2;
constexpr double kStarTurnFrequency = 0.01;
constexpr double kStarTurnAmplitude = 720.0;  // degrees, from -360 to 360
constexpr double kStarTurnOffset = -360.0;

// The spotlights of this simulation: none, but the call keeps the frame's order for others.
constexpr int kLightCount = 0;
constexpr float kLightAmbient = 0.125f, kLightDiffuse = 0.25f, kLightSpecular = 0.9f;
constexpr float kLightDistance = 9.8f;

// The scene's seconds are floats. Counted from the start they would lose precision as a run
// goes on (at 49.7 days a float second has steps of a quarter second), so once they reach
// 2^14 s (4.6 hours) every stored time is moved back by whole seconds, keeping 8192 s: the
// float steps then stay below a millisecond for ever, and the first hours are unchanged.
constexpr uint64_t kEpochShiftAtMs = 16384 * 1000;
constexpr uint64_t kEpochKeepSeconds = 8192;

uint32_t previousMs = 0;  // the millisecond count at the previous frame
uint64_t sceneMs = 0;     // milliseconds since the zero point, without the 32-bit wrap
uint64_t epochMs = 0;     // where timeNow counts from

float longestStep = kMaxFrameStep;  // seconds; a longer step is a stall
}  // namespace

void SetFrameCap(uint32_t maxFps) {
  longestStep = maxFps == 0 ? kMaxFrameStep : std::max(kMaxFrameStep, 2.0f / maxFps);
}

void AdvanceFrameTime(uint32_t ms) {
  // The step is the exact difference of the millisecond counts: two frames in the same
  // millisecond advance nothing, and unsigned subtraction carries the step across the wrap of
  // the 32-bit count after 49.7 days.
  const uint32_t stepMs = ms - previousMs;
  previousMs = ms;
  sceneMs += stepMs;
  if (sceneMs - epochMs >= kEpochShiftAtMs) {
    const uint64_t shiftSeconds = (sceneMs - epochMs) / 1000 - kEpochKeepSeconds;
    epochMs += shiftSeconds * 1000;
    ShiftSceneTime(static_cast<double>(shiftSeconds));
  }
  timeNow = static_cast<float>((sceneMs - epochMs) * 0.001);
  frameDt = static_cast<float>(stepMs * 0.001);
  // A stall advances the scene by a small fixed step instead of making it jump.
  if (frameDt > longestStep) frameDt = kStallFrameStep;
  previousTime = timeNow;
}

void ShiftSceneTime(double seconds) {
  particleSystem.ShiftTimes(seconds);
  nextSecond -= seconds;
  if (exitRequested) exitStartTime -= static_cast<int>(seconds);
  previousTime -= seconds;
}

void ResetFrameTime() {
  previousMs = 0;
  sceneMs = 0;
  epochMs = 0;
}

void StartFrameTime(uint32_t startMs) {
  ResetFrameTime();
  previousMs = startMs;
  sceneMs = startMs;
  previousTime = startMs * 0.001;
  nextSecond = startMs / 1000 + 1.0;
}

void CountFrame() {
  frameCount += 1;
  if (timeNow >= nextSecond) {
    nextSecond += 1.0;  // at most one second per frame: after a stall the count catches up
    framesPerSecond = frameCount;
    frameCount = 0;
  }
}

LetterboxRows ComputeLetterbox(int letterbox, uint32_t height) {
  const double f = letterbox * kLetterboxStep;
  LetterboxRows rows;
  rows.bottom = static_cast<int16_t>(f * height);
  rows.top = static_cast<int16_t>((1.0 - f) * height);
  rows.visibleHeight = rows.top - rows.bottom;
  return rows;
}

double AspectRatio(int width, int visibleHeight) {
  if (visibleHeight <= 0) return 1.0;
  return static_cast<double>(width) / visibleHeight;
}

bool UpdateFade() {
  if (!exitRequested) return false;
  fadeLevel = static_cast<float>(1.0 - (timeNow - exitStartTime) / kFadeSeconds);
  return fadeLevel < kFadeEndLevel;
}

void SetupView() {
  SetupViewIn(ViewRect{0, 0, windowWidth, windowHeight});
}

void SetupViewIn(const ViewRect& view) {
  switch (settings.polyMode) {
    case 0:
      glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
      break;
    case 1:
      glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
      break;
    case 2:
      glPolygonMode(GL_FRONT_AND_BACK, GL_POINT);
      break;
    default:
      break;
  }
  const LetterboxRows rows = ComputeLetterbox(settings.letterbox, view.height);
  const SceneRect scene = PlaceScene(view.x, view.width, view.y + rows.bottom, rows.visibleHeight);
  glViewport(scene.x, scene.y, scene.width, scene.height);

  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(settings.fov, AspectRatio(view.width, rows.visibleHeight), kNearPlane,
                 kFarPlaneBase + settings.cameraZ);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  gluLookAt(0.0, 0.0, settings.cameraZ, 0.0, 0.0, settings.cameraZ - 1.0, 0.0, 1.0, 0.0);
}

void DrawTextOverlay() {
  if (textOverlay.messageExpiry != 0.0) textOverlay.DrawMessage();
  if (settings.fpsClockOn) textOverlay.DrawFps(framesPerSecond, ShownRenderScale());
  if (helpOn) DrawHelpScreen();
}

namespace {
// The star field, turned by its two drift channels.
void DrawStars(float pixelScale) {
  glPushMatrix();
  glRotatef(static_cast<float>(DriftValue(kStarTurnChannelY, kStarTurnFrequency, kStarTurnAmplitude,
                                          kStarTurnOffset)),
            0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(DriftValue(kStarTurnChannelX, kStarTurnFrequency, kStarTurnAmplitude,
                                          kStarTurnOffset)),
            1.0f, 0.0f, 0.0f);
  starField.Draw(pixelScale);
  glPopMatrix();
}
}  // namespace

namespace {
// One whole scene in a view of the window, the simulation already stepped for this frame.
void DrawSceneIn(const ViewRect& view) {
  SetupViewIn(view);

  worldAngleX = worldAngleY = worldAngleZ = 0.0;
  glTranslatef(0.0f, 0.0f, kSceneOffsetZ);
  glRotatef(static_cast<float>(worldAngleX), 1.0f, 0.0f, 0.0f);
  glRotatef(static_cast<float>(worldAngleY), 0.0f, 1.0f, 0.0f);
  glRotatef(static_cast<float>(worldAngleZ), 0.0f, 0.0f, 1.0f);

  BeginScene();  // the clear, or what stands in for it at a reduced scale

  // Stars and particles both add to the picture, so their order does not change it. At a
  // reduced scale the stars are therefore drawn after the stretch, at full size, where a star
  // keeps its single crisp pixel instead of swelling into a blurred block. In hyperspace they stay
  // in the reduced scene, whose copy carries their trails from frame to frame.
  const bool starsAfterStretch = ScenePixelScale() < 1.0f && settings.clearEachFrame;
  if (settings.universeOn && !starsAfterStretch) DrawStars(ScenePixelScale());

  if (settings.spotLightsOn) glEnable(GL_LIGHTING);
  DrawParticles();
  if (settings.spotLightsOn) glDisable(GL_LIGHTING);
  EndScene();  // the overlays below are drawn at full resolution
  if (settings.universeOn && starsAfterStretch) DrawStars(1.0f);
}

// A view's finished pixels into another view of the same size: a monitor like one already drawn
// costs one copy instead of a scene.
void CopyView(const ViewRect& from, const ViewRect& to) {
  glPushAttrib(GL_VIEWPORT_BIT);
  glViewport(0, 0, windowWidth, windowHeight);
  CopyPixelsInViewport(from.x, from.y, from.width, from.height, static_cast<float>(to.x),
                       static_cast<float>(to.y), 1.0f, 1.0f, windowWidth, windowHeight);
  glPopAttrib();
}

// What lies on no monitor is cleared black, whatever the sky: every frame where frames are
// cleared, and in hyperspace for the first frames of a layout (each buffer of the swap chain).
constexpr int kBlackFramesAfterChange = 3;
unsigned seenLayout = 0;
int blackFramesDue = 0;

void ClearOffMonitor(const MonitorLayout& layout) {
  if (layout.serial != seenLayout) {
    seenLayout = layout.serial;
    blackFramesDue = kBlackFramesAfterChange;
  }
  if (!layout.offMonitor) return;
  if (!settings.clearEachFrame && blackFramesDue <= 0) return;
  if (blackFramesDue > 0) --blackFramesDue;
  GLfloat sky[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, sky);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(sky[0], sky[1], sky[2], sky[3]);
}

// A whole scene on each monitor, each view held to its own pixels; a view the size of one
// drawn before it is copied from that one.
void DrawScenesOnMonitors(const MonitorLayout& layout) {
  ClearOffMonitor(layout);
  glEnable(GL_SCISSOR_TEST);
  for (int i = 0; i < layout.count; ++i) {
    const ViewRect& view = layout.views[i];
    glScissor(view.x, view.y, view.width, view.height);
    if (layout.copyOf[i] >= 0)
      CopyView(layout.views[layout.copyOf[i]], view);
    else
      DrawSceneIn(view);
  }
  glDisable(GL_SCISSOR_TEST);
}
}  // namespace

bool DrawFrame() {
  if (frand(1.0) < kReseedChance) SeedRandom(elapsedMs);

  if (settings.option == 1) {
    const double blue = DriftValue(kSkyChannel, 3.0, 0.5, 0.2);
    glClearColor(0.0f, 0.0f, static_cast<float>(blue), 1.0f);
  }

  AdvanceFrameTime(elapsedMs);

  if (!paused) {
    StepDrift(kDriftChannels, frameDt, settings);
    PlaceSpotLights(kLightCount, kLightAmbient, kLightDiffuse, kLightSpecular, fadeLevel,
                    kLightDistance);
  }

  CountFrame();
  AdvanceParticles();  // once a frame, however many monitors show it

  const MonitorLayout& layout = CurrentMonitorLayout();
  if (layout.Split())
    DrawScenesOnMonitors(layout);
  else
    DrawSceneIn(ViewRect{0, 0, windowWidth, windowHeight});

  DrawTextOverlay();

  if (UpdateFade()) {
    // The frame is left unfinished: no swap follows. As in QuitApp, a held capture is saved
    // first, and a failure to save it decides the exit status.
    const bool saved = FinishCapture();
    ReleaseTextures();
    EndProgram(saved ? kExitSuccess : kExitFailure);
  }

  textOverlay.CheckGlError();
  TakePendingScreenshot();
  return true;
}
