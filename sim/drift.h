// Drift channels: 60 independent wandering phases that keep the scene moving without input.
// A channel is read as (sin(frequency * phase) * 0.5 + 0.5) * amplitude + offset.
#pragma once

class Settings;

constexpr int kDriftChannels = 60;

void InitDrift(int count);
void StepDrift(int count, float frameDt, const Settings& settings);
double DriftValue(int channel, double frequency, double amplitude, double offset);

// Read-only view of one channel, and a way back to the all-zero start, for tests and tools.
struct DriftChannelState {
  double phase;
  double rate;
  double targetRate;
  int drive;
};
DriftChannelState GetDriftChannel(int channel);
void ClearDrift();
