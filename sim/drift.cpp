// Drift channels. Each channel's rate wanders: now pulled toward a random target, now coasting
// toward zero; its phase advances by the rate scaled by the speed setting of its group.
#include "sim/drift.h"

#include <cmath>

#include "sim/random.h"
#include "sim/settings.h"

namespace {
double phase[kDriftChannels];
double rate[kDriftChannels];
double targetRate[kDriftChannels];
int drive[kDriftChannels];

constexpr double kInitialPhaseRange = 3.141592654;
constexpr double kTargetBase = 0.02;  // a target's magnitude lies in [0.02, 0.04)
constexpr double kTargetRange = 0.02;
constexpr double kEventsPerSecond = 0.02;  // chance per second of a toggle, and of a retarget
constexpr double kPositiveTargetChance = 0.45;
constexpr double kPull = 0.001;   // share of the way to the target per step
constexpr double kCoast = 0.999;  // decay per step with drive off
// The rotation group turns its rate into degrees with the round figure 57.3, not 180/pi; the
// star field's pace depends on it.
constexpr double kRotationFactor = 57.3;

// How far a channel's phase moves in one step: its rate scaled by the speed setting of its
// group and by the step.
double Advance(int channel, double channelRate, float frameDt, const Settings& s) {
  if (channel == 0) return static_cast<double>(frameDt) * s.mainSpeed;  // the rate plays no part
  if (channel <= 3) return channelRate * s.rotateSpeed * frameDt * kRotationFactor;
  if (channel <= 6) return channelRate * s.movementSpeed * frameDt;
  if (channel <= 49) return channelRate * s.mainSpeed * frameDt;
  return channelRate * s.lightRotateSpeed * frameDt;
}
}  // namespace

void InitDrift(int count) {
  if (count > kDriftChannels) count = kDriftChannels;
  // Channel 0 is the main clock channel: its rate plays no part and a reset leaves it be.
  for (int c = 1; c < count; ++c) {
    phase[c] = frand(kInitialPhaseRange);
    targetRate[c] = frand(kTargetRange) + kTargetBase;
    rate[c] = targetRate[c];
    drive[c] = 1;
  }
}

void StepDrift(int count, float frameDt, const Settings& s) {
  if (count > kDriftChannels) count = kDriftChannels;
  const double p = frameDt * kEventsPerSecond;
  for (int c = 0; c < count; ++c) {
    if (frand(1.0) < p) drive[c] = !drive[c];
    if (frand(1.0) < p) {
      const double magnitude = frand(kTargetRange) + kTargetBase;
      targetRate[c] = frand(1.0) < kPositiveTargetChance ? magnitude : -magnitude;
    }
    // Once per call, whatever the step: the pull is a per-frame smoothing, not a rate.
    if (drive[c])
      rate[c] += (targetRate[c] - rate[c]) * kPull;
    else
      rate[c] *= kCoast;

    phase[c] += Advance(c, rate[c], frameDt, s);
  }
}

double DriftValue(int channel, double frequency, double amplitude, double offset) {
  return (std::sin(frequency * phase[channel]) * 0.5 + 0.5) * amplitude + offset;
}

DriftChannelState GetDriftChannel(int channel) {
  return {phase[channel], rate[channel], targetRate[channel], drive[channel]};
}

void ClearDrift() {
  for (int c = 0; c < kDriftChannels; ++c) {
    phase[c] = rate[c] = targetRate[c] = 0.0;
    drive[c] = 0;
  }
}
