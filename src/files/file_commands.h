// The File menu's commands (New, Load, Save, Save as, Last file), the
// question on unsaved work, and the sub-circuit file and clipboard file
// commands (save and load a sub-circuit, copy, paste through copy.txt).
// Plain code: the window that owns the circuit is reached through
// FileCommandsHost, questions and file dialogs through platform::dialogs().
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "model/graph.h"

namespace vemu::files {

// The filters of the main window's open and save dialogs.
inline constexpr int kCircuitFilter = 1;
inline constexpr int kNetlistFilter = 2;
// The netlist file the editor writes for the analysis program: the netlist
// filter lists it beside "*.cir".
inline constexpr const char* kEditorNetlistName = "cir";
// Circuit files, netlists ("*.cir" and "cir"), every file ("*").
std::vector<std::pair<std::string, std::string>> CircuitDialogFilters();
// The dialogs' default extension: a name chosen without one gets the
// filter's ("cir" for netlists, "dag" otherwise).
std::string WithDefaultExtension(const std::string& path, int filterIndex);

// The menu commands whose captions and hints the commands show.
enum class FileMenuItem { LoadFile1, Save1, SaveAs1, LoadSubcircuit1, SaveSubcircuit1 };

class FileCommandsHost {
 public:
  virtual ~FileCommandsHost() = default;

  virtual model::TheBaseOfGraf& Graph() = 0;
  // The circuit file in place of the open circuit; false when it failed,
  // and then the failure is reported and the open circuit stays.
  virtual bool ReadCircuitFile(const std::string& path) = 0;
  // False when the write failed (reported; the file on disk stays as it was).
  virtual bool WriteCircuitFile(const std::string& path) = 0;
  // An empty circuit (the root level "Upper Level", shown) in place of the
  // open one; every node pointer the windows hold is forgotten first.
  virtual void ReplaceWithEmptyCircuit() = 0;
  virtual void SetCurrentNode(model::TheNode* node) = 0;
  // The preview window shows nothing.
  virtual void ClearPreview() = 0;

  virtual void PushUndoSnapshot() = 0;
  // The undo ring starts afresh (counters 0, undo and redo disabled).
  virtual void ResetUndoRing() = 0;

  // After the circuit changed: net numbers, the members' box, the scroll
  // bars, the picture.
  virtual void NumberNets() = 0;
  virtual void ComputeItemsRect() = 0;
  virtual void UpdateScrollBars() = 0;
  virtual void Redraw() = 0;
  // Scale 1.0, origin (0, 0).
  virtual void DefaultView() = 0;
  virtual void SetViewScale(double scale) = 0;
  virtual void SetViewOrigin(std::int32_t x, std::int32_t y) = 0;
  // The view's window := the paint box's client rectangle.
  virtual void FitViewToPaintBox() = 0;

  // Texts are UTF-8.
  virtual void SetCaption(const std::string& text) = 0;
  virtual std::string ProgramTitle() const = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  virtual std::string ItemCaption(FileMenuItem item) const = 0;
  virtual std::string ItemHint(FileMenuItem item) const = 0;
  virtual void EnableSave() = 0;
  virtual void SetLastOpenCaption(const std::string& text) = 0;

  // The netlist built into the text window; its lines (code page 1251).
  virtual std::vector<std::string> BuildNetlistIntoTextWindow() = 0;
  virtual void SetTextWindowLines(const std::vector<std::string>& lines) = 0;
  // Saves the text window's lines; false when it failed (reported).
  virtual bool SaveTextWindow(const std::string& path) = 0;
  // Hands a netlist file to the netlist import (which reports its own
  // failures); false when this program has none.
  virtual bool OpenNetlistAndBuild(const std::string& path) = 0;

  // The main window's diagnostic memo (lines in code page 1251).
  virtual void ClearDiagnosticMemo() = 0;
  virtual void AddDiagnosticLines(const std::vector<std::string>& lines) = 0;

  // The editor's private folder for the run (empty: none), where copy.txt
  // goes when neither the program folder nor the per-user one takes it.
  virtual std::string PrivateFolder() const { return {}; }
};

// The main window's state the commands keep up to date (UTF-8 paths).
struct FileCommandsState {
  std::uint8_t& modified;  // Modified: set by edits and loads, never cleared by a save
  std::string& lastFile;
  std::string& subCircuitFile;
  std::string& saveDialogFileName;
  std::string& openDialogFileName;
  std::string& dialogFolder;
  int& openDialogFilterIndex;
  int& saveDialogFilterIndex;
  // An editing step since the circuit was last loaded or saved: the work
  // that is in no file. Kept apart from `modified`, which a load sets.
  bool& unsavedEdits;
  // The save dialog's name is the file the circuit was loaded from or last
  // saved to; without one (a new circuit) Save asks for a name first.
  bool& hasOwnFile;
  bool secondBuild;  // no netlist filter; its own dialog titles
};

class FileCommands {
 public:
  FileCommands(FileCommandsHost& host, FileCommandsState state) : host_(host), s_(state) {}

  // Asks message 19 (Yes, No, Cancel) when there is unsaved work. Yes saves
  // first. False when the command must not go on (Cancel, or the save failed).
  bool ConfirmDiscardUnsaved();

  void Newcircuit1Click();
  // New without its question: an undo snapshot of the open circuit, then an empty one.
  void StartNewCircuit();
  void LoadFile1Click();
  void Save1Click();
  void SaveAs1Click();
  void LastOpen1Click();
  // The file named on the command line, read at the first activation: once
  // read it is the circuit's own file, as after Load (Save writes it back).
  void OpenCommandLineFile(const std::string& path);

  // Writes the circuit to the save dialog's file; false when it failed.
  bool SaveToSaveDialogFile();
  // The name a new circuit's save dialog starts with.
  static constexpr const char* kNewCircuitName = "noname.dag";

  // The selected members of the shown level as a sub-circuit file; false
  // when the write failed (reported).
  bool SaveSubcircuit(const std::string& path);
  // Adds the sub-circuit file to the shown level. The whole file is read
  // and checked first: a damaged file adds nothing and is reported. The
  // undo snapshot, when asked for, is taken only once the file is good.
  bool LoadSSFile(const std::string& path, bool snapshotFirst = false);
  void SaveSubcircuit1Click();
  void LoadSubcircuit1Click();
  void SaveSub1Click();  // copy
  void LoadSub1Click();  // paste

  // "copy.txt" of the program folder; else of the per-user state folder;
  // else of `privateFolder` when one is given.
  static std::string ClipboardFile(const std::string& privateFolder = {});

 private:
  // After a successful load of `path`: names, caption, undo ring, edits.
  void TakeLoadedFile(const std::string& path);
  void RefreshAfterChange();
  std::string DialogTitle(FileMenuItem item) const;
  bool SaveNetlistAs(const std::string& path);
  // Save as without the test of Modified; true when the circuit itself was
  // written (not when the user cancelled, declined or saved a netlist).
  bool SaveAsChosenFile();
  // The circuit into a file of its own: the save dialog's file, or Save as
  // while it has none.
  bool SaveCircuit();

  FileCommandsHost& host_;
  FileCommandsState s_;
};

}  // namespace vemu::files
