// The sub-circuit file commands and the clipboard file copy.txt.
#include "catalogue/messages.h"
#include "files/file_commands.h"
#include "files/subcircuit_file.h"
#include "model/selection.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "platform/user_folders.h"

namespace vemu::files {
namespace {

using catalogue::GetMsg;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

}  // namespace

std::string FileCommands::ClipboardFile(const std::string& privateFolder) {
  return platform::writableFileIn(platform::programFolder(), platform::userStateFolder(), "copy.txt", privateFolder);
}

bool FileCommands::SaveSubcircuit(const std::string& path) {
  host_.ClearDiagnosticMemo();
  std::vector<std::string> memo;
  std::string error;
  const bool written = WriteSubcircuitFile(host_.Graph(), path, &memo, &error);
  host_.AddDiagnosticLines(memo);
  if (!written)
    platform::dialogs().messageBox(host_.ProgramTitle(), error, MsgButtons::Ok, MsgIcon::Error);
  return written;
}

bool FileCommands::LoadSSFile(const std::string& path, bool snapshotFirst) {
  const SubcircuitContent content = ReadSubcircuitFile(path);
  auto& dialogs = platform::dialogs();
  switch (content.status) {
    case SubcircuitContent::Status::Ok: break;
    case SubcircuitContent::Status::HeaderMismatch:
      dialogs.messageBox("Предупреждение о нестандартной ситуации", "Неправильный параметр в заголовоке схемы",
                         MsgButtons::OkCancel, MsgIcon::Warning);
      return false;
    default:
      dialogs.messageBox(host_.ProgramTitle(), content.error, MsgButtons::Ok, MsgIcon::Error);
      return false;
  }
  model::TheBaseOfGraf& graph = host_.Graph();
  if (!graph.MainNode) {
    dialogs.messageBox("Внутренняя ошибка программы", "Нет главного узла " + std::to_string(content.mainNumber),
                       MsgButtons::OkCancel, MsgIcon::Error);
    return false;
  }
  if (snapshotFirst) host_.PushUndoSnapshot();
  host_.ClearPreview();
  const SubcircuitInsertion inserted = InsertSubcircuit(graph, content);
  host_.AddDiagnosticLines(inserted.memoLines);
  s_.unsavedEdits = true;
  return true;
}

void FileCommands::SaveSubcircuit1Click() {
  const int selected = model::CountSelected(host_.Graph());
  if (selected == 0) {
    platform::dialogs().messageBox(host_.ProgramTitle(), GetMsg(58), MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  platform::FileDialogRequest request;
  request.title = host_.ItemHint(FileMenuItem::SaveSubcircuit1);
  request.filters = CircuitDialogFilters();
  request.filterIndex = s_.saveDialogFilterIndex;
  request.initialDir = s_.dialogFolder;
  request.fileName = s_.subCircuitFile;
  request.confirmOverwrite = false;  // asked below with messages 59 and 60
  const auto chosen = platform::dialogs().chooseSaveFile(request);
  if (!chosen) return;
  const std::string path = WithDefaultExtension(chosen->path, chosen->filterIndex);
  s_.subCircuitFile = path;
  if (platform::nameExists(path) &&
      platform::dialogs().messageBox(GetMsg(59), GetMsg(60), MsgButtons::OkCancel, MsgIcon::Confirmation) !=
          MsgResult::Ok)
    return;
  if (SaveSubcircuit(path)) host_.SetCaption(GetMsg(19) + path);
}

void FileCommands::LoadSubcircuit1Click() {
  platform::FileDialogRequest request;
  request.title = host_.ItemHint(FileMenuItem::LoadSubcircuit1);
  request.filters = CircuitDialogFilters();
  request.filterIndex = s_.openDialogFilterIndex;
  request.initialDir = s_.dialogFolder;
  request.fileName = s_.subCircuitFile;
  host_.SetCurrentNode(nullptr);
  const auto chosen = platform::dialogs().chooseOpenFile(request);
  if (!chosen) return;
  // The snapshot comes once the file is known to be good, so a damaged
  // file leaves the circuit, the undo ring and the names as they were.
  if (!LoadSSFile(chosen->path, true)) return;
  s_.modified = 1;
  s_.subCircuitFile = chosen->path;
  host_.SetCaption(GetMsg(20) + chosen->path);
  RefreshAfterChange();
}

void FileCommands::SaveSub1Click() {
  if (model::CountSelected(host_.Graph()) == 0) return;
  if (SaveSubcircuit(ClipboardFile(host_.PrivateFolder()))) host_.SetStatusText(2, "COPY");
}

void FileCommands::LoadSub1Click() {
  // Like Load, the snapshot comes once copy.txt is known to be good, so one
  // Undo takes back the paste alone.
  if (!LoadSSFile(ClipboardFile(host_.PrivateFolder()), true)) return;
  s_.modified = 1;
  host_.SetStatusText(2, "PASTE");
  RefreshAfterChange();
}

}  // namespace vemu::files
