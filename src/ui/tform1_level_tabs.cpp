// The hierarchy tabs above the canvas (TabSet1) and in the level bar
// (TabControl2): they show the shown level among its owner's sub-circuits
// and its own, and a click switches the shown level.
#include <QCoreApplication>
#include <QHoverEvent>
#include <QTabBar>

#include "model/graph.h"
#include "netlist/level_selection.h"
#include "platform/qt/qt_text.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "view/windows/preview_window.h"

using vemu::model::TheNode;

namespace {

// The names of the container members of `level`, in list order.
void AddContainerMembers(std::vector<QString>& names, const TheNode* level) {
  level->forEachLine([&](const vemu::model::TheLine* l) {
    if (l->Kind == vemu::model::alHaveItem && l->Node && l->Node->IsContainer())
      names.push_back(vemu::platform::fromCp1251(l->Node->Name.str()));
  });
}

// The bar's tabs become `names`, `index` current, in one pass: every tab
// added or removed makes a bar lay out all its shown tabs again (also a
// bar that is not on screen), which made a level of thousands of
// sub-circuits take minutes. So the bar is taken off the screen while its
// tabs change, the tabs it has are renamed, and new tabs are added hidden
// (laid out at no cost) and shown together; the bar then lays its tabs out
// once. A bar that already holds the names is left as it is.
void Refill(QTabBar* tabs, const std::vector<QString>& names, int index) {
  if (!tabs) return;
  const QSignalBlocker quiet(tabs);
  const int wanted = static_cast<int>(names.size());
  const auto name = [&](int i) -> const QString& { return names[static_cast<std::size_t>(i)]; };
  bool same = tabs->count() == wanted;
  for (int i = 0; same && i < wanted; ++i) same = tabs->tabText(i) == name(i);
  if (same) {
    if (index >= 0) tabs->setCurrentIndex(index);
    return;
  }
  const bool shown = tabs->isVisible();
  const bool focused = tabs->hasFocus();
  if (shown) tabs->setVisible(false);
  // A bar under the mouse looks for the hovered tab, laying out all its
  // tabs, at every tab removed: it forgets the mouse until it moves again.
  QHoverEvent leave(QEvent::HoverLeave, QPointF(-1, -1), QPointF(-1, -1), QPointF(-1, -1));
  QCoreApplication::sendEvent(tabs, &leave);
  // A current tab among those removed would make the bar choose another
  // one, and lay itself out, at each removal.
  if (tabs->currentIndex() >= wanted && wanted > 0) tabs->setCurrentIndex(0);
  while (tabs->count() > wanted) tabs->removeTab(tabs->count() - 1);
  const int kept = tabs->count();
  for (int i = 0; i < kept; ++i)
    if (tabs->tabText(i) != name(i)) tabs->setTabText(i, name(i));
  for (int i = kept; i < wanted; ++i) tabs->setTabVisible(tabs->addTab(name(i)), false);
  for (int i = kept; i < wanted; ++i) tabs->setTabVisible(i, true);
  if (index >= 0) tabs->setCurrentIndex(index);
  if (shown) tabs->setVisible(true);
  if (focused) tabs->setFocus();
}

}  // namespace

void TForm1::UpdateLevelTabs() {
  std::vector<QString> names;
  int index = -1;
  const TheNode* shown = Graph ? Graph->MainNode : nullptr;
  if (shown) {
    if (const TheNode* owner = shown->Upper) {
      names.push_back(vemu::platform::fromCp1251(owner->Name.str()));
      owner->forEachLine([&](const vemu::model::TheLine* l) {
        if (l->Kind == vemu::model::alHaveItem && l->Node && l->Node != shown && l->Node->IsContainer())
          names.push_back(vemu::platform::fromCp1251(l->Node->Name.str()));
      });
    }
    names.push_back(vemu::platform::fromCp1251(shown->Name.str()));
    index = static_cast<int>(names.size()) - 1;
    AddContainerMembers(names, shown);
  }
  Refill(TabSet1, names, index);
  Refill(TabControl2, names, index);
}

void TForm1::RefreshLevelWindows() {
  if (Profile().kind == ProgramKind::Full) UpdateLevelTabs();
  if (app_.FormSubCircuit) app_.FormSubCircuit->DrawSubCircuit();
}

void TForm1::TabControlBARSMouseUp(QTabBar* sender) {
  if (!sender || !Graph || sender->currentIndex() < 0) return;
  const std::string name = vemu::platform::toCp1251(sender->tabText(sender->currentIndex()));
  TheNode* found = nullptr;
  Graph->forEachNode([&](TheNode* n) {
    if (!found && n->IsContainer() && n->Name == name) found = n;
  });
  if (!found) return;
  vemu::netlist::SetLevelSelection(*Graph, 0);
  Graph->MainNode = found;
  SetCurrentNode(nullptr);
  DrawAll(BackBuffer, PaintBox1, true);
}
