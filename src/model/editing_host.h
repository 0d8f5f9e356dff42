// What the editing commands (element placement, name and value editing) ask
// of the window that runs them: snapshots, status texts, boxes, messages and
// the window's own follow-up steps. Texts are UTF-8.
#pragma once

#include <string>

namespace vemu::model {

class TheNode;

class EditingHost {
 public:
  virtual ~EditingHost() = default;

  virtual void PushUndoSnapshot() = 0;
  virtual void SetModified() = 0;
  virtual void SetStatusText(int panel, const std::string& text) = 0;
  // Numbered message of the current language.
  virtual std::string Msg(int index) = 0;
  // A plain message box (OK, no icon).
  virtual void ShowMessage(const std::string& text) = 0;
  // A warning box with OK.
  virtual void ShowWarning(const std::string& text) = 0;
  // Deselects every member of the shown level.
  virtual void DeselectLevel() = 0;
  // Sorts the node list and every link list by name.
  virtual void SortByName() = 0;
  // Renames every junction to its net number.
  virtual void NumberNets() = 0;
  virtual void Redraw() = 0;
};

}  // namespace vemu::model
