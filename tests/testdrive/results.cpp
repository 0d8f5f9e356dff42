#include <cstdio>

#include "testdrive/commands.h"

int ResultNumberCommand(const Args&) {
  std::fprintf(stderr, "not available in this build\n");
  return 2;
}

int ResultsCommand(const Args&) {
  std::fprintf(stderr, "not available in this build\n");
  return 2;
}

int RunCommand(const Args&) {
  std::fprintf(stderr, "not available in this build\n");
  return 2;
}

