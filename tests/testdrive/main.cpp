// vemu-testdrive: a black-box driver for golden-file tests. Not part of the
// product; boxes that the code under test shows are answered by script and
// printed to stderr.
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <new>

#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "testdrive/commands.h"
#include "ui/tform1.h"

namespace {

const std::map<std::string, std::pair<std::function<int(const Args&)>, const char*>>& commands() {
  static const std::map<std::string, std::pair<std::function<int(const Args&)>, const char*>> table{
      {"roundtrip", {RoundtripCommand, "roundtrip IN OUT  read IN as a circuit file and write it to OUT"}},
      {"msg", {MsgCommand, "msg N [--folder DIR]  print message N of the program folder's language"}},
      {"netlist", {NetlistCommand, "netlist IN.dag [options]  build the netlist of IN (see README.md)"}},
      {"result-number", {ResultNumberCommand, "result-number TEXT DIGITS  parse and format a result number"}},
      {"results", {ResultsCommand, "results IN.dag DIR [options]  load the results of DIR into IN"}},
      {"run", {RunCommand, "run IN.dag DIR [options]  build, run and load the results"}},
      {"render", {RenderCommand, "render IN.dag OUT.png [options]  draw the shown level of IN"}},
      {"geometry", {GeometryCommand, "geometry  answer JSON geometry requests from stdin"}},
      {"export", {ExportCommand, "export IN.dag OUT.jpg [--size WxH]  the JPEG export of IN's shown level"}},
      {"edit", {EditCommand, "edit IN.dag SCRIPT OUT.dag [options]  replay mouse, key, palette and menu events"}},
      {"undo", {UndoCommand, "undo OPS [--folder DIR] [--load FILE]  undo ring steps (e edit, u undo, r redo, l load, d<k> delete slot k) on a fresh window"}},
      {"subcircuit", {SubcircuitCommand, "subcircuit IN.dag OUT.dag [--select NAME]...  write the selected members of IN's shown level as a sub-circuit file"}},
      {"nodetypes", {NodeTypesCommand, "nodetypes [--folder DIR] [--load] [--save]  the element-type window: its list, Load CFG, Save CFG"}},
      {"import", {ImportCommand, "import IN.cir [options]  build a drawing from the netlist IN (see README.md)"}},
      {"captions", {CaptionsCommand, "captions [--folder DIR] [--second] [--set CONTROL=VALUE]... [--switch TAG]  the windows' texts from the captions file"}},
      {"settings", {SettingsCommand, "settings [--folder DIR] [--second] [--save]  the start.txt settings and the values applied"}},
      {"paste", {PasteCommand, "paste IN.dag SUB.dag OUT.dag  paste SUB into IN's shown level and write the result"}},
  };
  return table;
}

int usage() {
  std::fprintf(stderr, "usage: vemu-testdrive COMMAND ARGS...\n");
  for (const auto& [name, entry] : commands()) std::fprintf(stderr, "  %s\n", entry.second);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return usage();
  auto it = commands().find(argv[1]);
  if (it == commands().end()) return usage();
  // The driver's program folders are its inputs: the end of a run keeps no settings there.
  TForm1::WritesSettingsFile = false;
  // Registration names the editor of the program folder, not the driver.
  TForm1::RegisteredProgramName = "vemu3";
  // A write past the file size limit fails as a full disk does.
  vemu::platform::ignoreFileSizeSignal();
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope(dialogs);
  int status = 4;
  try {
    status = it->second.first(Args(argv + 2, argv + argc));
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "out of memory\n");  // a command outside the event loop, stopped whole
  }
  for (const auto& box : dialogs.boxes)
    std::fprintf(stderr, "box [%s] %s\n", box.caption.c_str(), box.text.c_str());
  return status;
}
