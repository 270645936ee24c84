// End-to-end harness: runs the real quor binary on an Xvfb server of its own, finds its window,
// sends real key events through XTest and reads the screen back. Its parts: the X server
// (xvfb_server.h), the program's runs (quor_run.h), child processes and deadlines
// (child_process.h), and the screen's pixels (screen_pixels.h).
#pragma once

#include "tests/support/child_process.h"
#include "tests/support/quor_run.h"
#include "tests/support/screen_pixels.h"
#include "tests/support/xvfb_server.h"
