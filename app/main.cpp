// Process entry: everything else lives in the core library.
#include "app/shell.h"
#include "platform/platform.h"

int main(int argc, char** argv) {
  TranslateCommandLine(&argc, &argv);  // a Windows screen saver's arguments, into Quor's options
  RunApp(argc, argv);
}
