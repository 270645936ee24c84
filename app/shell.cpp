// The shell's life cycle: the command line, start-up in order, the display and idle callbacks
// that drive the frames, the default input callbacks, and the way out.
#include "app/shell.h"

#include <GL/freeglut.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/clock.h"
#include "app/frame_capture.h"
#include "app/frame_pacer.h"
#include "app/hooks.h"
#include "app/key_script.h"
#include "app/options.h"
#include "app/text_scale.h"
#include "platform/exit_status.h"
#include "platform/platform.h"

int shellFullScreen = 0;

namespace {
std::atomic<uint64_t> framesDrawn{0};  // read by the frame report (ReportFramesOnRequest)
// As freeglut sees the window: it calls the display callback only while the window is visible,
// and tells of every change through the window status callback.
bool windowVisible = true;
KeyboardHandler keyboardHandler = ShellKeyboard;
SpecialHandler specialHandler = ShellSpecial;

void FinishCaptureAtExit() {
  FinishCapture();
}

// freeglut ends the process with status 0 once the window is closed: a held frame that cannot
// be saved ends it with 1 here instead, as on every other way out.
void ShellClose() {
  if (!FinishCapture()) EndProgram(kExitFailure);
}

// A quit signal, or the target window of --root or --window-id destroyed.
bool EndRequested() {
  return QuitRequested() || !TargetWindowAlive();
}

// The loop calls nothing of ours while the window is hidden; this timer looks for an end then
// too, and while frames are drawn it costs one check in a tenth of a second.
constexpr unsigned int kWatchIntervalMs = 100;
constexpr int64_t kDisplayOffWaitUs = kMonotonicTicksPerSecond;  // a check a second at most

// A screen saver on battery rests more; the power source is looked at once a minute.
constexpr unsigned int kPowerCheckIntervalMs = 60 * 1000;
void CheckPowerSource(int) {
  const bool onBattery = OnBatteryPower();
  if (onBattery != options.onBattery) {
    options.onBattery = onBattery;
    FrameLimitsChanged();
  }
  glutTimerFunc(kPowerCheckIntervalMs, CheckPowerSource, 0);
}
void Watch(int) {
  if (EndRequested()) QuitApp();
  glutTimerFunc(kWatchIntervalMs, Watch, 0);
}
}  // namespace

void ShellDisplay() {
  if (EndRequested()) QuitApp();  // a vanished target must not be drawn in
  FrameWorkStarts();
  const uint64_t frame = framesDrawn + 1;
  // Scripted keys come between frames, like real ones, and see the last frame's clock.
  PressScriptKeys(frame);
  ShellWindowWork();
  UpdateClock();
  if (!DrawFrame()) QuitApp();
  CaptureFrame(frame);  // the finished back buffer, just before it is shown
  glutSwapBuffers();
  FrameWorkEnded();
  framesDrawn = frame;
  if (options.frames != 0 && framesDrawn >= options.frames) QuitApp();
}

// Without a frame cap the next frame is asked for as soon as the loop is idle; with one, when
// it is due. Either way the simulation advances by the measured time step.
void ShellIdle() {
  if (EndRequested()) QuitApp();
  if (DisplayOff() && options.frames == 0) {
    // Nobody sees the frames: none is drawn until the display is on again, which the system's
    // notice, like any input, wakes the wait for.
    WaitForEvents(kDisplayOffWaitUs);
    return;
  }
  if (!FrameDue()) return;
  // A run with a set number of frames always finishes, seen or not: freeglut draws nothing in a
  // window it takes for unseen (iconified, covered, or placed wholly off the screen, as
  // -geometry 1x1 does without a window manager), so those frames are drawn from here.
  if (windowVisible)
    glutPostRedisplay();
  else
    ShellDisplay();
}

void ShellWindowStatus(int state) {
  const bool visible = state != GLUT_HIDDEN && state != GLUT_FULLY_COVERED;
  windowVisible = visible;
  if (visible || options.frames != 0) {
    glutIdleFunc(ShellIdle);
    glutPostRedisplay();
  } else {
    // With no idle callback freeglut sleeps until the next event. The hidden time then reaches
    // the simulation as one long step, which it treats as a stall.
    glutIdleFunc(nullptr);
  }
}

