// The hierarchy tabs above the canvas (TabSet1) and in the level bar
// (TabControl2): they show the shown level among its owner's sub-circuits
// and its own, and a click switches the shown level.
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

void Refill(QTabBar* tabs, const std::vector<QString>& names, int index) {
  if (!tabs) return;
  const QSignalBlocker quiet(tabs);
  while (tabs->count() > 0) tabs->removeTab(tabs->count() - 1);
  for (const QString& name : names) tabs->addTab(name);
  if (index >= 0) tabs->setCurrentIndex(index);
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
