// xscreensaver's description of the saver and its settings (dist/quor.xml, which MATE's screen
// saver reads too), written from the table of settings (app/setting_table.cpp).
#pragma once

#include <string>

// The whole file, as dist/quor.xml holds it; a test keeps the two the same.
std::string XscreensaverSettingsXml();
