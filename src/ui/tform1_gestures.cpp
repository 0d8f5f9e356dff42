// The main window's side of the canvas gestures: the mouse handlers of
// PaintBox1, the current node with its edit fields and level actions, and
// the window's answers to the gesture logic (view/canvas_gesture.h).
#include <QAction>
#include <QMouseEvent>
#include <QTabBar>
#include <QTimer>
#include <QLineEdit>
#include <QPalette>
#include <QToolBar>

#include "catalogue/messages.h"
#include "netlist/level_selection.h"
#include "platform/qt/qt_text.h"
#include "platform/text_codec.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "view/canvas_gesture.h"
#include "view/gesture_connect.h"
#include "view/gesture_hit_test.h"
#include "view/my_line.h"

using vemu::model::TheNode;
using vemu::model::TPoint;
namespace view = vemu::view;

namespace {

class FormGestureHost : public view::GestureHost {
 public:
  explicit FormGestureHost(TForm1& form) : form_(form) {}
  void SetStatusText(int panel, const std::string& text) override { form_.SetStatusText(panel, text); }
  void PushUndoSnapshot() override { form_.PushUndoSnapshot(); }
  void SetModified() override { form_.Modified = 1; }
  void NumberNets() override { form_.NumberNets(); }
  void SetCurrentNode(TheNode* n) override { form_.SetCurrentNode(n); }
  void SetLevelSelection(std::uint8_t flag) override { vemu::netlist::SetLevelSelection(*form_.Graph, flag); }
  void AfterCreateElement(TheNode* element) override { form_.AfterCreateElement(element); }
  void ItemsChanged() override {
    form_.ComputeItemsRect();
    form_.UpdateScrollBars();
  }
  void ViewMoved() override { form_.UpdateScrollBars(); }
  void Redraw() override { form_.DrawAll(form_.BackBuffer, form_.PaintBox1, true); }
  void SetCursor(view::GestureCursor cursor) override {
    static const Qt::CursorShape shapes[] = {Qt::ArrowCursor,   Qt::PointingHandCursor, Qt::WhatsThisCursor,
                                             Qt::SizeAllCursor, Qt::CrossCursor,        Qt::SizeHorCursor,
                                             Qt::ForbiddenCursor, Qt::DragMoveCursor};
    form_.PaintBox1->setCursor(shapes[static_cast<int>(cursor)]);
  }

 private:
  TForm1& form_;
};

view::MouseShift ShiftOf(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
  view::MouseShift s;
  s.shift = keys.testFlag(Qt::ShiftModifier);
  s.ctrl = keys.testFlag(Qt::ControlModifier);
  s.alt = keys.testFlag(Qt::AltModifier);
  s.left = buttons.testFlag(Qt::LeftButton);
  s.right = buttons.testFlag(Qt::RightButton);
  s.middle = buttons.testFlag(Qt::MiddleButton);
  return s;
}

view::MouseButton ButtonOf(Qt::MouseButton button) {
  if (button == Qt::RightButton) return view::MouseButton::Right;
  if (button == Qt::MiddleButton) return view::MouseButton::Middle;
  return view::MouseButton::Left;
}

// Runs `f` with the gesture context and fields of the window.
template <typename F>
void WithGesture(TForm1& form, F f) {
  if (!form.Graph || !form.View || !form.App().Settings) return;
  FormGestureHost host(form);
  view::GestureContext ctx{*form.Graph, *form.View, *form.App().Settings, form.NodeTypes, host};
  ctx.GridStep = form.GridStep;
  ctx.CurrentType = form.CurrentType;
  ctx.SecondBuild = form.Profile().kind != ProgramKind::Full;
  view::GestureFields fields{form.MouseState, form.DownNode,  form.HoverNode,
                             form.DownPoint,  form.MousePoint, form.IgnoreMouseDown};
  f(ctx, fields);
}

void SetField(QLineEdit* edit, const QString& text, bool enabled, const QColor& color) {
  if (!edit) return;
  edit->setText(text);
  edit->setEnabled(enabled);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, color);
  edit->setPalette(palette);
}

}  // namespace

void TForm1::PaintBox1MouseDown(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys,
                                int x, int y) {
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields& g) {
    view::GestureMouseDown(ctx, g, ButtonOf(button), ShiftOf(buttons | button, keys), {x, y});
  });
}

void TForm1::PaintBox1MouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys, int x, int y) {
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields& g) {
    view::GestureMouseMove(ctx, g, ShiftOf(buttons, keys), {x, y});
  });
}

void TForm1::PaintBox1MouseUp(Qt::MouseButton button, Qt::MouseButtons buttons, Qt::KeyboardModifiers keys,
                              int x, int y) {
  unsetCursor();
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields& g) {
    view::GestureMouseUp(ctx, g, ButtonOf(button), ShiftOf(buttons | button, keys), {x, y});
  });
}

TheNode* TForm1::NodeAt(int x, int y) { return NodeAtInLevel(x, y, Graph ? Graph->MainNode : nullptr); }

TheNode* TForm1::NodeAtInLevel(int x, int y, const TheNode* level) {
  return view::NodeAtInLevel(x, y, level, View ? View->Scale : 1.0);
}

std::int32_t TForm1::Distance(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
  return view::Distance(x1, y1, x2, y2);
}

void TForm1::MoveSelected(std::int32_t dx, std::int32_t dy) {
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields&) { view::MoveSelected(ctx, dx, dy); });
}

