// The frame cap (--max-fps): between frames the idle callback sleeps until the next frame is
// due instead of asking for one at once. The sleep ends early for X events and signals, and the
// motion keeps its speed because the simulation steps by the measured time.
#pragma once

#include <cstdint>

// Frames per second at most; 0 leaves every frame to follow the last at once.
void StartFramePacing(uint32_t maxFps);
// True when the next frame is due (always, without a cap). Otherwise sleeps until it is due, or
// until an X event or a signal comes, for a tenth of a second at most, and answers false. With
// events already read and waiting, or a quit signal recorded, it answers false without sleeping.
bool FrameDue();
