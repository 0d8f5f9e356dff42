#include "model/placement.h"

#include <unordered_set>

namespace vemu::model {

namespace {

std::string NameWithNumber(std::string_view letter, long long number) {
  return (std::string(letter) + std::to_string(number)).substr(0, 30);
}

bool HasControlLink(const TheNode* n) {
  bool found = false;
  n->forEachLine([&](TheLine* l) { found = found || l->Kind == alControl; });
  return found;
}

}  // namespace

bool IsPairType(int type) { return type >= 9 && type <= 18; }

int PartnerType(int type) {
  if (type == 9) return 10;
  if (type == 10) return 9;
  if (type >= 11 && type <= 18) return type % 2 == 1 ? type + 1 : type - 1;
  return type;
}

std::string LinkLimitsText(int linksIn, int linksOut) {
  std::string text;
  if (linksIn < 0) text += "IN:unlimited, ";
  else if (linksIn > 0) text += "IN:=" + std::to_string(linksIn) + ", ";
  if (linksOut < 0) text += "OUT:unlimited";
  else if (linksOut > 0) text += "OUT:=" + std::to_string(linksOut);
  return text;
}

std::string NewElementName(const TheBaseOfGraf& graph, const TheNode* placed,
                           std::string_view letter, int count) {
  // The names already given, of the form letter + number, in one sweep.
  std::unordered_set<std::string> taken;
  graph.forEachNode([&](TheNode* n) {
    if (n != placed && n->Name.str().compare(0, letter.size(), letter) == 0) taken.insert(n->Name.str());
  });
  long long number = count;
  std::string name = NameWithNumber(letter, number);
  // Every taken name blocks at most one number, so this ends.
  while (taken.count(name) && name.size() < 30) name = NameWithNumber(letter, ++number);
  return name;
}

TheNode* PlaceElement(TheBaseOfGraf& graph, TheNode* level, int& currentType, TheNode*& pendingHalf,
                      TPoint at, PlacementHost& host) {
  host.PushUndoSnapshot();
  const int type = currentType;
  TheNode* e = graph.AddNode(level, static_cast<std::uint8_t>(type));
  host.SetModified();
  graph.AddLine(1, level, e, alHaveItem);
  e->X = at.x;
  e->Y = at.y;
  e->Name = NewElementName(graph, e, host.TypeLetter(type), host.CountNodesOfType(type));
  AfterCreateElement(graph, e, currentType, pendingHalf, host);
  host.ItemsChanged();
  return e;
}

TheNode* PlaceJunction(TheBaseOfGraf& graph, TheNode* level, TPoint at, PlacementHost& host) {
  host.PushUndoSnapshot();
  TheNode* j = graph.AddNode(level, ntJunction);
  host.SetModified();
  graph.AddLine(-1, level, j, alHaveItem);
  j->X = at.x;
  j->Y = at.y;
  j->Name = std::to_string(host.CountNodesOfType(ntJunction));
  host.NumberNets();
  host.ItemsChanged();
  return j;
}

void AfterCreateElement(TheBaseOfGraf& graph, TheNode* placed, int& currentType,
                        TheNode*& pendingHalf, PlacementHost& host) {
  if (!placed) return;
  int t = currentType;
  if (t >= 25 && t <= 28) {
    placed->Wx += 8;
    placed->Wy -= 8;
  }
  if (t == ntText) {
    placed->Value = std::string(kNewTextValue);
    placed->Name = "text";
    placed->Wx = 0;
    placed->Wy = 0;
    host.EditNodeValue(placed);
    if (!graph.Contains(placed)) return;  // the value entry may have undone it
    placed->Wx = 0;
    placed->Wy = 0;
  }
  if (IsPairType(t)) {
    if (t == 9 || t == 10) placed->Value.assign(1, '1');
    t = PartnerType(t);
    currentType = t;
    host.ChooseType(t);
    currentType = t;
  }
  // A waiting half that is no longer part of the circuit is forgotten.
  if (pendingHalf && !graph.Contains(pendingHalf)) pendingHalf = nullptr;
  const bool pairing = IsPairType(currentType);
  if (pairing && pendingHalf && pendingHalf->NodeType != currentType) pendingHalf = nullptr;
  bool linkedFromPending = false;
  if (pendingHalf && pairing) {
    const bool pendingHolds = host.UsesInfoLink(pendingHalf->NodeType);
    TheNode* source = pendingHolds ? pendingHalf : placed;
    TheNode* target = pendingHolds ? placed : pendingHalf;
    if (!HasControlLink(source)) {
      graph.AddLine(-1, source, target, alControl);
      linkedFromPending = source == pendingHalf;
    }
  }
  pendingHalf = nullptr;
  if (linkedFromPending) return;
  if (pairing) pendingHalf = placed;
}

void PlaceOrOpen(TheBaseOfGraf& graph, TheNode* level, TheNode* hit, int& currentType,
                 TheNode*& pendingHalf, TPoint at, PlacementHost& host) {
  if (hit) {
    host.EditNodeValue(hit);
    return;
  }
  if (!level) return;
  if (currentType != ntJunction) PlaceElement(graph, level, currentType, pendingHalf, at, host);
  else PlaceJunction(graph, level, at, host);
}

void ToggleArrangeMode(std::uint8_t& mode, const TheNode* level, EditingHost& host) {
  mode = static_cast<std::uint8_t>(1 - mode);
  host.PushUndoSnapshot();
  if (level && !level->FirstLine) host.ShowMessage(host.Msg(56));
}

}  // namespace vemu::model
