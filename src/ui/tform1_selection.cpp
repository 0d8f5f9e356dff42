// The main window's selection commands: the handlers call the plain
// commands of ui/selection_commands.h through the window's host.
#include <QAction>
#include <QToolButton>

#include "catalogue/messages.h"
#include "catalogue/settings.h"
#include "model/selection.h"
#include "platform/dialogs.h"
#include "ui/paint_box.h"
#include "ui/selection_commands.h"
#include "ui/tform1.h"
#include "ui/value_window.h"
#include "view/windows/preview_window.h"

using vemu::model::TheNode;
namespace platform = vemu::platform;

namespace {

class WindowSelectionHost final : public vemu::ui::SelectionHost {
 public:
  explicit WindowSelectionHost(TForm1& form) : form_(form) {}

  void PushUndoSnapshot() override { form_.PushUndoSnapshot(); }
  void SetStatusText(int panel, const std::string& text) override { form_.SetStatusText(panel, text); }
  std::string Msg(int index) override { return vemu::catalogue::GetMsg(index); }
  bool AskOkCancel(const std::string& text, const std::string& caption) override {
    return platform::dialogs().messageBox(caption, text, platform::MsgButtons::OkCancel,
                                          platform::MsgIcon::Confirmation) == platform::MsgResult::Ok;
  }
  void ShowWarning(const std::string& text) override {
    platform::dialogs().messageBox("Vemu", text, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
  }
  bool ConfirmDeletion() override { return form_.App().Settings->CheckWindowDelete; }
  bool UseGrid() override { return form_.App().Settings->CheckUseGrid; }
  std::int32_t SnapToGrid(std::int32_t v) override { return form_.SnapToGrid(v); }
  void SetCurrentNode(TheNode* n) override { form_.SetCurrentNode(n); }
  TheNode* PreviewNode() override {
    return form_.App().FormSubCircuit ? form_.App().FormSubCircuit->ShownNode : nullptr;
  }
  void ForgetPreviewNode() override {
    if (form_.App().FormSubCircuit) form_.App().FormSubCircuit->ShownNode = nullptr;
  }
  void ForgetNodePointers() override { form_.ForgetNodePointers(); }
  void ViewChanged() override {
    form_.ComputeItemsRect();
    form_.UpdateScrollBars();
    form_.DrawAll(form_.BackBuffer, form_.PaintBox1, true);
  }

 private:
  TForm1& form_;
};

void RunSelectionCommand(TForm1& form, void (vemu::ui::SelectionCommands::*command)()) {
  WindowSelectionHost host(form);
  vemu::ui::SelectionCommands commands(*form.Graph, host);
  (commands.*command)();
}

}  // namespace

void TForm1::SetLevelSelection(std::uint8_t flag) { vemu::model::SetLevelSelection(*Graph, flag); }

std::int32_t TForm1::CountNodesOfType(std::uint8_t t) { return vemu::model::CountNodesOfType(*Graph, t); }

void TForm1::SelectAll1Click() { RunSelectionCommand(*this, &vemu::ui::SelectionCommands::SelectAll); }

void TForm1::UnselectAll1Click() { RunSelectionCommand(*this, &vemu::ui::SelectionCommands::UnselectAll); }

void TForm1::Deleteobject1Click() { RunSelectionCommand(*this, &vemu::ui::SelectionCommands::DeleteObject); }

void TForm1::HideCross1Click() { RunSelectionCommand(*this, &vemu::ui::SelectionCommands::HideCross); }

void TForm1::Verticalqueue1Click() { RunSelectionCommand(*this, &vemu::ui::SelectionCommands::VerticalQueue); }

void TForm1::Horizontalqueue1Click() {
  RunSelectionCommand(*this, &vemu::ui::SelectionCommands::HorizontalQueue);
}

void TForm1::ClearAllInputValues1Click() {
  WindowSelectionHost host(*this);
  vemu::ui::SelectionCommands commands(*Graph, host);
  commands.ClearAllInputValues([this](std::uint8_t t) { return static_cast<std::size_t>(t) < NodeTypes.size() && NodeTypes[t].V; });
}

void TForm1::DeleteAllLines1Click() { RunSelectionCommand(*this, &vemu::ui::SelectionCommands::DeleteAllLines); }

void TForm1::ConnectSelectionControls() {
  const std::pair<QAction*, void (TForm1::*)()> items[] = {
      {SelectAll1, &TForm1::SelectAll1Click},
      {UnselectAll1, &TForm1::UnselectAll1Click},
      {Deleteobject1, &TForm1::Deleteobject1Click},
      {HideCross1, &TForm1::HideCross1Click},
      {Verticalqueue1, &TForm1::Verticalqueue1Click},
      {Horizontalqueue1, &TForm1::Horizontalqueue1Click},
      {ClearAllInputValues1, &TForm1::ClearAllInputValues1Click},
      {DeleteAllLines1, &TForm1::DeleteAllLines1Click},
  };
  for (const auto& [item, handler] : items)
    if (item) connect(item, &QAction::triggered, this, [this, handler = handler] { (this->*handler)(); });
  if (SpeedButtonDelete) connect(SpeedButtonDelete, &QToolButton::clicked, this, [this] { Deleteobject1Click(); });
}
