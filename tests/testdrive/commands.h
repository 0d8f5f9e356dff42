// Subcommands of vemu-testdrive. Each takes its own arguments (after the
// subcommand's name) and returns the exit status; errors go to stderr.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace testdrive {
class DriverSession;
}

using Args = std::vector<std::string>;

int RoundtripCommand(const Args& args);
int MsgCommand(const Args& args);
int NetlistCommand(const Args& args);
int ResultNumberCommand(const Args& args);
int ResultsCommand(const Args& args);
int RunCommand(const Args& args);
int RenderCommand(const Args& args);
int GeometryCommand(const Args& args);
int ExportCommand(const Args& args);
int UndoCommand(const Args& args);
int SubcircuitCommand(const Args& args);
int PasteCommand(const Args& args);
int EditCommand(const Args& args);
int NodeTypesCommand(const Args& args);
int ImportCommand(const Args& args);
int CaptionsCommand(const Args& args);
int SettingsCommand(const Args& args);

// The options of `import` (see README.md), read by ImportCommand.
struct ImportOptions {
  std::string input;                                          // IN.cir
  bool second = false;                                        // --second: the second build's import
  bool netlist = false;                                       // --netlist: then "Create text file"
  int layout = 1;                                             // --layout 0|1|2
  int width = 1280, height = 900;                             // --size WxH: the paint box
  std::uint32_t seed = 1;                                     // --seed N: the random source
  std::string folder;                                         // --folder DIR
  std::vector<std::pair<std::string, std::string>> settings;  // --set CONTROL=VALUE, in order
  std::vector<std::string> answers;                           // --answer A, in order
  std::string writePath;                                      // --write OUT.dag
};

// One import as the driver runs it: a session on the options' folder and
// settings, the paint box of their size and the random source of their seed;
// `import` runs the menu command. Then the caption on stderr, with --netlist
// the netlist of the result on stdout, and --write.
int RunImportSession(const ImportOptions& options, bool second,
                     const std::function<void(testdrive::DriverSession&)>& import);
// The second build's import (`import --second`); gives the exit status.
int RunSecondImport(const ImportOptions& options);
