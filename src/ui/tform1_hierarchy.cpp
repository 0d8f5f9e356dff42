// The main window's commands across levels: stepping down and up, the
// preview of a level, moving the selection between levels and the repair
// pass. The work itself is model::Hierarchy; the window answers its host.
#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QTimer>
#include <QToolButton>
#include <random>

#include "catalogue/messages.h"
#include "model/hierarchy.h"
#include "model/move_targets.h"
#include "model/selection.h"
#include "platform/dialogs.h"
#include "platform/text_codec.h"
#include "ui/action_link.h"
#include "ui/ask_insert_move.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "view/windows/preview_window.h"

using vemu::model::TheNode;
namespace model = vemu::model;
namespace platform = vemu::platform;

class TForm1::HierarchyWindowHost final : public model::HierarchyHost {
 public:
  explicit HierarchyWindowHost(TForm1& form) : form_(form) {}

  void ShowMessage(const std::string& text) override {
    platform::dialogs().showMessage(platform::cp1251ToUtf8(text));
  }
  void ShowOnNode(TheNode* node, const std::string& text, const std::string& caption) override {
    form_.GO(node, text, caption);
  }
  void StopTimer() override {
    if (form_.Timer1) form_.Timer1->stop();
  }
  void StartTimer() override {
    if (form_.Timer1) form_.Timer1->start();
  }
  void ForgetNodePointers() override { form_.ForgetNodePointers(); }
  void SetCurrentNode(TheNode* n) override { form_.SetCurrentNode(n); }
  void NumberNets() override { form_.NumberNets(); }
  void ShowInPreview(TheNode* container) override {
    TFormSubCircuit* preview = form_.App().FormSubCircuit;
    if (!preview) return;
    preview->SetNode(container);
    preview->show();
  }
  int Random(int n) override {
    std::minstd_rand engine(form_.HierarchyRandomState);
    const int value = std::uniform_int_distribution<int>(0, n - 1)(engine);
    form_.HierarchyRandomState = static_cast<std::uint32_t>(engine());
    return value;
  }

 private:
  TForm1& form_;
};

void TForm1::GO(TheNode* node, const std::string& text, const std::string& caption) {
  SetCurrentNode(node);
  CenterOnNode(node);
  DrawAll(BackBuffer, PaintBox1, true);
  platform::dialogs().messageBox(platform::cp1251ToUtf8(caption), platform::cp1251ToUtf8(text),
                                 platform::MsgButtons::Ok, platform::MsgIcon::None);
}

void TForm1::SBDownHieracyClick() {
  for (std::size_t t = 1; t < ButtonOfType.size() && t <= 38; ++t) {
    QAbstractButton* button = ButtonOfType[t];
    if (!button || ControlTag(button) != model::ntJunction) continue;
    SpeedButton3Click(button);
    if (button->isCheckable()) button->setChecked(true);
    break;
  }
  CurrentType = model::ntJunction;
  SetLevelSelection(0);
  TheNode* current = Graph->CurrentNode;
  if (!current || !current->IsContainer()) return;
  Graph->MainNode = current;
  SetCurrentNode(nullptr);
  DrawAll(BackBuffer, PaintBox1, true);
}

void TForm1::SBUpHieracyClick() {
  TheNode* level = Graph->MainNode;
  if (!level) return;
  SetLevelSelection(0);
  if (!level->Upper) return;
  Graph->MainNode = level->Upper;
  SetCurrentNode(level);
  DrawAll(BackBuffer, PaintBox1, true);
}

void TForm1::SubCircuitWindowClick() {
  TFormSubCircuit* preview = app_.FormSubCircuit;
  TheNode* current = Graph->CurrentNode;
  if (!preview || !current || !current->IsContainer()) return;
  // The sub-circuit already shown keeps its zoom and pan; a window hidden
  // meanwhile (its level emptied, Esc) comes back with it all the same.
  if (preview->ShownNode == current && preview->isVisible()) return;
  preview->SetNode(current);
  preview->show();
  preview->DrawSubCircuit();
}

void TForm1::UpLevelWindow1Click() {
  TFormSubCircuit* preview = app_.FormSubCircuit;
  TheNode* level = Graph->MainNode;
  if (!preview || !level) return;
  preview->SetNode(level->Upper ? level->Upper : level);
  preview->show();
  preview->DrawSubCircuit();
}

