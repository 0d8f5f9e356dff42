#include "files/file_commands.h"

#include "catalogue/messages.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"

namespace vemu::files {
namespace {

using catalogue::GetMsg;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

bool isCompleteNetlist(const std::vector<std::string>& lines) {
  for (const std::string& line : lines)
    if (line == ".END") return true;
  return false;
}

}  // namespace

std::string WithDefaultExtension(const std::string& path, int filterIndex) {
  const std::string name = platform::fileNamePart(path);
  if (name.empty() || name.find('.') != std::string::npos) return path;
  // The netlist the editor writes for the analysis has no extension; the
  // netlist filter lists it by name, and a save onto it stays "cir".
  if (filterIndex == kNetlistFilter && name == kEditorNetlistName) return path;
  return path + (filterIndex == kNetlistFilter ? ".cir" : ".dag");
}

std::vector<std::pair<std::string, std::string>> CircuitDialogFilters() {
  // "*" and not "*.*": names without a dot ("cir", "out", "clc") are files too.
  return {{"VF files", "*.dag"}, {"CIR file", std::string("*.cir;") + kEditorNetlistName}, {"All files", "*"}};
}

std::string FileCommands::DialogTitle(FileMenuItem item) const {
  // The second build titles its dialogs with the item's caption.
  return s_.secondBuild ? host_.ItemCaption(item) : host_.ItemHint(item);
}

bool FileCommands::ConfirmDiscardUnsaved() {
  if (!s_.unsavedEdits) return true;
  switch (platform::dialogs().messageBox(host_.ProgramTitle(), GetMsg(19), MsgButtons::YesNoCancel,
                                         MsgIcon::Confirmation)) {
    case MsgResult::Yes: return SaveCircuit();
    case MsgResult::No: return true;
    default: return false;
  }
}

bool FileCommands::SaveToSaveDialogFile() {
  const std::string path = s_.saveDialogFileName;
  if (!host_.WriteCircuitFile(path)) return false;
  host_.SetCaption(GetMsg(19) + path);
  host_.SetStatusText(2, host_.ItemCaption(FileMenuItem::Save1));
  s_.unsavedEdits = false;
  return true;
}

bool FileCommands::SaveCircuit() { return s_.hasOwnFile ? SaveToSaveDialogFile() : SaveAsChosenFile(); }

void FileCommands::Newcircuit1Click() {
  if (!ConfirmDiscardUnsaved()) return;
  StartNewCircuit();
}

void FileCommands::StartNewCircuit() {
  // Undo after New brings back the circuit of before.
  host_.PushUndoSnapshot();
  s_.modified = 0;
  host_.ClearPreview();
  host_.ReplaceWithEmptyCircuit();
  // After the replacement, so the level tabs show the new root alone.
  host_.SetCurrentNode(nullptr);
  host_.ComputeItemsRect();
  host_.DefaultView();
  // The new circuit has no file yet: Save must not write over the one before.
  s_.saveDialogFileName = kNewCircuitName;
  s_.hasOwnFile = false;
  host_.SetCaption(GetMsg(20) + kNewCircuitName);
  s_.unsavedEdits = false;
}

void FileCommands::TakeLoadedFile(const std::string& path) {
  s_.saveDialogFileName = path;
  s_.openDialogFileName = path;
  host_.SetCaption(GetMsg(20) + path);
  s_.lastFile = path;
  s_.hasOwnFile = true;
  host_.ResetUndoRing();
  s_.unsavedEdits = false;
}

void FileCommands::OpenCommandLineFile(const std::string& path) {
  if (host_.ReadCircuitFile(path)) TakeLoadedFile(path);
}

void FileCommands::RefreshAfterChange() {
  host_.NumberNets();
  host_.ComputeItemsRect();
  host_.UpdateScrollBars();
  host_.Redraw();
}

void FileCommands::LoadFile1Click() {
  host_.EnableSave();
  platform::FileDialogRequest request;
  request.title = DialogTitle(FileMenuItem::LoadFile1);
  request.filters = CircuitDialogFilters();
  request.filterIndex = s_.openDialogFilterIndex;
  request.initialDir = s_.dialogFolder;
  request.fileName = s_.openDialogFileName;
  host_.SetCurrentNode(nullptr);
  const auto chosen = platform::dialogs().chooseOpenFile(request);
  if (!chosen) return;
  s_.openDialogFilterIndex = chosen->filterIndex;
  // Both the circuit and the netlist replace the open circuit.
  if (!ConfirmDiscardUnsaved()) return;
  if (!s_.secondBuild && chosen->filterIndex == kNetlistFilter) {
    if (!host_.OpenNetlistAndBuild(chosen->path))
      platform::dialogs().messageBox(host_.ProgramTitle(),
                                     "Building a circuit from a netlist is not available in this version:\r\n" +
                                         chosen->path,
                                     MsgButtons::Ok, MsgIcon::Warning);
    return;
  }
  // The reader marks the circuit modified when the file holds nodes; a
  // failed read leaves everything as it was.
  const std::uint8_t modifiedBefore = s_.modified;
  s_.modified = 0;
  if (!host_.ReadCircuitFile(chosen->path)) {
    s_.modified = modifiedBefore;
    return;
  }
  TakeLoadedFile(chosen->path);
  host_.SetViewScale(1.0);  // the origin read from the file stays
  RefreshAfterChange();
}

void FileCommands::Save1Click() {
  if (!s_.modified) return;
  if (!s_.hasOwnFile) {
    SaveAsChosenFile();
    return;
  }
  const std::string& path = s_.saveDialogFileName;
  if (platform::dialogs().messageBox(GetMsg(19), GetMsg(19) + "\r\n" + path, MsgButtons::OkCancel,
                                     MsgIcon::Confirmation) != MsgResult::Ok)
    return;
  SaveToSaveDialogFile();
}

bool FileCommands::SaveNetlistAs(const std::string& path) {
  std::vector<std::string> lines = host_.BuildNetlistIntoTextWindow();
  if (!isCompleteNetlist(lines)) {
    platform::dialogs().messageBox(host_.ProgramTitle(),
                                   "The netlist was not built to its end (no \".END\"); nothing is saved.",
                                   MsgButtons::Ok, MsgIcon::Warning);
    return false;
  }
  // The title line names the circuit file last loaded or saved, on one line.
  const std::string title = platform::oneLine(platform::utf8ToCp1251(platform::fileNamePart(s_.lastFile)));
  if (lines.empty()) lines.push_back(title);
  else lines.front() = title;
  host_.SetTextWindowLines(lines);
  return host_.SaveTextWindow(path);
}

void FileCommands::SaveAs1Click() {
  host_.EnableSave();
  if (s_.modified) SaveAsChosenFile();
}

bool FileCommands::SaveAsChosenFile() {
  platform::FileDialogRequest request;
  request.title = DialogTitle(FileMenuItem::SaveAs1);
  request.filters = CircuitDialogFilters();
  request.filterIndex = s_.saveDialogFilterIndex;
  request.initialDir = s_.dialogFolder;
  request.fileName = s_.saveDialogFileName;
  request.confirmOverwrite = false;  // the question below is the command's own
  const auto chosen = platform::dialogs().chooseSaveFile(request);
  if (!chosen) return false;
  s_.saveDialogFilterIndex = chosen->filterIndex;
  const bool netlist = !s_.secondBuild && chosen->filterIndex == kNetlistFilter;
  const std::string path = WithDefaultExtension(chosen->path, chosen->filterIndex);
  if (platform::nameExists(path) &&
      platform::dialogs().messageBox("File Exists", "Remove FIle?", MsgButtons::OkCancel,
                                     MsgIcon::Confirmation) != MsgResult::Ok) {
    if (!s_.secondBuild) host_.SetCaption(host_.ProgramTitle());
    return false;
  }
  if (netlist) {
    // The save dialog's name stays the circuit's: Save never writes the
    // circuit over the netlist.
    if (!SaveNetlistAs(path)) return false;
  } else {
    if (!host_.WriteCircuitFile(path)) return false;
    s_.saveDialogFileName = path;
    s_.openDialogFileName = path;
    s_.lastFile = path;
    s_.hasOwnFile = true;
    s_.unsavedEdits = false;
  }
  host_.SetCaption(GetMsg(19) + path);
  return !netlist;
}

void FileCommands::LastOpen1Click() {
  const std::string path = s_.lastFile;
  if (path.empty() || !platform::fileExists(path)) {
    platform::dialogs().showMessage(GetMsg(0) + "\n\r" + path);
    return;
  }
  if (!ConfirmDiscardUnsaved()) return;
  const std::uint8_t modifiedBefore = s_.modified;
  s_.modified = 0;
  if (!host_.ReadCircuitFile(path)) {
    s_.modified = modifiedBefore;
    return;
  }
  TakeLoadedFile(path);
  host_.SetLastOpenCaption(platform::fileNamePart(path));
  host_.SetViewScale(1.0);
  host_.SetViewOrigin(0, 0);
  host_.FitViewToPaintBox();
  RefreshAfterChange();
}

}  // namespace vemu::files
