// What the netlist import needs from the window it builds for: the drawing
// area's size, the view's grid step and scale, the modified mark, the
// diagnostic memo and, for the commands around the build, the file commands
// and the text window. Questions and file dialogs go through
// platform::dialogs(); randomness through the run's platform::RandomSource.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vemu::model {
class TheNode;
}

namespace vemu::netlist {

class NetlistImportHost {
 public:
  virtual ~NetlistImportHost() = default;

  // The drawing area (the main window's paint box) in pixels.
  virtual int PaintBoxWidth() const = 0;
  virtual int PaintBoxHeight() const = 0;
  // The free-place search's step and the hit radius's scale.
  virtual std::int32_t GridStep() const = 0;
  virtual double ViewScale() const = 0;
  // The circuit's modified mark; true also notes work that is in no file.
  virtual void SetModified(bool modified) = 0;
  // The menu item CIR1 is checked: the import logs into the diagnostic memo,
  // which is cleared and shown first.
  virtual bool DiagnosticsChecked() const = 0;
  virtual void ShowDiagnosticMemo() = 0;
  virtual void AddDiagnosticLines(const std::vector<std::string>& cp1251) = 0;

  // --- the commands around the build ---
  // The question on unsaved work (message 19); false when the command must stop.
  virtual bool ConfirmDiscardUnsaved() = 0;
  virtual void EnableSave() = 0;
  virtual void SetCurrentNode(model::TheNode* node) = 0;
  // The hint of the menu item CreateFromCir1 (UTF-8): the open dialog's title.
  virtual std::string ImportItemHint() const = 0;
  // A new, empty circuit, as New makes it (its undo snapshot included), without New's question.
  virtual void NewCircuit() = 0;
  virtual void SetCaption(const std::string& utf8) = 0;
  // The text window cleared and showing the file's text (code page 1251),
  // or as much of it as the window shows of a file.
  virtual void ShowFileInTextWindow(const std::string& path, std::string_view cp1251) = 0;
  virtual void ComputeItemsRect() = 0;
  virtual void UpdateScrollBars() = 0;
  // The level tabs and an open preview window show the circuit as built.
  virtual void RefreshLevelWindows() = 0;
};

}  // namespace vemu::netlist
