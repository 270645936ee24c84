// One particle step without drawing (emitter draws, emission attempt, update) over a full pool,
// at the default limit of 320 and at the pool's 1000: the cost the frame pays whatever it draws.
#include <benchmark/benchmark.h>

#include "sim/particles.h"
#include "sim/random.h"
#include "sim/settings.h"

namespace {

constexpr float kFrameSeconds = 0.016f;
constexpr float kFarFuture = 1e6f;  // seconds: nobody retires during the run

// Every slot below the limit live, so each emission attempt scans the whole pool and finds no
// room, and every update moves `limit` particles: the worst steady case.
void FillPool(int limit) {
  SeedRandom(1);
  ResetSettings();
  particleSystem.limit = limit;
  for (int i = 0; i < kParticleSlots; ++i) particleSystem.particles[i].active = 0;
  for (int i = 0; i < limit; ++i) particleSystem.Emit(0, 0.0f, -0.13f, 0.0f, 0.0f, 1.0f);
  for (int i = 0; i < limit; ++i) particleSystem.particles[i].deathTime = kFarFuture;
  settings.arrowY = 1000.0f;  // an emission is attempted every step
  paused = 0;
  timeNow = 1.0f;
  frameDt = kFrameSeconds;
}

void BM_ParticleStep(benchmark::State& state) {
  FillPool(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    timeNow += kFrameSeconds;
    AdvanceParticles();
    benchmark::DoNotOptimize(particleSystem.particles[0].y);
  }
  state.counters["live"] = static_cast<double>(state.range(0));
  particleSystem.limit = kDefaultParticleLimit;
  for (Particle& p : particleSystem.particles) p.active = 0;
}
BENCHMARK(BM_ParticleStep)->Arg(320)->Arg(1000);

}  // namespace
