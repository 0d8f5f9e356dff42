#include "ui/selection_commands.h"

#include "model/selection.h"
#include "netlist/text_format.h"

namespace vemu::ui {

using model::TheNode;

void SelectionCommands::SelectAll() { model::SetLevelSelection(graph_, 1); }

void SelectionCommands::UnselectAll() { model::SetLevelSelection(graph_, 0); }

bool SelectionCommands::Deletable(const TheNode* n) const {
  // The root and the shown level (or a container holding it) stay.
  if (!n || !n->Upper) return false;
  return !model::TreeHolds(n, graph_.MainNode);
}

void SelectionCommands::DeleteObject() {
  host_.SetStatusText(2, host_.Msg(21));
  const std::int32_t count = model::CountSelected(graph_);
  if (count > 0) DeleteSelection(count);
  else DeleteCurrentNode();
  if (graph_.MainNode) graph_.CheckPinLines(graph_.MainNode);
}

void SelectionCommands::DeleteSelection(std::int32_t count) {
  if (host_.ConfirmDeletion() &&
      !host_.AskOkCancel(netlist::FormatText(host_.Msg(23), {static_cast<long long>(count)}), host_.Msg(24)))
    return;
  if (!graph_.MainNode) return;
  host_.PushUndoSnapshot();
  std::vector<TheNode*> doomed;
  for (TheNode* m : model::SelectedMembers(graph_))
    if (Deletable(m)) doomed.push_back(m);
  host_.ForgetPreviewNode();
  host_.ForgetNodePointers();
  model::DeleteNodeTrees(graph_, doomed);
  graph_.DeleteOrphans();
  ForgetCurrentNode();
  host_.ViewChanged();
}

void SelectionCommands::DeleteCurrentNode() {
  TheNode* current = graph_.CurrentNode;
  if (host_.ConfirmDeletion() && current && !host_.AskOkCancel(host_.Msg(22), host_.Msg(21))) return;
  if (!current) return;
  if (!Deletable(current)) {
    host_.ShowWarning(kCannotDeleteLevel);
    return;
  }
  host_.PushUndoSnapshot();
  if (graph_.MainNode != host_.PreviewNode()) host_.ForgetPreviewNode();
  host_.ForgetNodePointers();
  // A container goes with its whole level: its members would be left
  // without an owner otherwise.
  if (current->IsContainer()) model::DeleteNodeTrees(graph_, {current});
  else graph_.DeleteNode(current);
  ForgetCurrentNode();
  host_.ViewChanged();
}

void SelectionCommands::ForgetCurrentNode() {
  // Through the window, so the name and value fields and the level tabs
  // no longer show a deleted node.
  graph_.CurrentNode = nullptr;
  host_.SetCurrentNode(nullptr);
}

void SelectionCommands::HideCross() { host_.SetCurrentNode(nullptr); }

void SelectionCommands::Queue(bool vertical) {
  host_.PushUndoSnapshot();
  if (!graph_.MainNode) return;
  std::function<std::int32_t(std::int32_t)> snap;
  if (host_.UseGrid()) snap = [this](std::int32_t v) { return host_.SnapToGrid(v); };
  if (!model::QueueSelected(graph_, vertical ? model::QueueAxis::Vertical : model::QueueAxis::Horizontal, snap))
    return;
  host_.ViewChanged();
}

void SelectionCommands::VerticalQueue() { Queue(true); }

void SelectionCommands::HorizontalQueue() { Queue(false); }

void SelectionCommands::ClearAllInputValues(const std::function<bool(std::uint8_t)>& needsValue) {
  host_.PushUndoSnapshot();
  model::ClearResultValues(graph_, needsValue);
}

void SelectionCommands::DeleteAllLines() {
  host_.PushUndoSnapshot();
  // Membership links stay: a container keeps its level.
  if (graph_.CurrentNode) model::FreeOwnLinesKeepingMembers(graph_.CurrentNode);
}

}  // namespace vemu::ui
