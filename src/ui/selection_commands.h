// The Edit menu's commands on the selection and the current node, as plain
// code: select and deselect all, delete, forget the current node, the two
// queues, clearing result values and deleting the current node's links.
// They reach the window through SelectionHost. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "model/graph.h"

namespace vemu::ui {

class SelectionHost {
 public:
  virtual ~SelectionHost() = default;

  virtual void PushUndoSnapshot() = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // Numbered message of the current language.
  virtual std::string Msg(int index) = 0;
  // A confirmation box with OK and Cancel; true for OK.
  virtual bool AskOkCancel(const std::string& text, const std::string& caption) = 0;
  // A warning box with OK.
  virtual void ShowWarning(const std::string& text) = 0;
  // The settings: deletion asks first; the queues snap to the grid.
  virtual bool ConfirmDeletion() = 0;
  virtual bool UseGrid() = 0;
  virtual std::int32_t SnapToGrid(std::int32_t v) = 0;
  virtual void SetCurrentNode(model::TheNode* n) = 0;
  // The container the preview window shows (null when none).
  virtual model::TheNode* PreviewNode() = 0;
  virtual void ForgetPreviewNode() = 0;
  // Nodes are about to be freed: every node pointer held outside the graph
  // (the gesture's nodes, the pending half, the value window's node) is
  // forgotten first, so nothing that runs meanwhile (a message box's event
  // loop, a timer tick) reaches a freed node.
  virtual void ForgetNodePointers() = 0;
  // Positions or members changed: items box, scroll bars, redraw.
  virtual void ViewChanged() = 0;
};

// The refusal when the shown level or the root would be deleted.
inline constexpr const char* kCannotDeleteLevel = "The shown level and the upper level cannot be deleted";

class SelectionCommands {
 public:
  SelectionCommands(model::TheBaseOfGraf& graph, SelectionHost& host) : graph_(graph), host_(host) {}

  void SelectAll();
  void UnselectAll();
  // The selection when there is one, else the current node.
  void DeleteObject();
  void HideCross();
  void VerticalQueue();
  void HorizontalQueue();
  // `needsValue` says whether a type takes a user value.
  void ClearAllInputValues(const std::function<bool(std::uint8_t)>& needsValue);
  void DeleteAllLines();

 private:
  void DeleteSelection(std::int32_t count);
  void DeleteCurrentNode();
  bool Deletable(const model::TheNode* n) const;
  void ForgetCurrentNode();
  void Queue(bool vertical);

  model::TheBaseOfGraf& graph_;
  SelectionHost& host_;
};

}  // namespace vemu::ui
