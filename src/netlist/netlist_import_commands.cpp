#include "netlist/netlist_import_commands.h"

#include "catalogue/messages.h"
#include "files/file_commands.h"
#include "platform/dialogs.h"
#include "platform/text_file.h"

namespace vemu::netlist {

using catalogue::GetMsg;
using platform::MsgButtons;
using platform::MsgIcon;

std::vector<std::string> LayoutQuestionItems() {
  return {"1 - кое как  (...)", "2 - кружком  (circle)", "3 - случайно (random)"};
}

void NetlistImportCommands::CreateFromCir1Click() {
  dialog_.filterIndex = files::kNetlistFilter;
  if (!c_.host.ConfirmDiscardUnsaved()) return;
  c_.host.EnableSave();
  c_.host.SetCurrentNode(nullptr);
  platform::FileDialogRequest request;
  request.title = c_.host.ImportItemHint();
  request.filters = files::CircuitDialogFilters();
  request.filterIndex = files::kNetlistFilter;
  request.initialDir = dialog_.initialDir;
  request.fileName = dialog_.fileName;
  if (const auto chosen = platform::dialogs().chooseOpenFile(request)) {
    if (chosen->filterIndex == files::kNetlistFilter)
      OpenNetlistAndBuild(chosen->path);
    else
      platform::dialogs().showMessage(GetMsg(30) + "\r" + chosen->path);
  }
  dialog_.filterIndex = files::kCircuitFilter;
}

void NetlistImportCommands::OpenNetlistAndBuild(const std::string& path) {
  std::string reason;
  const auto bytes = platform::readFileBytes(path, platform::kCircuitReadLimit, &reason);
  if (!bytes) {
    platform::dialogs().messageBox("Error", "Cannot read the file " + path + ":\r\n" + reason, MsgButtons::Ok,
                                   MsgIcon::Error);
    return;
  }
  c_.host.NewCircuit();
  c_.host.SetModified(false);
  c_.host.SetCaption(GetMsg(20) + path);
  c_.host.ShowFileInTextWindow(path, *bytes);
  const auto layout = AskLayout();
  if (!layout) return;  // the empty circuit and the text stay
  // Built from the whole file, though the text window may show only its first part.
  NetlistImport(c_).BuildFromNetlist(std::string_view(*bytes), *layout);
  c_.host.ComputeItemsRect();
  c_.host.UpdateScrollBars();
}

std::optional<ImportLayout> NetlistImportCommands::AskLayout() {
  platform::ChoiceRequest request;
  request.caption = "Information";
  request.text = "Test";
  request.items = LayoutQuestionItems();
  request.initial = static_cast<int>(ImportLayout::Circle);
  request.width = 210;
  const auto chosen = platform::dialogs().chooseItem(request);
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(request.items.size())) return std::nullopt;
  return static_cast<ImportLayout>(*chosen);
}

}  // namespace vemu::netlist
