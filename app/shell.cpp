// The shell's life cycle: the command line, start-up in order, the display and idle callbacks
// that drive the frames, the default input callbacks, and the way out.
#include "app/shell.h"

#include <GL/freeglut.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/clock.h"
#include "app/embed_window.h"
#include "app/frame_capture.h"
#include "app/frame_pacer.h"
#include "app/hooks.h"
#include "app/key_script.h"
#include "app/options.h"
#include "app/quit_signals.h"
#include "app/text_scale.h"

int shellFullScreen = 0;

namespace {
std::atomic<uint64_t> framesDrawn{0};  // read by the SIGUSR1 handler
KeyboardHandler keyboardHandler = ShellKeyboard;
SpecialHandler specialHandler = ShellSpecial;

// SIGUSR1 asks for one line with the number of frames drawn, so that a long run can be watched
// from outside. It is answered from the handler, with write alone (safe in a signal handler),
// so that a resting program answers too.
void ReportFrames(int) {
  static_assert(std::atomic<uint64_t>::is_always_lock_free, "read inside a signal handler");
  char line[48] = "quor: frame ";
  size_t length = std::strlen(line);
  char digits[24];
  size_t count = 0;
  uint64_t n = framesDrawn.load();
  do {
    digits[count++] = static_cast<char>('0' + n % 10);
    n /= 10;
  } while (n != 0);
  while (count > 0) line[length++] = digits[--count];
  line[length++] = '\n';
  const ssize_t written = write(STDERR_FILENO, line, length);
  (void)written;  // nothing more can be done about a closed stream here
}

void FinishCaptureAtExit() {
  FinishCapture();
}

// freeglut ends the process with status 0 once the window is closed: a held frame that cannot
// be saved ends it with 1 here instead, as on every other way out.
void ShellClose() {
  if (!FinishCapture()) std::exit(kExitCaptureFailed);
}

// A quit signal, or the target window of --root or --window-id destroyed.
bool EndRequested() {
  return QuitSignal() != 0 || !TargetWindowAlive();
}

// The loop calls nothing of ours while the window is hidden; this timer looks for an end then
// too, and while frames are drawn it costs one check in a tenth of a second.
constexpr unsigned int kWatchIntervalMs = 100;
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
  if (FrameDue()) glutPostRedisplay();
}

void ShellWindowStatus(int state) {
  // A run with a set number of frames always finishes, seen or not.
  const bool visible = state != GLUT_HIDDEN && state != GLUT_FULLY_COVERED;
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
  std::exit(saved ? 0 : kExitCaptureFailed);
}

void RunApp(int argc, char** argv) {
  switch (ParseOptions(argc, argv, &options, stdout, stderr)) {
    case ParseOutcome::kExitSuccess:
      std::exit(0);
    case ParseOutcome::kExitUsage:
      std::exit(kExitBadUsage);
    case ParseOutcome::kRun:
      break;
  }
  if (!options.capture.empty()) {
    if (!StartCapture(options.capture.c_str(), stderr)) std::exit(kExitCaptureFailed);
    // QuitApp and ShellClose save the held frame and set the status; any other exit still
    // saves it on the way out.
    std::atexit(FinishCaptureAtExit);
  }

  CatchQuitSignals();
  if (options.Embedded()) {
    const int status = OpenTargetWindow(options, stderr);
    if (status != 0) std::exit(status);
  }

  if (!PreInit()) {
    std::printf("App returned false on PreInit(), we shouldn't really continue.\n");
    std::exit(0);
  }
  InitWindow(&argc, argv);
  // Before InitScene, which posts the first message. The desktop's settings are read only when
  // the command line leaves the scale open, and its X resources only once the display is open.
  textScale = options.textScale != 0
                  ? options.textScale
                  : DesktopTextScale(DisplayResources(), std::getenv("GDK_SCALE"), stderr);
  if (TargetWindowOpen()) AdoptGlutWindow();

  glutReshapeFunc(ShellReshape);
  glutDisplayFunc(ShellDisplay);
  glutIdleFunc(ShellIdle);
  glutMotionFunc(ShellMotion);
  glutMouseFunc(ShellMouse);
  ShellSetKeyboardFunc(ShellKeyboard);
  ShellSetSpecialFunc(ShellSpecial);
  glutWindowStatusFunc(ShellWindowStatus);
  glutCloseFunc(ShellClose);
  std::signal(SIGUSR1, ReportFrames);

  StartClock();
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
  glutTimerFunc(kWatchIntervalMs, Watch, 0);
  glutMainLoop();
  QuitApp();
}
