// The CPU time the whole process has used, its threads included: with a software renderer most
// of a frame's cost is spent in the renderer's own threads.
#pragma once

// Seconds of CPU time since the process started; 0 where the clock cannot be read.
double ProcessCpuSeconds();