void TForm1::MoveSelectedFromTo(TheNode* from, TheNode* to) {
  HierarchyWindowHost host(*this);
  model::Hierarchy(*Graph, host).MoveSelectedFromTo(from, to);
  DrawAll(BackBuffer, PaintBox1, true);
}

void TForm1::CorrectSubCircuitLines() {
  PushUndoSnapshot();
  HierarchyWindowHost host(*this);
  model::Hierarchy(*Graph, host).CorrectSubCircuitLines();
  Modified = 1;
  DrawAll(BackBuffer, PaintBox1, true);
}

void TForm1::ConvertSelectedtoSubcircuit1Click() {
  TheNode* level = Graph->MainNode;
  if (!level) return;
  Graph->Renumber();
  HierarchyWindowHost host(*this);
  model::Hierarchy hierarchy(*Graph, host);
  int count = 0;
  const model::TPoint mean = hierarchy.SelectionMean(count);
  if (count == 0) {
    SetStatusText(1, vemu::catalogue::GetMsg(10));
    return;
  }
  if (!app_.AskInsertMove) return;
  const std::optional<model::MoveTarget> choice = app_.AskInsertMove->AskMoveTarget(level);
  if (!choice) return;
  PushUndoSnapshot();
  TheNode* target = choice->node;
  switch (choice->kind) {
    case model::MoveTargetKind::NewSubCircuit:
      target = hierarchy.NewSubCircuit(level, mean);
      Modified = 1;
      break;
    case model::MoveTargetKind::OwnerLevel:
      if (!target) return;
      break;
    case model::MoveTargetKind::Container:
      if (!target) return;
      target->Selected = 0;
      break;
  }
  MoveSelectedFromTo(level, target);
  if (choice->kind == model::MoveTargetKind::OwnerLevel) {
    SetCurrentNode(level);
  } else if (TFormSubCircuit* preview = app_.FormSubCircuit) {
    preview->OwnScale.MoveBy(preview->width() / 2 - preview->OwnScale.XToScreen(mean.x),
                             preview->height() / 4 - preview->OwnScale.YToScreen(mean.y));
  }
  DrawAll(BackBuffer, PaintBox1, true);
}

void TForm1::ReturntoUPlevel1Click() {
  TheNode* level = Graph->MainNode;
  if (!level) return;
  if (CountSelected() == 0) {
    SetStatusText(1, vemu::catalogue::GetMsg(10));
    return;
  }
  if (!level->Upper) return;
  // The move deletes links, merges junctions and rebuilds pins: one step back undoes it.
  PushUndoSnapshot();
  MoveSelectedFromTo(level, level->Upper);
  SetCurrentNode(level);
  DrawAll(BackBuffer, PaintBox1, true);
}

void TForm1::Joinfeenodes1Click() {
  HierarchyWindowHost host(*this);
  if (!Graph->MainNode) return;
  if (!model::Hierarchy(*Graph, host).JoinFreeNodes()) SetStatusText(1, vemu::catalogue::GetMsg(10));
}

void TForm1::ConnectHierarchyControls() {
  const std::pair<QAction*, void (TForm1::*)()> items[] = {
      {ActDownSub, &TForm1::SBDownHieracyClick},
      {ActUpSub, &TForm1::SBUpHieracyClick},
      {ActSubWin, &TForm1::SubCircuitWindowClick},
      {ActMainWin, &TForm1::UpLevelWindow1Click},
      {ConvertSelectedtoSubcircuit1, &TForm1::ConvertSelectedtoSubcircuit1Click},
      {ReturntoUPlevel1, &TForm1::ReturntoUPlevel1Click},
      {Joinfeenodes1, &TForm1::Joinfeenodes1Click},
  };
  for (const auto& [item, handler] : items)
    if (item) connect(item, &QAction::triggered, this, [this, handler = handler] { (this->*handler)(); });
  // The short-cuts belong to the actions, which need the window for them.
  if (ActDownSub) {
    ActDownSub->setShortcuts({QKeySequence(Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_PageDown)});
    addAction(ActDownSub);
  }
  if (ActUpSub) {
    ActUpSub->setShortcuts({QKeySequence(Qt::Key_PageUp), QKeySequence(Qt::CTRL | Qt::Key_PageUp)});
    addAction(ActUpSub);
  }
  if (SBDownHieracy && ActDownSub) LinkToAction(SBDownHieracy, ActDownSub);
  if (SBUpHieracy && ActUpSub) LinkToAction(SBUpHieracy, ActUpSub);
  if (Joinfeenodes1) Joinfeenodes1->setEnabled(false);
}
