// Process entry: everything else lives in the core library.
#include "app/shell.h"

int main(int argc, char** argv) {
  RunApp(argc, argv);
}
