// The target window on X11: the platform's names for the embedding of app/embed_window.cpp,
// which owns the program's own X connection, the XSCREENSAVER_WINDOW lookup and the reparenting.
#include "app/embed_window.h"
#include "app/options.h"
#include "platform/platform.h"

bool ParseTargetWindow(const char* text, uint64_t* id) {
  unsigned long value = 0;
  if (!ParseWindowId(text, &value)) return false;
  *id = value;
  return true;
}

int OpenTargetWindow(uint64_t id, const char* display, std::FILE* err) {
  Options target;
  target.root = id == 0;
  target.windowId = static_cast<unsigned long>(id);
  if (display != nullptr) target.display = display;
  return OpenTargetWindow(target, err);
}

void AdoptCurrentWindow() {
  if (TargetWindowOpen()) AdoptGlutWindow();
}
