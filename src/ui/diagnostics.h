// The diagnostic memo's commands as plain code: the node tree dump, the
// listings of components, types and window handles, the memo's toggles and
// the Debug check. They reach the window through DiagnosticsHost. Texts are
// UTF-8 unless a comment says code page 1251.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "catalogue/node_type_info.h"
#include "model/graph.h"

namespace vemu::ui {

// A component of a window as the component listing sees it.
enum class ComponentKind { Other, HintedControl, Label, MenuItem };
struct ComponentRecord {
  std::string className;
  std::string name;
  ComponentKind kind = ComponentKind::Other;
  std::string text;  // the hint, or the label's or the menu item's caption
};
struct FormRecord {
  std::string name;
  std::string className;
  std::string caption;
  std::vector<ComponentRecord> components;
};

struct WindowHandles {
  std::uint64_t application = 0;  // the application's own window (0 when there is none)
  std::string title;
  std::uint64_t form1 = 0;
  std::string caption;
};

class DiagnosticsHost {
 public:
  virtual ~DiagnosticsHost() = default;

  virtual model::TheBaseOfGraf& Graph() = 0;
  virtual const catalogue::NodeTypeTable& NodeTypes() = 0;
  virtual bool SecondBuild() = 0;
  // The memo's whole text becomes these lines / gets one more line.
  virtual void SetMemoLines(const std::vector<std::string>& lines) = 0;
  virtual void AddMemoLine(const std::string& line) = 0;
  virtual bool MemoVisible() = 0;
  // Shows or hides the memo; the splitter beside it too when `withSplitter`.
  virtual void ShowMemo(bool shown, bool withSplitter) = 0;
  // Every window of the program in creation order, with its named components.
  virtual std::vector<FormRecord> Forms() = 0;
  virtual WindowHandles Handles() = 0;
  virtual int FileToolBarTop() = 0;
  virtual void SetCaption(const std::string& text) = 0;
  // The hierarchy's line repair, with its undo snapshot.
  virtual void RepairSubCircuitLines() = 0;
};

class Diagnostics {
 public:
  explicit Diagnostics(DiagnosticsHost& host) : host_(host) {}

  // The node tree in the memo (the build's form).
  void DumpNodeTree();
  void ListAllComponents();
  void ListAllTypes();
  void ListWindowHandles();
  void ReportToolBarTop();
  // Ctrl with the right button on the tool-bar area.
  void ToggleMemo();
  // The line repair, then the string-list check in the caption.
  void Debug();

 private:
  DiagnosticsHost& host_;
};

// Component lines: "*     NAME:CLASS", "   Caption=...", then per component.
std::vector<std::string> ComponentListing(const std::vector<FormRecord>& forms);
// "CODE: FILE,DESCRIPTION" for each type of the table.
std::vector<std::string> TypeListing(const catalogue::NodeTypeTable& types);
std::vector<std::string> WindowHandleListing(const WindowHandles& handles);
// Stores 4660 as the object of a string in a fresh string list, reads it back
// and formats it: "L=4660 a=1200 b=34" when the list keeps it.
std::string StringListCheckCaption();

}  // namespace vemu::ui
