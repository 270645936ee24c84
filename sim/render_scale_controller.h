// The automatic render scale: from what frames cost, once a second, the share of the window's
// size the scene is drawn at, chosen among fixed steps so as to hold a frame rate, and within a
// CPU budget if there is one. Plain arithmetic with no GL, so that it can be checked on made-up
// frame costs.
#pragma once

// What one frame cost. The work is the frame's own wall time, from its start to the end of the
// buffer swap: what the frame rate could be, whatever a frame cap adds between frames. The
// interval runs from the end of the previous frame to the end of this one, wait included; the
// CPU seconds are the whole process's (the renderer's threads too) over the interval.
struct FrameCost {
  double intervalSeconds;
  double workSeconds;
  double cpuSeconds;
};

class RenderScaleController {
 public:
  static constexpr int kStepCount = 7;
  // Each step draws about half the pixels of the one before it. The smallest are for huge
  // screens and CPU budgets: the soft flame stays above 44 dB from full size even at 0.125.
  static constexpr double kSteps[kStepCount] = {1.0, 0.75, 0.5, 0.35, 0.25, 0.18, 0.125};
  // Where even the smallest step costs more than the budget at the target rate, the rate gives
  // way down to this: below ten frames a second the flame no longer moves, it steps.
  static constexpr int kFloorFps = 10;

  // cpuBudgetCores: the CPU time a second of frames may cost, in cores; 0 for no budget.
  explicit RenderScaleController(double targetFps, double cpuBudgetCores = 0.0)
      : targetFps_(targetFps), budgetCores_(cpuBudgetCores) {}

  // Answers true when the frame completed a measured second and the scale or the frame-rate
  // limit changed with it.
  bool AddFrame(const FrameCost& frame);

  double Scale() const { return kSteps[step_]; }
  int Step() const { return step_; }
  double TargetFps() const { return targetFps_; }
  // A new budget, from the next judgement on (the machine went on battery or back to mains).
  void SetCpuBudget(double cpuBudgetCores) { budgetCores_ = cpuBudgetCores; }
  // Frames a second at most so as to keep within the budget at the smallest step; 0 for no
  // limit.
  int FpsLimit() const { return fpsLimit_; }

 private:
  bool ChooseStep(double fps);
  int LimitFor(double budgetFps) const;

  double targetFps_;
  double budgetCores_;
  int step_ = 0;
  int fpsLimit_ = 0;
  int frames_ = 0;
  double elapsed_ = 0.0, work_ = 0.0, cpu_ = 0.0;  // sums over the second being measured
  int secondsFastEnough_ = 0;  // whole seconds in a row in which the next larger step would hold
};
