// Where the program's messages go on X11: standard error, which the terminal, the screen saver's
// log or the session's log keeps. Nothing more is needed to end the program.
#include <cstdlib>

#include "platform/platform.h"

void EndProgram(int status) {
  std::exit(status);
}
