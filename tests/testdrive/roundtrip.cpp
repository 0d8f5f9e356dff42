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
  const vemu::files::CircuitViewState view = vemu::files::SettleForRewrite(result);
  std::string error;
  if (!vemu::files::WriteCircuitFile(*result.graph, view, args[1], &error)) {
    std::fprintf(stderr, "roundtrip: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
