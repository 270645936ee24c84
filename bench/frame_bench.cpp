// Whole frames at 1024 x 768 on the GL renderer at hand (Mesa's software renderer under Xvfb),
// with 4x multisampling where the display offers it: the default scene's DrawFrame beside a
// frame that draws only the same particle quads, and an empty frame for scale. Each frame ends
// with a buffer swap and glFinish, so the renderer's work is inside the measured time.
// Needs an X display ($DISPLAY); without one these benchmarks skip.
#include <GL/freeglut.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>

#include "app/clock.h"
#include "app/hooks.h"
#include "app/shell.h"
#include "image/smoke_texture.h"
#include "sim/drift.h"
#include "sim/frame.h"
#include "sim/particles.h"
#include "sim/random.h"
#include "sim/scene.h"
#include "sim/settings.h"
#include "sim/star_field.h"

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kSamples = 4;
constexpr uint32_t kFrameMs = 16;   // simulated clock: a steady 60 frames a second
constexpr int kWarmUpFrames = 300;  // about 5 s: the flame reaches its steady size

int window = 0;
int samples = 0;

void NoDisplay() {}

// The benchmark window, made once; false without a display.
bool EnsureWindow() {
  if (window != 0) return true;
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] == '\0') return false;
  int argc = 1;
  char name[] = "quor_bench";
  char* argv[] = {name, nullptr};
  glutInit(&argc, argv);
  glutSetOption(GLUT_MULTISAMPLE, kSamples);
  glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH | GLUT_MULTISAMPLE);
  if (!glutGet(GLUT_DISPLAY_MODE_POSSIBLE)) {
    glutInitDisplayMode(GLUT_RGBA | GLUT_DOUBLE | GLUT_DEPTH);
  }
  glutInitWindowSize(kWidth, kHeight);
  glutInitWindowPosition(0, 0);
  window = glutCreateWindow("quor_bench");
  glutDisplayFunc(NoDisplay);
  for (int i = 0; i < 20; ++i) glutMainLoopEvent();
  glGetIntegerv(GL_SAMPLES, &samples);
  windowWidth = glutGet(GLUT_WINDOW_WIDTH);
  windowHeight = glutGet(GLUT_WINDOW_HEIGHT);
  return true;
}

// The start-up state of the scene without InitScene's window-system side (full screen, cursor,
// callbacks): fixed GL state, drift, stars and the smoke texture from the source tree's assets.
void PrepareScene() {
  SeedRandom(0);
  elapsedMs = 0;
  previousTime = 0.0;
  ResetSettings();
  glEnable(GL_COLOR_MATERIAL);
  glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
  glShadeModel(GL_SMOOTH);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glDisable(GL_DITHER);
  InitDrift(kDriftChannels);
  glEnable(GL_POINT_SMOOTH);
  if (starField.listId == StarField::kNoList) starField.Build(3300, 5.0f, 0.0f, 1);
  if (particleSystem.textureName == 0) {
    std::string assets = __FILE__;
    assets = assets.substr(0, assets.rfind('/')) + "/../assets";
    char previous[4096];
    if (getcwd(previous, sizeof previous) != nullptr && chdir(assets.c_str()) == 0) {
      LoadParticleTextures();
      if (chdir(previous) != 0) std::abort();
    }
  }
  for (Particle& p : particleSystem.particles) p.active = 0;
  particleSystem.limit = kDefaultParticleLimit;
}

void EndFrame() {
  glutSwapBuffers();
  glFinish();
}

void SceneFrame() {
  elapsedMs += kFrameMs;
  DrawFrame();
  EndFrame();
}

// The particles as they stand, with nothing else: view, clear, quads, swap.
void QuadsFrame() {
  SetupView();
  glTranslatef(0.0f, 0.0f, kSceneOffsetZ);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawParticles();
  EndFrame();
}

int LiveParticles() {
  int live = 0;
  for (const Particle& p : particleSystem.particles) live += p.active;
  return live;
}

void Report(benchmark::State& state) {
  state.counters["particles"] = LiveParticles();
  state.counters["samples"] = samples;
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_DrawFrameDefaultScene(benchmark::State& state) {
  if (!EnsureWindow()) {
    state.SkipWithError("no X display");
    return;
  }
  PrepareScene();
  for (int i = 0; i < kWarmUpFrames; ++i) SceneFrame();
  for (auto _ : state) SceneFrame();
  Report(state);
}

// The same particles, frozen at the scene's steady state, drawn with nothing else. What the
// scene adds over this is the cost of the program's own code.
void BM_ParticleQuadsOnly(benchmark::State& state) {
  if (!EnsureWindow()) {
    state.SkipWithError("no X display");
    return;
  }
  PrepareScene();
  for (int i = 0; i < kWarmUpFrames; ++i) SceneFrame();
  for (auto _ : state) QuadsFrame();
  Report(state);
}

// The two frames above taken in turns, so that a machine busy with other work slows both alike;
// the ratio of their mean times is the figure to read.
void BM_SceneOverQuadsInTurns(benchmark::State& state) {
  if (!EnsureWindow()) {
    state.SkipWithError("no X display");
    return;
  }
  PrepareScene();
  for (int i = 0; i < kWarmUpFrames; ++i) SceneFrame();
  double sceneSeconds = 0.0, quadSeconds = 0.0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    SceneFrame();
    auto middle = std::chrono::steady_clock::now();
    QuadsFrame();
    auto end = std::chrono::steady_clock::now();
    sceneSeconds += std::chrono::duration<double>(middle - start).count();
    quadSeconds += std::chrono::duration<double>(end - middle).count();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
  }
  const double frames = static_cast<double>(state.iterations());
  state.counters["scene_ms"] = sceneSeconds * 1000.0 / frames;
  state.counters["quads_ms"] = quadSeconds * 1000.0 / frames;
  state.counters["ratio"] = quadSeconds > 0.0 ? sceneSeconds / quadSeconds : 0.0;
  state.counters["particles"] = LiveParticles();
  state.counters["samples"] = samples;
}

void BM_EmptyFrame(benchmark::State& state) {
  if (!EnsureWindow()) {
    state.SkipWithError("no X display");
    return;
  }
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    EndFrame();
  }
  state.counters["samples"] = samples;
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_ParticleQuadsOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);
BENCHMARK(BM_DrawFrameDefaultScene)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(5.0);
BENCHMARK(BM_SceneOverQuadsInTurns)->Unit(benchmark::kMillisecond)->UseManualTime()->MinTime(10.0);

}  // namespace
