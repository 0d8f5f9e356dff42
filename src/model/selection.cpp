#include "model/selection.h"

#include <unordered_set>
#include <utility>

namespace vemu::model {

namespace {

template <typename F>
void forEachMember(const TheBaseOfGraf& graph, F f) {
  if (!graph.MainNode) return;
  graph.MainNode->forEachLine([&f](TheLine* l) {
    if (l->Kind == alHaveItem && l->Node) f(l->Node);
  });
}

// `top` and everything below it through kind-1 links, each once.
void collectTree(TheNode* top, std::unordered_set<const TheNode*>& seen, std::vector<TheNode*>& out) {
  if (!top || !seen.insert(top).second) return;
  std::vector<TheNode*> stack{top};
  out.push_back(top);
  while (!stack.empty()) {
    TheNode* n = stack.back();
    stack.pop_back();
    n->forEachLine([&](TheLine* l) {
      if (l->Kind == alHaveItem && l->Node && seen.insert(l->Node).second) {
        out.push_back(l->Node);
        stack.push_back(l->Node);
      }
    });
  }
}

// Unlinks and destroys every link of `n` for which `drop` holds.
template <typename Drop>
void dropLinks(TheNode* n, Drop drop) {
  std::unique_ptr<TheLine>* slot = &n->FirstLine;
  while (*slot) {
    if (drop(slot->get())) {
      auto gone = std::move(*slot);
      *slot = std::move(gone->Next);
    } else {
      slot = &(*slot)->Next;
    }
  }
}

}  // namespace

void SetLevelSelection(TheBaseOfGraf& graph, std::uint8_t flag) {
  forEachMember(graph, [flag](TheNode* m) { m->Selected = flag; });
}

std::int32_t CountSelected(const TheBaseOfGraf& graph) {
  std::int32_t count = 0;
  forEachMember(graph, [&count](const TheNode* m) { count += m->Selected != 0; });
  return count;
}

std::vector<TheNode*> SelectedMembers(const TheBaseOfGraf& graph) {
  std::vector<TheNode*> members;
  forEachMember(graph, [&members](TheNode* m) {
    if (m->Selected) members.push_back(m);
  });
  return members;
}

std::int32_t CountNodesOfType(const TheBaseOfGraf& graph, std::uint8_t t) {
  std::int32_t count = 0;
  graph.forEachNode([&](const TheNode* n) { count += n->NodeType == t; });
  return count;
}

bool TreeHolds(const TheNode* top, const TheNode* n) {
  if (!top || !n) return false;
  std::unordered_set<const TheNode*> seen;
  std::vector<TheNode*> tree;
  collectTree(const_cast<TheNode*>(top), seen, tree);
  return seen.count(n) != 0;
}

std::size_t DeleteNodeTrees(TheBaseOfGraf& graph, const std::vector<TheNode*>& tops) {
  std::unordered_set<const TheNode*> listed;
  graph.forEachNode([&listed](const TheNode* n) { listed.insert(n); });
  std::unordered_set<const TheNode*> doomed;
  std::vector<TheNode*> tree;
  for (TheNode* top : tops)
    if (listed.count(top)) collectTree(top, doomed, tree);
  if (doomed.empty()) return 0;

  if (doomed.count(graph.CurrentNode)) graph.CurrentNode = nullptr;
  if (doomed.count(graph.MainNode)) graph.MainNode = nullptr;
  // One sweep: survivors forget the doomed nodes.
  graph.forEachNode([&](TheNode* m) {
    if (doomed.count(m)) return;
    if (m->Upper && doomed.count(m->Upper)) m->Upper = nullptr;
    dropLinks(m, [&](const TheLine* l) { return l->Node && doomed.count(l->Node); });
  });

  return graph.FreeNodesWhere([&doomed](const TheNode* n) { return doomed.count(n) != 0; });
}

bool QueueSelected(TheBaseOfGraf& graph, QueueAxis axis,
                   const std::function<std::int32_t(std::int32_t)>& snap) {
  const std::vector<TheNode*> members = SelectedMembers(graph);
  if (members.empty()) return false;
  auto coord = [axis](TheNode* m) -> std::int32_t& { return axis == QueueAxis::Vertical ? m->X : m->Y; };
  std::int64_t lo = coord(members.front()), hi = lo;
  for (TheNode* m : members) {
    lo = std::min<std::int64_t>(lo, coord(m));
    hi = std::max<std::int64_t>(hi, coord(m));
  }
  // 64-bit arithmetic: far-apart members cannot overflow the middle.
  auto middle = static_cast<std::int32_t>(lo + (hi - lo) / 2);
  if (snap) middle = snap(middle);
  for (TheNode* m : members) coord(m) = middle;
  return true;
}

void ClearResultValues(TheBaseOfGraf& graph, const std::function<bool(std::uint8_t)>& needsValue) {
  graph.forEachNode([&](TheNode* n) {
    if (n->IsElement() && !needsValue(n->NodeType)) n->Value.clear();
  });
}

void FreeOwnLinesKeepingMembers(TheNode* n) {
  if (!n) return;
  dropLinks(n, [](const TheLine* l) { return l->Kind != alHaveItem; });
}

}  // namespace vemu::model
