// Element placement: the palette, the amplifier menu, the double click and
// its menu twin, the new-junction command and the arrangement switch. The
// rules live in model/placement; this file lends them the window.
#include <QAbstractButton>
#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "catalogue/messages.h"
#include "catalogue/node_type_table.h"
#include "model/placement.h"
#include "platform/dialogs.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "ui/tform1_editing_host.h"

using vemu::model::TheNode;

Form1EditingHost::Form1EditingHost(TForm1& form) : form_(form) {}

void Form1EditingHost::PushUndoSnapshot() { form_.PushUndoSnapshot(); }
void Form1EditingHost::SetModified() { form_.Modified = 1; }
void Form1EditingHost::SetStatusText(int panel, const std::string& text) { form_.SetStatusText(panel, text); }
std::string Form1EditingHost::Msg(int index) { return vemu::catalogue::GetMsg(index); }
void Form1EditingHost::ShowMessage(const std::string& text) { vemu::platform::dialogs().showMessage(text); }
void Form1EditingHost::ShowWarning(const std::string& text) {
  vemu::platform::dialogs().messageBox("Vemu", text, vemu::platform::MsgButtons::Ok,
                                       vemu::platform::MsgIcon::Warning);
}
void Form1EditingHost::DeselectLevel() { form_.SetLevelSelection(0); }
void Form1EditingHost::SortByName() { form_.SortByName(); }
void Form1EditingHost::NumberNets() { form_.NumberNets(); }
void Form1EditingHost::Redraw() { form_.DrawAll(form_.BackBuffer, form_.PaintBox1, true); }

std::string Form1EditingHost::TypeLetter(int type) {
  const auto& types = form_.NodeTypes;
  if (type < 0 || static_cast<std::size_t>(type) >= types.size()) return "?";
  return std::string(1, vemu::catalogue::TypeLetterByte(types[static_cast<std::size_t>(type)]));
}

bool Form1EditingHost::UsesInfoLink(int type) {
  const auto& types = form_.NodeTypes;
  return type >= 0 && static_cast<std::size_t>(type) < types.size() &&
         types[static_cast<std::size_t>(type)].UseInfoLink;
}

int Form1EditingHost::CountNodesOfType(int type) {
  return form_.CountNodesOfType(static_cast<std::uint8_t>(type));
}

void Form1EditingHost::ChooseType(int type) {
  if (type < 0 || static_cast<std::size_t>(type) >= form_.ButtonOfType.size()) return;
  QAbstractButton* button = form_.ButtonOfType[static_cast<std::size_t>(type)];
  if (!button) return;
  button->setChecked(true);
  form_.SpeedButton3Click(button);
}

void Form1EditingHost::EditNodeValue(TheNode* node) { form_.EditNodeValue(node); }

void Form1EditingHost::ItemsChanged() {
  form_.ComputeItemsRect();
  form_.UpdateScrollBars();
}

namespace {

const vemu::catalogue::TNodeTypeInfo* TypeInfo(const TForm1& form, int type) {
  if (type < 0 || static_cast<std::size_t>(type) >= form.NodeTypes.size()) return nullptr;
  return &form.NodeTypes[static_cast<std::size_t>(type)];
}

std::string Description(const TForm1& form, int type) {
  const auto* info = TypeInfo(form, type);
  return info ? info->Uinfo : std::string();
}

}  // namespace

void TForm1::SpeedButton3Click(QObject* sender) {
  ComputeItemsRect();
  UpdateScrollBars();
  const int t = ControlTag(sender);
  CurrentType = t;
  if (t == vemu::model::ntJunction) {
    SetStatusText(2, vemu::catalogue::GetMsg(33));
    SetStatusText(1, vemu::catalogue::GetMsg(49));
    return;
  }
  SetStatusText(2, vemu::catalogue::GetMsg(31) + ":" + Description(*this, t));
  const auto* info = TypeInfo(*this, t);
  SetStatusText(1, info ? vemu::model::LinkLimitsText(info->L_in, info->L_out) : std::string());
}

void TForm1::G1Click(QObject* sender) {
  const int tag = ControlTag(sender);
  if (tag < 25 || tag > 28) return;
  CurrentType = tag;
  SetStatusText(2, Description(*this, tag));
  SetStatusText(1, "IN:=1; OUT:=1;");
}

void TForm1::SpeedButton42Click() {
  CurrentType = 25;
  SetStatusText(2, Description(*this, 25));
  SetStatusText(1, "IN:=1; OUT:=1;");
  if (PopupMenu1 && SpeedButton42) PopupMenu1->popup(SpeedButton42->mapToGlobal(QPoint(40, -100)));
}

void TForm1::PaintBox1DblClick() {
  const vemu::model::TPoint at = View->ScreenToLogical(MousePoint);
  Form1EditingHost host(*this);
  vemu::model::PlaceOrOpen(*Graph, Graph->MainNode, NodeAt(at.x, at.y), CurrentType, PendingHalf, at, host);
}

void TForm1::NewUnit1Click() { PaintBox1DblClick(); }

void TForm1::NewNode1Click() {
  if (!Graph->MainNode) return;
  Form1EditingHost host(*this);
  vemu::model::PlaceJunction(*Graph, Graph->MainNode, View->ScreenToLogical(MousePoint), host);
}

void TForm1::GoBaby1Click() {
  Form1EditingHost host(*this);
  vemu::model::ToggleArrangeMode(ArrangeMode, Graph->MainNode, host);
}

void TForm1::AfterCreateElement(TheNode* e) {
  Form1EditingHost host(*this);
  vemu::model::AfterCreateElement(*Graph, e, CurrentType, PendingHalf, host);
}

void TForm1::ConnectPlacementControls() {
  for (QToolButton* button : PaletteButtons) {
    if (button == SpeedButton42) continue;
    connect(button, &QAbstractButton::clicked, this, [this, button] { SpeedButton3Click(button); });
  }
  if (SpeedButton42) connect(SpeedButton42, &QAbstractButton::clicked, this, [this] { SpeedButton42Click(); });
  for (QAction* item : {K1, G1, B1, H1})
    if (item) connect(item, &QAction::triggered, this, [this, item] { G1Click(item); });
  auto hook = [this](QAction* action, void (TForm1::*handler)()) {
    if (action) connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
  };
  hook(NewUnit1, &TForm1::NewUnit1Click);
  hook(NewNode1, &TForm1::NewNode1Click);
  hook(GoBaby1, &TForm1::GoBaby1Click);
  hook(GroundNode1, &TForm1::GroundNode1Click);
  hook(Rename, &TForm1::RenameClick);
  if (SpeedButton32) connect(SpeedButton32, &QAbstractButton::clicked, this, [this] { GroundNode1Click(); });
  ConnectNamingFields(*this);
}
