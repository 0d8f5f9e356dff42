#include <cstdio>

#include "testdrive/commands.h"

int NetlistCommand(const Args&) {
  std::fprintf(stderr, "not available in this build\n");
  return 2;
}

