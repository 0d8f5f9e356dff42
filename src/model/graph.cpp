#include "model/graph.h"

#include <unordered_set>
#include <utility>

#include "platform/dialogs.h"
#include "platform/text_codec.h"

namespace vemu::model {

bool GraphBusy = false;

namespace {

ModelVariant gVariant = ModelVariant::Full;

// Fixed-text reports of the model go to a plain box with an OK button.
void report(const std::string& cp1251Text) {
  platform::dialogs().showMessage(platform::cp1251ToUtf8(cp1251Text));
}

// Frees a chain of links without recursing through the chain.
void freeLineChain(std::unique_ptr<TheLine>& head) {
  while (head) head = std::move(head->Next);
}

}  // namespace

void SetModelVariant(ModelVariant variant) { gVariant = variant; }
ModelVariant CurrentModelVariant() { return gVariant; }

TheLine::~TheLine() { freeLineChain(Next); }

TheNode::~TheNode() {
  freeLineChain(FirstLine);
  // A chain of nodes is freed one by one, never recursively.
  while (NextNode) NextNode = std::move(NextNode->NextNode);
}

bool TheNode::IsJunction() const { return NodeType == 2; }

bool TheNode::IsElement() const {
  if (gVariant == ModelVariant::Second) return NodeType >= 3 && NodeType <= 31;
  return (NodeType >= 3 && NodeType <= 31) || (NodeType >= 33 && NodeType <= 38);
}

bool TheNode::IsText() const { return NodeType == 32; }

bool TheNode::IsMultiLineText() const {
  return NodeType == 32 && Value.find('/') != std::string::npos;
}

bool TheNode::IsContainer() const { return NodeType == 1 || NodeType == 29; }

std::string TheNode::Describe() const {
  if (gVariant == ModelVariant::Second)
    return (Upper ? Upper->Name.str() : std::string("nil")) + "/" + Name.str() + " [" + std::to_string(Number) + "] ";
  std::string prefix;
  if (!Upper) prefix = "nil:";
  else if (Upper->Upper) prefix = Upper->Name.str() + ".";
  return prefix + Name.str() + " [#" + std::to_string(Number) + "] ";
}

std::string TheNode::AsText() const { return Name.str() + NodeTypeName(NodeType); }

TheBaseOfGraf::~TheBaseOfGraf() { Clear(); }

TheNode* TheBaseOfGraf::AddNode(std::unique_ptr<TheNode> node, TheNode* upper,
                                std::uint8_t nodeType) {
  if (!node) node = std::make_unique<TheNode>();
  node->NodeType = nodeType;
  node->Upper = upper;
  node->Wx = -15;
  node->Wy = -15;
  TheNode* added = node.get();
  if (last_) last_->NextNode = std::move(node);
  else FirstNode = std::move(node);
  // A node handed over with nodes chained after it brings them along; the
  // tail is the end of that chain, so the next append cannot drop them.
  last_ = added;
  while (last_->NextNode) last_ = last_->NextNode.get();
  return added;
}

TheLine* TheBaseOfGraf::AddLine(int pos, TheNode* n1, TheNode* n2, std::uint8_t kind,
                                std::unique_ptr<TheLine> line) {
  if (!n1 || !n2) {
    report("ADDLINE-ERROR: (N1=nil)or(N2=nil)");
    return nullptr;  // the given link, if any, is freed here
  }
  if (!line) line = CreateLink(n1, n2);
  line->Kind = kind;
  line->Node = n2;
  TheLine* added = line.get();
  auto putFirst = [&] {
    line->Next = std::move(n1->FirstLine);
    n1->FirstLine = std::move(line);
  };
  if (pos == 1 || !n1->FirstLine) {
    putFirst();
    return added;
  }
  TheLine* prev = (pos == -2 || pos == -1) ? GetLine(n1, -2) : GetLine(n1, pos - 1);
  if (prev) {
    line->Next = std::move(prev->Next);
    prev->Next = std::move(line);
  } else {
    report("Abnormal exeption !!! AddLine-rpoc");
    putFirst();
  }
  return added;
}

TheLine* TheBaseOfGraf::GetLine(const TheNode* n, int i) const {
  if (!n || i == -1) return nullptr;
  TheLine* l = n->FirstLine.get();
  if (i == -2) {
    while (l && l->Next) l = l->Next.get();
    return l;
  }
  for (int k = 1; l && k < i; ++k) l = l->Next.get();
  return l;
}

int TheBaseOfGraf::LineCount(const TheNode* n) const {
  int count = 0;
  if (n) n->forEachLine([&](TheLine*) { ++count; });
  return count;
}

int TheBaseOfGraf::IndexOfLine(const TheNode* n, const TheLine* l) const {
  if (!n) return 0;
  int k = 1;
  for (TheLine* p = n->FirstLine.get(); p; p = p->Next.get(), ++k)
    if (p == l) return k;
  return 0;
}

bool TheBaseOfGraf::NodesEqual(const TheNode* a, const TheNode* b) {
  if (a == b) return true;
  if (!a || !b) return false;
  return a->NodeType == b->NodeType && a->Number == b->Number && a->X == b->X && a->Y == b->Y &&
         a->FirstLine.get() == b->FirstLine.get() && a->NextNode.get() == b->NextNode.get();
}

int TheBaseOfGraf::FindLineTo(const TheNode* n, const TheNode* t) const {
  if (!n) return -1;
  int k = 1;
  for (TheLine* l = n->FirstLine.get(); l; l = l->Next.get(), ++k)
    if (l->Node && NodesEqual(l->Node, t)) return k;
  return -1;
}

TheLine* TheBaseOfGraf::GetLineOfKinds(const TheNode* n, int i, const KindSet& kinds) const {
  if (!n) return nullptr;
  int k = 0;
  for (TheLine* l = n->FirstLine.get(); l; l = l->Next.get())
    if (kinds.contains(l->Kind) && ++k == i) return l;
  return nullptr;
}

int TheBaseOfGraf::CountLinesOfKinds(const TheNode* n, const KindSet& kinds) const {
  int count = 0;
  if (n) n->forEachLine([&](TheLine* l) { count += kinds.contains(l->Kind) ? 1 : 0; });
  return count;
}

void TheBaseOfGraf::DeleteLine(TheNode* n, int i) {
  if (!n || i < 1) return;
  if (i == 1) {
    if (!n->FirstLine) return;
    auto head = std::move(n->FirstLine);
    n->FirstLine = std::move(head->Next);
    return;
  }
  TheLine* prev = GetLine(n, i - 1);
  if (!prev || !prev->Next) return;
  auto gone = std::move(prev->Next);
  prev->Next = std::move(gone->Next);
}

void TheBaseOfGraf::FreeLines(TheNode* n) {
  if (!n) return;
  freeLineChain(n->FirstLine);
}

void TheBaseOfGraf::RetargetLines(const TheNode* oldTarget, TheNode* newTarget) {
  if (!oldTarget) return;
  for (TheNode* n = FirstNode.get(); n; n = n->NextNode.get()) {
    std::unique_ptr<TheLine>* slot = &n->FirstLine;
    while (*slot) {
      TheLine* l = slot->get();
      if (l->Node == oldTarget) {
        if (newTarget) {
          l->Node = newTarget;
        } else {
          auto gone = std::move(*slot);
          *slot = std::move(gone->Next);
          continue;
        }
      }
      slot = &l->Next;
    }
  }
}

void TheBaseOfGraf::RemoveReferences(const TheNode* n) {
  if (!n) return;
  if (CurrentNode == n) CurrentNode = nullptr;
  if (MainNode == n) MainNode = nullptr;
  for (TheNode* m = FirstNode.get(); m; m = m->NextNode.get()) {
    if (m->Upper == n) m->Upper = nullptr;
    for (int pos = FindLineTo(m, n); pos != -1; pos = FindLineTo(m, n)) DeleteLine(m, pos);
  }
}

bool TheBaseOfGraf::Contains(const TheNode* n) const {
  for (TheNode* m = FirstNode.get(); m; m = m->NextNode.get())
    if (m == n) return true;
  return false;
}

std::unique_ptr<TheNode> TheBaseOfGraf::Unlink(TheNode* n) {
  TheNode* prev = nullptr;
  std::unique_ptr<TheNode>* slot = &FirstNode;
  while (*slot && slot->get() != n) {
    prev = slot->get();
    slot = &(*slot)->NextNode;
  }
  if (!*slot) return nullptr;
  auto owned = std::move(*slot);
  *slot = std::move(owned->NextNode);
  if (last_ == n) last_ = prev;
  return owned;
}

void TheBaseOfGraf::DeleteNode(TheNode* n) {
  if (!n) return;
  RemoveReferences(n);
  RetargetLines(n, nullptr);
  FreeLines(n);
  // A node outside the list belongs to whoever holds it; only listed nodes
  // are destroyed here.
  Unlink(n);
}

void TheBaseOfGraf::DeleteNodeTree(TheNode* n) {
  if (!n) return;
  // Collect the tree below n in the order the deletion visits it (members
  // before their container, in link order). A membership cycle in a damaged
  // circuit is visited once.
  std::vector<TheNode*> order;
  std::unordered_set<const TheNode*> seen{n};
  struct Frame {
    TheNode* node;
    TheLine* next;
  };
  std::vector<Frame> stack{{n, n->FirstLine.get()}};
  while (!stack.empty()) {
    Frame& top = stack.back();
    if (!top.next) {
      order.push_back(top.node);
      stack.pop_back();
      continue;
    }
    TheLine* l = top.next;
    top.next = l->Next.get();
    if (l->Kind == alHaveItem && l->Node && seen.insert(l->Node).second)
      stack.push_back({l->Node, l->Node->FirstLine.get()});
  }
  for (TheNode* m : order) {
    FreeLines(m);
    DeleteNode(m);
  }
}

void TheBaseOfGraf::DeleteOrphans() {
  // Deleting an owner-less container leaves its members without an owner;
  // members that come before it in the list are caught by another walk, so
  // no owner-less node is left behind.
  bool deleted = true;
  while (deleted) {
    deleted = false;
    TheNode* n = FirstNode.get();
    while (n) {
      TheNode* next = n->NextNode.get();
      if (!n->Upper && n->Name.str().find("Up") == std::string::npos) {
        report("WARNING: delete " + n->Describe());
        n->Name = "ERROR_NODE";
        report("delete Upper=NIL " + n->Describe());
        DeleteNode(n);
        deleted = true;
      }
      n = next;
    }
  }
}

std::size_t TheBaseOfGraf::FreeNodesWhere(const std::function<bool(const TheNode*)>& doomed) {
  std::size_t freed = 0;
  last_ = nullptr;
  std::unique_ptr<TheNode>* slot = &FirstNode;
  while (*slot) {
    TheNode* n = slot->get();
    if (doomed(n)) {
      // Taken off the chain before it is freed, so no chain goes with it.
      std::unique_ptr<TheNode> gone = std::move(*slot);
      *slot = std::move(gone->NextNode);
      ++freed;
      continue;
    }
    last_ = n;
    slot = &n->NextNode;
  }
  return freed;
}

void TheBaseOfGraf::CheckPinLines(TheNode* n) {
  if (!n || !n->IsContainer()) return;
  std::unique_ptr<TheLine>* slot = &n->FirstLine;
  while (*slot) {
    TheLine* l = slot->get();
    if (l->Kind == alOutPin && l->Node && !FindChildByName(l->Node->Name.str(), n)) {
      report("WARNING: delete LINE " + n->Describe());
      auto gone = std::move(*slot);
      *slot = std::move(gone->Next);
      continue;
    }
    slot = &l->Next;
  }
}

void TheBaseOfGraf::UnlinkFromJunctions(TheNode* container, TheNode* junction) {
  if (!container || !junction || !container->IsContainer() || !junction->IsJunction()) return;
  container->forEachLine([&](TheLine* l) {
    if (l->Kind == alHaveItem && l->Node && l->Node->IsJunction()) {
      int pos = FindLineTo(l->Node, junction);
      if (pos != -1) DeleteLine(l->Node, pos);
    }
  });
}

TheNode* TheBaseOfGraf::FindChildByName(std::string_view name, const TheNode* n) const {
  if (!n) return nullptr;
  for (TheLine* l = n->FirstLine.get(); l; l = l->Next.get())
    if (l->Kind == alHaveItem && l->Node && l->Node->Name == name) return l->Node;
  return nullptr;
}

TheNode* TheBaseOfGraf::FindNodeByNumber(int number) const {
  if (number == 0) return nullptr;
  for (TheNode* n = FirstNode.get(); n; n = n->NextNode.get())
    if (n->Number == number) return n;
  return nullptr;
}

int TheBaseOfGraf::NodeCount() const {
  int count = 0;
  forEachNode([&](TheNode*) { ++count; });
  return count;
}

void TheBaseOfGraf::Renumber() {
  int k = 0;
  forEachNode([&](TheNode* n) { n->Number = ++k; });
}

void TheBaseOfGraf::SetAllNumbers(int value) {
  NumberMark = value;
  forEachNode([&](TheNode* n) { n->Number = value; });
}

void TheBaseOfGraf::Clear() {
  // Busy while the nodes go; afterwards the flag is what it was before (a
  // graph cleared while the main window is still being built stays busy).
  struct BusyGuard {
    bool previous = GraphBusy;
    BusyGuard() { GraphBusy = true; }
    ~BusyGuard() { GraphBusy = previous; }
  } busy;
  NumberMark = 0;
  MainNode = nullptr;
  CurrentNode = nullptr;
  last_ = nullptr;
  auto head = std::move(FirstNode);
  while (head) {
    auto next = std::move(head->NextNode);
    FreeLines(head.get());
    head.reset();
    head = std::move(next);
  }
}

void TheBaseOfGraf::Swap(TheBaseOfGraf& other) noexcept {
  std::swap(Name, other.Name);
  std::swap(MainNode, other.MainNode);
  std::swap(FirstNode, other.FirstNode);
  std::swap(CurrentNode, other.CurrentNode);
  std::swap(NumberMark, other.NumberMark);
  std::swap(last_, other.last_);
}

TheNode* FindNodeByName(const TheBaseOfGraf& graph, std::string_view name) {
  for (TheNode* n = graph.FirstNode.get(); n; n = n->NextNode.get())
    if (n->Name == name) return n;
  return nullptr;
}

}  // namespace vemu::model
