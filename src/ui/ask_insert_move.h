// The move-to dialog: where the selection of the shown level goes (a new
// sub-circuit, the level above or one of the level's containers). Every
// list item stands for one target node (model/move_targets.h).
#pragma once

#include <QDialog>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/move_targets.h"
#include "ui/app_windows.h"

class QListWidget;
class QPushButton;
class QWidget;

class TAskInsertMove : public QDialog {
  Q_OBJECT
 public:
  explicit TAskInsertMove(AppWindows& app, QWidget* parent = nullptr);

  QListWidget* ListBox1 = nullptr;  // one item per entry of Targets
  QWidget* Panel1 = nullptr;
  QPushButton* Button1 = nullptr;  // "OK": modal result 1
  QPushButton* Button2 = nullptr;  // "Cansel": modal result 2
  // The index of the last item clicked; 0 before the dialog is shown.
  std::int32_t ChosenIndex = 0;
  // The target of each list item while the dialog asks (empty afterwards).
  std::vector<vemu::model::MoveTarget> Targets;

  // Asks where the selection of `level` goes: fills the list (message 64,
  // message 65, the level's containers by name), selects item 0 and runs
  // the dialog modally through the main window's RunModalWindow (without a
  // display and without a runner it counts as cancelled). Nothing when the
  // user cancels, or when the chosen container may not take the selection
  // (it is selected itself, lies inside a selected member, or is gone): a
  // warning says so. Choosing the level above gives its owner as node, null
  // at the root.
  std::optional<vemu::model::MoveTarget> AskMoveTarget(vemu::model::TheNode* level);

  // Fills the list for `level` (step one of AskMoveTarget).
  void FillTargets(const vemu::model::TheNode* level);
  // Makes the item of that text the chosen one, as a click on it does
  // (scripted answers); false when no item has that text.
  bool ChooseItem(const QString& text);

  // --- handlers ---
  void ListBox1Click();
  // Esc ends the dialog as cancelled.
  void FormKeyPress(char key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  int RunModal();

  AppWindows& app_;
};