TPoint TForm1::FindFreePlace(TPoint p1, TPoint p2, const TheNode* level) {
  return view::FindFreePlace(p1, p2, level, GridStep, View ? View->Scale : 1.0);
}

std::string TForm1::ListSubCircuitPinNames(TheNode* x, TheNode* b) {
  std::string names;
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields&) {
    names = view::ListSubCircuitPinNames(ctx, x, b);
  });
  return names;
}

void TForm1::ConnectElementToNode() {
  if (!DownNode || !HoverNode) return;
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields&) {
    view::ConnectElementToNode(ctx, DownNode, HoverNode);
  });
}

void TForm1::ConnectNodeToElement() {
  if (!DownNode || !HoverNode) return;
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields&) {
    view::ConnectNodeToElement(ctx, DownNode, HoverNode);
  });
}

void TForm1::ConnectControlLink() {
  if (!DownNode || !HoverNode) return;
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields&) {
    view::ConnectControlLink(ctx, DownNode, HoverNode);
  });
}

void TForm1::ToggleWire() {
  if (!DownNode || !HoverNode) return;
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields&) {
    view::ToggleWire(ctx, DownNode, HoverNode);
  });
}

void TForm1::InsertElementBetween() {
  if (!DownNode || !HoverNode) return;
  WithGesture(*this, [&](view::GestureContext& ctx, view::GestureFields&) {
    view::InsertElementBetween(ctx, DownNode, HoverNode);
  });
}

void TForm1::SetCurrentNode(TheNode* n) {
  const bool full = Profile().kind == ProgramKind::Full;
  if (full && Graph->MainNode && n) view::SwingLinksAt(n, Graph->MainNode);
  Graph->CurrentNode = n;
  Graph->CheckPinLines(n);
  if (ActUpSub) ActUpSub->setEnabled(Graph->MainNode && Graph->MainNode->Upper);
  if (ActDownSub) ActDownSub->setEnabled(n && n->IsContainer());
  const QColor face = palette().color(QPalette::Button);
  SetField(Edit2, "NIL", false, face);
  SetField(Edit3, "", false, face);
  SetStatusText(1, vemu::catalogue::GetMsg(11));
  if (full) UpdateLevelTabs();
  if (!n) return;
  if (!full && ToolBarNode) ToolBarNode->setVisible(true);
  const QString name = vemu::platform::fromCp1251(n->Name.str());
  if (n->IsElement()) {
    const bool typed = n->NodeType < NodeTypes.size();
    const bool needsValue = typed && NodeTypes[n->NodeType].V;
    SetField(Edit3, vemu::platform::fromCp1251(n->Value), true, needsValue ? QColor(Qt::white) : QColor(166, 202, 240));
    SetField(Edit2, name, true, QColor(Qt::yellow));
    if (typed) SetStatusText(1, NodeTypes[n->NodeType].Uinfo);
    if (n->IsContainer()) {
      Edit3->setText(vemu::platform::fromCp1251(SubCircuitPinList(n)));
      Edit3->setEnabled(false);
    }
  } else if (n->IsJunction()) {
    SetStatusText(1, vemu::catalogue::GetMsg(12));
    SetField(Edit2, name, true, QColor(Qt::white));
    SetField(Edit3, "no value", false, face);
  } else if (n->IsText()) {
    SetStatusText(1, vemu::catalogue::GetMsg(50));
    SetField(Edit2, "TEXT", false, face);
    SetField(Edit3, vemu::platform::fromCp1251(n->Value), true, QColor(Qt::white));
  }
}

void TForm1::ConnectGestureControls() {
  PaintBox1->setMouseTracking(true);
  // A click on the canvas takes the keyboard from the name and value fields,
  // so the menu short-cuts act again (the fields keep their editing keys).
  PaintBox1->setFocusPolicy(Qt::ClickFocus);
  PaintBox1->OnMouseDown = [this](QMouseEvent* e) {
    PaintBox1->setFocus(Qt::MouseFocusReason);
    PaintBox1MouseDown(e->button(), e->buttons(), e->modifiers(), e->position().toPoint().x(),
                       e->position().toPoint().y());
  };
  PaintBox1->OnMouseMove = [this](QMouseEvent* e) {
    PaintBox1MouseMove(e->buttons(), e->modifiers(), e->position().toPoint().x(), e->position().toPoint().y());
  };
  // A double click first places (or opens) and then presses: the element
  // just placed is under the cursor, and the release makes it current.
  PaintBox1->OnDblClick = [this] { PaintBox1DblClick(); };
  PaintBox1->OnMouseUp = [this](QMouseEvent* e) {
    PaintBox1MouseUp(e->button(), e->buttons(), e->modifiers(), e->position().toPoint().x(),
                     e->position().toPoint().y());
  };
  for (QTabBar* tabs : {TabSet1, TabControl2}) {
    if (!tabs) continue;
    // The switch runs once the tab bar has finished with the click: the
    // tabs are refilled then, and the bar does not re-select the old index.
    connect(tabs, &QTabBar::tabBarClicked, this, [this, tabs](int index) {
      QTimer::singleShot(0, this, [this, tabs, index] {
        if (index < 0 || index >= tabs->count()) return;
        tabs->setCurrentIndex(index);
        TabControlBARSMouseUp(tabs);
      });
    });
  }
}
