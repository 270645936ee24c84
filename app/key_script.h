// The --keys script: its keys are pressed at their frames through the key handlers that real
// key events reach, so that a scripted run behaves as one steered by a person.
#pragma once

#include <cstdint>

// Presses every key of the script meant for this frame, in the order written.
void PressScriptKeys(uint64_t frame);
