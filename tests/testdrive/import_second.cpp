// import --second: the second build's netlist import.
#include <cstdio>

#include "testdrive/commands.h"

int RunSecondImport(const ImportOptions&) {
  std::fprintf(stderr, "import: --second is not available\n");
  return 2;
}
