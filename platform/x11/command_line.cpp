// The command line on X11 is Quor's own from the start: screen-saver daemons pass --root or
// --window-id themselves.
#include "platform/platform.h"

void TranslateCommandLine(int*, char***) {}
