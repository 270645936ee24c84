// The automatic render scale: from measured frame times, once a second, the share of the
// window's size the scene is drawn at, chosen among fixed steps so as to hold a frame rate.
// Plain arithmetic with no GL, so that it can be checked on made-up frame times.
#pragma once

class RenderScaleController {
 public:
  static constexpr int kStepCount = 5;
  // Each step draws about half the pixels of the one before it.
  static constexpr double kSteps[kStepCount] = {1.0, 0.75, 0.5, 0.35, 0.25};

  explicit RenderScaleController(double targetFps) : targetFps_(targetFps) {}

  // One frame's duration in seconds. Answers true when the frame completed a measured second
  // and the scale changed with it.
  bool AddFrame(double seconds);

  double Scale() const { return kSteps[step_]; }
  int Step() const { return step_; }
  double TargetFps() const { return targetFps_; }

 private:
  double targetFps_;
  int step_ = 0;
  int frames_ = 0;
  double seconds_ = 0.0;
  int secondsFastEnough_ = 0;  // whole seconds in a row in which the next larger step would hold
};
