// The menu command "CreateCircuitFromCir" and the load of a netlist file:
// a netlist file read into the text window becomes a new circuit, laid out
// in the way the user picks.
#pragma once

#include <optional>
#include <string>

#include "netlist/netlist_import.h"

namespace vemu::netlist {

// The main window's open dialog as the import uses it.
struct ImportDialogState {
  int& filterIndex;  // 1 circuits, 2 netlists, 3 all files
  const std::string& initialDir;
  const std::string& fileName;
};

// The layout question's items, in the order of ImportLayout.
std::vector<std::string> LayoutQuestionItems();

class NetlistImportCommands {
 public:
  NetlistImportCommands(ImportContext context, ImportDialogState dialog) : c_(context), dialog_(dialog) {}

  void CreateFromCir1Click();
  // Reads the netlist file into the text window and a new circuit and builds
  // it in the layout asked for. A file that cannot be read is reported with
  // its name and the reason, and nothing changes.
  void OpenNetlistAndBuild(const std::string& path);
  // The layout question; nothing when it is cancelled.
  std::optional<ImportLayout> AskLayout();

 private:
  ImportContext c_;
  ImportDialogState dialog_;
};

}  // namespace vemu::netlist
