// The simulation's keys: each changes one setting or scene global directly and, for most, posts
// a one-line message. The frame that follows sees the new value; nothing is queued.
#include "sim/controls.h"

#include <GL/freeglut.h>

#include <cstdlib>

#include "app/clock.h"
#include "app/shell.h"
#include "sim/drift.h"
#include "sim/lights.h"
#include "sim/particles.h"
#include "sim/random.h"
#include "sim/screenshot.h"
#include "sim/settings.h"
#include "text/text_overlay.h"

namespace {

// The up factor is 1.111111, not 10/9, so one step down and one step up multiply by 0.9999999:
// a setting drifts a little when stepped back and forth.
constexpr double kStepDown = 0.9;
constexpr double kStepUp = 1.111111;
constexpr double kCameraStep = 0.1;  // world units per press
constexpr int kFovStepDegrees = 2;
constexpr int kFovMinDegrees = 10;
constexpr int kFovMaxDegrees = 178;
constexpr int kTesselationMin = 4;
constexpr int kTesselationMax = 40;
constexpr int kLetterboxCounterMin = -5;  // the counter runs -5..6; |counter| is the letterbox
constexpr int kLetterboxCounterMax = 6;
constexpr int kWindowedSize = 512;  // pixels, each way, when leaving full screen
constexpr int kParticleLimits[] = {10, 20, 40, 80, 160, 320};  // keys 1..6
const char* const kParticleMessages[] = {"10 particles", "20 particles",  "40 particles",
                                         "80 particles", "160 particles", "320 particles"};
constexpr int kResetDriftChannels = 60;
constexpr int kResetLightCount = 0;  // this simulation uses no spotlights
constexpr float kResetAmbient = 0.5f;
constexpr float kResetSpecular = 0.9f;

constexpr unsigned char kEscape = 27;

int Toggled(int flag) {
  return flag == 0 ? 1 : 0;
}

// Works in double from the stored float and keeps the float; the message shows the double.
void ScaleSetting(float* value, double factor, const char* format) {
  const double scaled = *value * factor;
  *value = static_cast<float>(scaled);
  textOverlay.ShowMessage(format, scaled);
}

void MoveCamera(double step) {
  const double z = settings.cameraZ + step;
  settings.cameraZ = static_cast<float>(z);
  textOverlay.ShowMessage("CameraZ: %4.2f\n", z);
}

void ShowFov() {
  textOverlay.ShowMessage("FOV: %3.0f Degrees\n", static_cast<double>(settings.fov));
}

void StepTesselation(int step) {
  const int next = settings.tesselation + step;
  if (next >= kTesselationMin && next <= kTesselationMax) settings.tesselation = next;
  textOverlay.ShowMessage("Tesselation: %d\n", settings.tesselation);
}

// Ping-pong 0, 1, ... 6, 5, ... 0: the counter climbs from -5 to 6 and the letterbox is its
// absolute value, a cycle of 12 presses.
void StepLetterbox() {
  // A reset puts letterbox back to 0 but leaves the counter: start again from the letterbox.
  if (std::abs(letterboxCounter) != settings.letterbox) letterboxCounter = settings.letterbox;
  letterboxCounter =
      letterboxCounter >= kLetterboxCounterMax ? kLetterboxCounterMin : letterboxCounter + 1;
  settings.letterbox = std::abs(letterboxCounter);
  textOverlay.ShowMessage("Letterbox: %d", settings.letterbox);
}

void ToggleHelp() {
  helpOn = Toggled(helpOn);
  // Take the page off at once; in hyperspace it stays in the picture until clearing resumes.
  if (helpOn == 0 && settings.clearEachFrame != 0)
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ToggleFullScreen() {
  fullScreenOn = Toggled(fullScreenOn);
  if (fullScreenOn == 0) {
    ShellReshapeWindow(kWindowedSize, kWindowedSize);
  } else {
    ShellFullScreen();
  }
}

void NextOption() {
  settings.option = settings.option == 1 ? 0 : settings.option + 1;
  if (settings.option == 0) {
    textOverlay.ShowMessage("Option 0/1: Flames");
    glClearColor(0, 0, 0, 1);  // flames burn on black; the clouds' sky is set by the frame
  } else {
    textOverlay.ShowMessage("Option 1/1: Clouds");
  }
}

void NextPolyMode() {
  static const char* const kMessages[] = {"PolyMode 1/3: Polygons", "PolyMode 2/3: Lines",
                                          "PolyMode 3/3: Points"};
  settings.polyMode = settings.polyMode >= 2 ? 0 : settings.polyMode + 1;
  textOverlay.ShowMessage(kMessages[settings.polyMode < 0 ? 0 : settings.polyMode]);
}

void ToggleWithMessage(int* flag, const char* onText, const char* offText) {
  *flag = Toggled(*flag);
  textOverlay.ShowMessage(*flag != 0 ? onText : offText);
}

// Restores every setting; the particle limit, help, a fade under way, the letterbox counter and
// the full-screen state stay as they are.
void ResetAll() {
  SeedRandom(elapsedMs);
  ResetSettings();
  InitDrift(kResetDriftChannels);
  SetupLights(kResetLightCount, kResetAmbient, kResetSpecular);
  textOverlay.ShowMessage("Reset");
}

void StartExit() {
  // The whole second of the key press; exitRequested carries the fade when that second is 0.
  exitStartTime = static_cast<int>(timeNow);
  exitRequested = 1;
  settings.clearEachFrame = 1;
  helpOn = 0;
}

}  // namespace

void SimKeyboard(unsigned char key, int /*x*/, int /*y*/) {
  switch (key) {
    case kEscape:
      StartExit();
      break;
    case ' ':
      settings.clearEachFrame = Toggled(settings.clearEachFrame);
      break;
    case '(':
      ScaleSetting(&settings.lightRotateSpeed, kStepDown, "Light Rotate Speed: %4.2f\n");
      break;
    case ')':
      ScaleSetting(&settings.lightRotateSpeed, kStepUp, "Light Rotate Speed: %4.2f\n");
      break;
    case '+':
      ScaleSetting(&settings.movementSpeed, kStepUp, "Movement Speed: %4.2f\n");
      break;
    case '_':
      ScaleSetting(&settings.movementSpeed, kStepDown, "Movement Speed: %4.2f\n");
      break;
    case '=':
      ScaleSetting(&settings.rotateSpeed, kStepUp, "Rotate Speed: %4.2f\n");
      break;
    case '-':
      ScaleSetting(&settings.rotateSpeed, kStepDown, "Rotate Speed: %4.2f\n");
      break;
    case '[':
      ScaleSetting(&settings.objectSize, kStepDown, "Object Size: %4.2f\n");
      break;
    case ']':
      ScaleSetting(&settings.objectSize, kStepUp, "Object Size: %4.2f\n");
      break;
    case '{':
      MoveCamera(-kCameraStep);
      break;
    case '}':
      MoveCamera(kCameraStep);
      break;
    case ',':
      settings.fov =
          settings.fov >= kFovMaxDegrees ? kFovMaxDegrees : settings.fov + kFovStepDegrees;
      ShowFov();
      break;
    case '.':
      settings.fov =
          settings.fov <= kFovMinDegrees ? kFovMinDegrees : settings.fov - kFovStepDegrees;
      ShowFov();
      break;
    case '/':
    case '?':
      ToggleHelp();
      break;
    case '1':
    case '2':
    case '3':
    case '4':
    case '5':
    case '6':
      particleSystem.limit = kParticleLimits[key - '1'];
      textOverlay.ShowMessage(kParticleMessages[key - '1']);
      break;
    case '<':
      StepTesselation(-1);
      break;
    case '>':
      StepTesselation(+1);
      break;
    case 'C':
    case 'c':
      ToggleWithMessage(&settings.fpsClockOn, "Frame/Second Clock On", "Frame/Second Clock Off");
      break;
    case 'F':
    case 'f':
      ToggleFullScreen();
      break;
    case 'L':
    case 'l':
      StepLetterbox();
      break;
    case 'O':
    case 'o':
      NextOption();
      break;
    case 'P':
    case 'p':
      ToggleWithMessage(&paused, "Pause Action", "Continue Action");
      break;
    case 'R':
    case 'r':
      ResetAll();
      break;
    case 'S':
    case 's':
      ToggleWithMessage(&settings.spotLightsOn, "SpotLights On", "SpotLights Off");
      break;
    case 'T':
    case 't':
      ToggleWithMessage(&settings.texturesOn, "Textures On", "Textures Off");
      break;
    case 'U':
    case 'u':
      ToggleWithMessage(&settings.universeOn, "Universe On", "Universe Off");
      break;
    case 'W':
    case 'w':
      NextPolyMode();
      break;
    default:
      break;  // other keys do nothing
  }
}

void SimSpecial(int key, int /*x*/, int /*y*/) {
  switch (key) {
    case GLUT_KEY_LEFT:
      ScaleSetting(&settings.mainSpeed, kStepDown, "Main Speed: %4.2f\n");
      break;
    case GLUT_KEY_RIGHT:
      ScaleSetting(&settings.mainSpeed, kStepUp, "Main Speed: %4.2f\n");
      break;
    case GLUT_KEY_UP:
      ScaleSetting(&settings.arrowY, kStepUp, "ArrowY: %4.2f\n");
      break;
    case GLUT_KEY_DOWN:
      ScaleSetting(&settings.arrowY, kStepDown, "ArrowY: %4.2f\n");
      break;
    case GLUT_KEY_F12:
      RequestScreenshot();  // taken at the end of the next frame
      break;
    default:
      break;
  }
}

// Mouse buttons change nothing in this simulation; the callback only replaces the shell's.
void SimMouse(int /*button*/, int /*state*/, int /*x*/, int /*y*/) {}
