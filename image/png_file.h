// PNG files through libpng: the frame captures and screenshots are written here.
#pragma once

#include <cstdint>

// Writes an 8-bit RGB picture. rows holds height rows of width * 3 bytes; bottomUp says the
// first row in memory is the picture's bottom one (as glReadPixels gives it). Writes nothing
// else to any stream; false when the file cannot be created or written.
bool WritePng(const char* path, int width, int height, const uint8_t* rows, bool bottomUp);
