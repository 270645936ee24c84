// The render scale of the run (sim/scaled_scene.h draws at it): fixed, or chosen each second by
// the controller (sim/render_scale_controller.h) from what the frames cost, which is measured
// here.
#pragma once

// The scale for the run, from the command line: fixed, or chosen each second from what frames
// cost (auto, from scale 1), within a CPU budget in cores (0 for none). Under auto the frames
// are measured between FrameWorkStarts and FrameWorkEnded (app/hooks.h), and a budget that the
// smallest scale cannot keep lowers the frame cap.
void UseFixedRenderScale(double scale);
void UseAutoRenderScale(double targetFps, double cpuBudgetCores);
double RenderScale();
// The scale the frame/second line shows: the current one under auto or below 1; 0 for none.
double ShownRenderScale();
