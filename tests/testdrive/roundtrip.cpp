#include <cstdio>

#include "files/circuit_file.h"
#include "testdrive/commands.h"

int RoundtripCommand(const Args& args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "roundtrip: expected IN OUT\n");
    return 2;
  }
  auto result = vemu::files::ReadCircuitFile(args[0]);
  if (!result.ok) {
    std::fprintf(stderr, "roundtrip: %s\n", result.error.c_str());
    return 1;
  }
  result.graph->MainNode = result.mainNode;
  result.graph->CurrentNode = result.currentNode;
  vemu::files::CircuitViewState view;
  view.shownNode = result.shownNode;
  view.originX = result.originX;
  view.originY = result.originY;
  view.scale = result.scale.value_or(1.0);
  std::string error;
  if (!vemu::files::WriteCircuitFile(*result.graph, view, args[1], &error)) {
    std::fprintf(stderr, "roundtrip: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
