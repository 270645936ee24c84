// One step of the 60 drift channels, as every unpaused frame makes it.
#include <benchmark/benchmark.h>

#include "sim/drift.h"
#include "sim/random.h"
#include "sim/settings.h"

namespace {

void BM_StepDrift60(benchmark::State& state) {
  SeedRandom(1);
  ResetSettings();
  InitDrift(kDriftChannels);
  for (auto _ : state) {
    StepDrift(kDriftChannels, 0.016f, settings);
  }
  benchmark::DoNotOptimize(DriftValue(11, 3.0, 0.5, 0.2));
}
BENCHMARK(BM_StepDrift60);

}  // namespace
