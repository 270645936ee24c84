// Process entry: everything else lives in the core library.
#include <vector>

#include "app/setting_table.h"
#include "app/shell.h"
#include "platform/platform.h"
#include "platform/saver_settings.h"

int main(int argc, char** argv) {
  // The settings a Windows saver's dialog and saved settings know, from the table of settings.
  static const std::vector<SaverSetting> offered = OfferedSaverSettings();
  OfferSaverSettings(&offered);
  TranslateCommandLine(&argc, &argv);  // a Windows screen saver's arguments, into Quor's options
  RunApp(argc, argv);
}