void ShellMotion(int, int) {}
void ShellMouse(int, int, int, int) {}
void ShellSpecial(int, int, int) {}

void ShellKeyboard(unsigned char key, int, int) {
  constexpr unsigned char kEscape = 27;
  if (key == kEscape) QuitApp();
  if (key == 'F' || key == 'f') {
    shellFullScreen = !shellFullScreen;
    if (shellFullScreen)
      ShellFullScreen();
    else
      ShellReshapeWindow(kInitialWindowWidth, kInitialWindowHeight);
  }
}

void ShellSetKeyboardFunc(KeyboardHandler handler) {
  keyboardHandler = handler;
  glutKeyboardFunc(handler);
}

void ShellSetSpecialFunc(SpecialHandler handler) {
  specialHandler = handler;
  glutSpecialFunc(handler);
}

void ShellPressKey(unsigned char key) {
  if (keyboardHandler != nullptr) keyboardHandler(key, 0, 0);
}

void ShellPressSpecial(int key) {
  if (specialHandler != nullptr) specialHandler(key, 0, 0);
}

void QuitApp() {
  const bool saved = FinishCapture();
  ReleaseTextures();
  EndProgram(saved ? kExitSuccess : kExitFailure);
}

void RunApp(int argc, char** argv) {
  // First of all, so that a quit signal at any moment ends the program in order, with 0, and a
  // request for the frame count is answered instead of ending it.
  CatchQuitRequests();
  ReportFramesOnRequest(&framesDrawn);
  switch (ParseOptions(argc, argv, &options, stdout, stderr)) {
    case ParseOutcome::kAnswered:
      EndProgram(kExitSuccess);
    case ParseOutcome::kBadUsage:
      EndProgram(kExitBadUsage);
    case ParseOutcome::kRun:
      break;
  }
  // A quit signal while the options were read: nothing has been started that needs undoing.
  // One from here on is seen by the main loop, on its first pass.
  if (QuitRequested()) EndProgram(kExitSuccess);
  if (!options.capture.empty()) {
    if (!StartCapture(options.capture.c_str(), stderr)) EndProgram(kExitFailure);
    // QuitApp and ShellClose save the held frame and set the status; any other exit still
    // saves it on the way out.
    std::atexit(FinishCaptureAtExit);
  }

  if (options.Embedded()) {
    const int status = OpenTargetWindow(options.windowId, options.display.c_str(), stderr);
    if (status != kExitSuccess) EndProgram(status);
  }

  if (!PreInit()) {
    std::printf("App returned false on PreInit(), we shouldn't really continue.\n");
    std::exit(0);
  }
  InitWindow(&argc, argv);
  // Before InitScene, which posts the first message. The desktop's settings are read only when
  // the command line leaves the scale open, and its X resources only once the display is open.
  textScale = options.textScale != 0 ? options.textScale
                                     : DesktopTextScale(std::getenv("GDK_SCALE"), stderr);
  AdoptCurrentWindow();

  glutReshapeFunc(ShellReshape);
  glutDisplayFunc(ShellDisplay);
  glutIdleFunc(ShellIdle);
  glutMotionFunc(ShellMotion);
  glutMouseFunc(ShellMouse);
  ShellSetKeyboardFunc(ShellKeyboard);
  ShellSetSpecialFunc(ShellSpecial);
  glutWindowStatusFunc(ShellWindowStatus);
  glutCloseFunc(ShellClose);

  StartClock();
  // Before InitScene, which sets the frame cap and the render scale's budget from it.
  if (options.Embedded() && !options.fullSpeedOnBattery) options.onBattery = OnBatteryPower();
  if (!InitScene()) {
    std::printf("App failed to initialize.\n");
    std::exit(0);
  }
  if (TargetWindowOpen()) {
    // The screen saver has the keyboard: real keys do nothing (a --keys script still works).
    glutKeyboardFunc(nullptr);
    glutSpecialFunc(nullptr);
  }
  if (options.fixedClock) UseFixedClock(options.stepMs, options.clockStartMs);
  StartFramePacing(options.FrameCap());
  if (options.Embedded() && !options.fullSpeedOnBattery)
    glutTimerFunc(kPowerCheckIntervalMs, CheckPowerSource, 0);
  glutTimerFunc(kWatchIntervalMs, Watch, 0);
  glutMainLoop();
  QuitApp();
}
