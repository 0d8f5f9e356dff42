// import IN.cir [--second] [--layout 0|1|2] [--size WxH] [--seed N] [--folder DIR]
//        [--set CONTROL=VALUE]... [--answer A]... [--write OUT.dag]
// Imports IN as the menu command "CreateCircuitFromCir" does, on a paint box
// of the given size and with the random source seeded.
#include <cstdio>
#include <tuple>

#include "testdrive/commands.h"
#include "testdrive/driver_support.h"

namespace {

bool ParseImportOptions(const Args& args, ImportOptions& o, std::string& error) {
  Args rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--second") {
      o.second = true;
    } else if (a == "--layout" || a == "--size" || a == "--seed") {
      if (!hasValue) {
        error = "option " + a + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      if (a == "--size") {
        const auto size = testdrive::ParseSize(value);
        if (!size) {
          error = "--size takes WxH";
          return false;
        }
        std::tie(o.width, o.height) = *size;
        continue;
      }
      const auto number = testdrive::ParseInt(value);
      if (!number || *number < 0 || (a == "--layout" && *number > 2)) {
        error = a == "--layout" ? "--layout takes 0, 1 or 2" : "--seed takes a whole number from 0";
        return false;
      }
      if (a == "--layout") o.layout = *number;
      else o.seed = static_cast<std::uint32_t>(*number);
    } else {
      rest.push_back(a);
    }
  }
  testdrive::CircuitOptions common;
  if (!testdrive::ParseCircuitOptions(rest, common, error, {"folder", "set", "answer", "write"})) return false;
  if (common.positional.size() != 1) {
    error = "expected IN.cir [options]";
    return false;
  }
  o.input = common.positional[0];
  o.folder = common.folder;
  o.settings = common.settings;
  o.answers = common.answers;
  o.writePath = common.writePath;
  return true;
}

int RunImport(const ImportOptions&) {
  std::fprintf(stderr, "import: not available\n");
  return 2;
}

}  // namespace

int ImportCommand(const Args& args) {
  ImportOptions options;
  std::string error;
  if (!ParseImportOptions(args, options, error)) {
    std::fprintf(stderr, "import: %s\n", error.c_str());
    return 2;
  }
  return options.second ? RunSecondImport(options) : RunImport(options);
}
