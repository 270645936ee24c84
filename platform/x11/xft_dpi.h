// The Xft.dpi entry of an X resource string, as Xlib's resource manager matches it; X11 only,
// declared apart so that it can be checked without a display.
#pragma once

#include <cstddef>

// The Xft.dpi entry of resources in X resource-file form (what XResourceManagerString gives),
// matched by Xlib's resource manager, so "Xft*dpi" and "*dpi" count too. Copies its value,
// bounded, into value; false when there is none.
bool XftDpiResource(const char* resources, char* value, std::size_t valueSize);
