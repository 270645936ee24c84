// The simulation's input callbacks, registered by InitScene in place of the shell's own.
#pragma once

void SimKeyboard(unsigned char key, int x, int y);
void SimSpecial(int key, int x, int y);
void SimMouse(int button, int state, int x, int y);
