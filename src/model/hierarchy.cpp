#include "model/hierarchy.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "model/hierarchy_nets.h"

namespace vemu::model {

const char* const kConnectorDown = "\xC4-\xEF\xEE\xE4";                          // Д-под
const char* const kConnectorUp = "\xC4\xF3\xE1 U->S/N";                          // Дуб U->S/N
const char* const kConnectorInside = "\xC4\xF3\xE1\xEB\xE5\xF0 O<-S";            // Дублер O<-S

namespace {

constexpr int kMergeDistance = 10;

void RetargetOwnLines(TheNode* n, const TheNode* oldTarget, TheNode* newTarget) {
  n->forEachLine([&](TheLine* l) {
    if (l->Kind != alHaveItem && l->Node == oldTarget) l->Node = newTarget;
  });
}

bool Holds(const TheNode* n, const TheLine* line) {
  for (const TheLine* l = n->FirstLine.get(); l; l = l->Next.get())
    if (l == line) return true;
  return false;
}

// Unlinks and destroys the links of n that point at n itself.
void DropSelfLinks(TheNode* n) {
  std::unique_ptr<TheLine>* slot = &n->FirstLine;
  while (*slot) {
    if ((*slot)->Node == n) {
      auto gone = std::move(*slot);
      *slot = std::move(gone->Next);
    } else {
      slot = &(*slot)->Next;
    }
  }
}

std::vector<TheNode*> Members(const TheNode* level) {
  std::vector<TheNode*> out;
  level->forEachLine([&](TheLine* l) {
    if (l->Kind == alHaveItem && l->Node) out.push_back(l->Node);
  });
  return out;
}

// Members of one level bucketed by cells of the merge distance, so a pair
// closer than that lies in neighbouring cells.
class CellIndex {
 public:
  static std::int64_t CellOf(const TheNode* n) {
    const auto cx = static_cast<std::int64_t>(FloorDiv(n->X));
    const auto cy = static_cast<std::int64_t>(FloorDiv(n->Y));
    return (cx << 32) ^ (cy & 0xFFFFFFFF);
  }
  void Add(std::size_t index, const TheNode* n) { cells_[CellOf(n)].push_back(index); }
  void Remove(std::size_t index, std::int64_t cell) {
    auto it = cells_.find(cell);
    if (it == cells_.end()) return;
    auto& v = it->second;
    v.erase(std::remove(v.begin(), v.end(), index), v.end());
  }
  // Indices above `index` in the cells around n, ascending.
  std::vector<std::size_t> LaterNear(std::size_t index, const TheNode* n) const {
    std::vector<std::size_t> out;
    const std::int64_t cx = FloorDiv(n->X);
    const std::int64_t cy = FloorDiv(n->Y);
    for (std::int64_t dx = -1; dx <= 1; ++dx)
      for (std::int64_t dy = -1; dy <= 1; ++dy) {
        auto it = cells_.find(((cx + dx) << 32) ^ ((cy + dy) & 0xFFFFFFFF));
        if (it == cells_.end()) continue;
        for (std::size_t j : it->second)
          if (j > index) out.push_back(j);
      }
    std::sort(out.begin(), out.end());
    return out;
  }

 private:
  static std::int64_t FloorDiv(std::int32_t v) {
    const std::int64_t w = v;
    return w >= 0 ? w / kMergeDistance : -((-w + kMergeDistance - 1) / kMergeDistance);
  }
  std::unordered_map<std::int64_t, std::vector<std::size_t>> cells_;
};

}  // namespace

std::int32_t NodeDistance(const TheNode* a, const TheNode* b) {
  return std::abs(a->X - b->X) + std::abs(a->Y - b->Y);
}

void ChangeLines456(TheNode* level, TheNode* oldTarget, TheNode* newTarget) {
  if (!level || !oldTarget) return;
  level->forEachLine([&](TheLine* m) {
    TheNode* c = m->Node;
    if (m->Kind != alHaveItem || !c) return;
    if (!c->IsContainer()) {
      RetargetOwnLines(c, oldTarget, newTarget);
    } else if (oldTarget->Upper != c) {
      c->forEachLine([&](TheLine* inner) {
        if (inner->Kind == alHaveItem && inner->Node) RetargetOwnLines(inner->Node, oldTarget, newTarget);
      });
    }
  });
}

void NewOwner(TheNode* a, TheNode* b) {
  if (!a || !b) return;
  std::unique_ptr<TheLine>* slot = &a->FirstLine;
  while (*slot) {
    const TheNode* t = (*slot)->Node;
    if (t && t->Upper != a->Upper && t->Upper == b->Upper && t != b) {
      auto taken = std::move(*slot);
      *slot = std::move(taken->Next);
      taken->Next = std::move(b->FirstLine);
      b->FirstLine = std::move(taken);
    } else {
      slot = &(*slot)->Next;
    }
  }
}

void Hierarchy::Report(TheNode* node, std::string text, std::string caption) {
  if (collecting_) {
    pending_.push_back({node, std::move(text), std::move(caption)});
  } else {
    host_.ShowOnNode(node, text, caption);
  }
}

void Hierarchy::Report(std::string text) {
  if (collecting_) {
    pending_.push_back({nullptr, std::move(text), {}});
  } else {
    host_.ShowMessage(text);
  }
}

void Hierarchy::FlushReports() {
  collecting_ = false;
  auto reports = std::move(pending_);
  pending_.clear();
  for (auto& r : reports) {
    // A node the repair merged away is gone: its message is still shown.
    if (r.node && graph_.Contains(r.node)) {
      host_.ShowOnNode(r.node, r.text, r.caption);
    } else if (r.node) {
      host_.ShowMessage(r.caption + "\r\n" + r.text);
    } else {
      host_.ShowMessage(r.text);
    }
  }
}

TheNode* Hierarchy::NewConnector(TheNode* level, std::int32_t x, std::int32_t y, const char* name,
                                 bool selected) {
  TheNode* d = graph_.AddNode(level, ntJunction);
  d->Selected = selected ? 1 : 0;
  graph_.AddLine(-2, level, d, alHaveItem, std::make_unique<TheLine>());
  d->X = x;
  d->Y = y;
  d->Name = name;
  return d;
}

bool Hierarchy::SplitCrossingLink(TheNode* a, TheLine* l) {
  TheNode* b = l->Node;
  if (a->IsJunction() && b->IsJunction()) {
    TheNode* u = a->Upper;
    if (!u) {
      Report("Internal-ERROR-4581\r\n" + a->Describe() + ".UpNode=nil");
      return true;
    }
    if (u->Upper == b->Upper) return true;  // a wire from inside a sub-circuit to its pin net
    if (!b->Upper) {
      Report("Internal-ERROR-4588\r\n" + b->Describe() + ".UpNode=nil");
      return true;
    }
    if (u == b->Upper->Upper) {
      // b sits in a sub-circuit of a's level: the inner junction holds the wire.
      graph_.DeleteLine(a, graph_.IndexOfLine(a, l));
      graph_.AddLine(1, b, a, alWire);
      return true;
    }
    if (u->Upper && b->Upper->Upper == u->Upper) {
      // b went into a sub-circuit beside a's: a connector for b in the level
      // that holds both, so a's sub-circuit keeps its pin.
      TheNode* w = u->Upper;
      TheNode* d = NewConnector(w, b->X, b->Y, kConnectorUp, false);
      ChangeLines456(w, b, d);
      NewOwner(b, d);
      graph_.AddLine(2, b, d, alWire);
      return true;
    }
    if (!u->Upper || u->Upper->Upper != b->Upper) return true;
    // b lies two levels above a: a connector in the level between.
    TheNode* w = u->Upper;
    TheNode* d = NewConnector(w, a->X, a->Y + 10, kConnectorDown, false);
    ChangeLines456(w, a, d);
    NewOwner(a, d);
    if (!graph_.AddLine(1, d, b, alWire)) {
      Report("No memory 2 !!!");
      return false;
    }
    l->Node = d;
    return true;
  }
  if (a->IsElement() && b->IsJunction()) {
    if (!b->Upper) {
      Report("Internal-ERROR-4619\r\n" + b->Describe() + "UpNode=nil");
      return true;
    }
    TheNode* p = a->Upper;
    if (p && p == b->Upper->Upper) {
      // a was moved out of the sub-circuit that still holds b (a sub-circuit
      // element as well, so that its inner wires keep their pin).
      TheNode* d = NewConnector(p, b->X, b->Y, kConnectorUp, false);
      l->Node = d;
      ChangeLines456(p, b, d);
      NewOwner(b, d);
      graph_.AddLine(2, b, d, alWire);
      return true;
    }
    if (a->IsContainer()) return true;  // its pins are rebuilt from its inner wires
    if (!p) {
      Report("Internal-ERROR-4646\r\n" + a->Describe() + "UpNode=nil");
      return true;
    }
    if (p->Upper != b->Upper) {
      Report("Internal-ERROR-4667-Bad-join\r\n" + a->Describe() + "->" + b->Describe());
      return true;
    }
    // b lies in the level above a: a connector beside a, wired out to b.
    TheNode* d = NewConnector(p, b->X, b->Y, kConnectorInside, p == moveTarget_);
    ChangeLines456(p, b, d);
    NewOwner(b, d);
    graph_.AddLine(2, d, b, alWire);
    return true;
  }
  Report(a, "ERROR:\n\rIrrevocable removing", a->Describe() + "->" + b->Describe());
  graph_.DeleteLine(a, graph_.IndexOfLine(a, l));
  return true;
}

void Hierarchy::MoveSelectedFromTo(TheNode* from, TheNode* to) {
  if (!from || !to) return;
  if (to->Upper != from && from->Upper != to) {
    host_.ShowMessage("INTERNAL_ERROR-334: Abort operation.");
    return;
  }
  host_.StopTimer();
  collecting_ = true;
  pending_.clear();
  moveTarget_ = to;

  // Phase 1: the selected members change level (never the target itself).
  std::unique_ptr<TheLine>* slot = &from->FirstLine;
  while (*slot) {
    TheNode* m = (*slot)->Node;
    if ((*slot)->Kind == alHaveItem && m && m->Selected && m != to) {
      auto taken = std::move(*slot);
      *slot = std::move(taken->Next);
      taken->Next = std::move(to->FirstLine);
      to->FirstLine = std::move(taken);
      m->Upper = to;
    } else {
      slot = &(*slot)->Next;
    }
  }

  // Phase 2: every link that crosses levels now; connectors are appended to
  // the node list and visited too. Nodes are not freed here, links are: the
  // crossing links of a node are taken first and each is looked up again
  // before it is touched.
  bool stopped = false;
  for (TheNode* a = graph_.FirstNode.get(); a && !stopped; a = a->NextNode.get()) {
    std::vector<TheLine*> crossing;
    a->forEachLine([&](TheLine* l) {
      if (l->Kind != alHaveItem && l->Node && l->Node->Upper != a->Upper) crossing.push_back(l);
    });
    for (TheLine* l : crossing) {
      if (!Holds(a, l) || !l->Node || l->Node->Upper == a->Upper) continue;
      if (!SplitCrossingLink(a, l)) {
        stopped = true;
        break;
      }
    }
  }
  moveTarget_ = nullptr;
  if (stopped) {
    host_.StartTimer();
    FlushReports();
    return;
  }
  CorrectSubCircuitLines();
  host_.NumberNets();
  host_.ShowInPreview(to);
  host_.SetCurrentNode(nullptr);
  host_.StartTimer();
  FlushReports();
}

void Hierarchy::MergeJunction(TheNode* level, TheNode* keep, TheNode* gone) {
  // The kept junction stands for both: a ground mark or a selection the
  // user gave the other one stays with the net.
  if (keep->Ground == 0) keep->Ground = gone->Ground;
  if (gone->Selected) keep->Selected = 1;
  graph_.DeleteLine(keep, graph_.FindLineTo(keep, gone));
  graph_.DeleteLine(gone, graph_.FindLineTo(gone, keep));
  ChangeLines456(level, gone, keep);
  if (gone->FirstLine) {
    std::unique_ptr<TheLine>* tail = &keep->FirstLine;
    while (*tail) tail = &(*tail)->Next;
    *tail = std::move(gone->FirstLine);
  }
  // Links to the merged junction from anywhere else (a wire held the wrong
  // way round, a pin) follow it too, so no connection is lost; its
  // membership link goes with it.
  graph_.forEachNode([&](TheNode* n) { RetargetOwnLines(n, gone, keep); });
  DropSelfLinks(keep);
  if (!forgotPointers_) {
    host_.ForgetNodePointers();
    forgotPointers_ = true;
  }
  graph_.DeleteNode(gone);
}

void Hierarchy::RepairOwnersAndMerge() {
  std::vector<TheNode*> nodes;
  graph_.forEachNode([&](TheNode* n) { nodes.push_back(n); });
  // The nets before any merge: only two junctions of one net are merged.
  JunctionNets nets(nodes);
  std::unordered_set<const TheNode*> merged;
  for (TheNode* n : nodes) {
    if (merged.count(n)) continue;
    const std::vector<TheNode*> members = Members(n);
    if (members.empty()) continue;
    CellIndex index;
    for (std::size_t i = 0; i < members.size(); ++i) index.Add(i, members[i]);
    for (std::size_t i = 0; i < members.size(); ++i) {
      TheNode* a = members[i];
      if (merged.count(a)) continue;
      if (a->Upper != n) {
        a->Upper = n;
        Report(a, "ERROR:\n\rLost Upper Owner", a->Name.str());
      }
      for (std::size_t j : index.LaterNear(i, a)) {
        TheNode* b = members[j];
        // A member listed twice (a damaged file) is looked at once.
        if (merged.count(b) || b == a || NodeDistance(a, b) >= kMergeDistance) continue;
        if (a->IsJunction() && b->IsJunction()) {
          if (!nets.SameNet(a, b)) continue;  // two nets that merely lie close stay apart
          index.Remove(j, CellIndex::CellOf(b));
          merged.insert(b);
          MergeJunction(n, a, b);
        } else {
          const std::int64_t cell = CellIndex::CellOf(b);
          b->X += host_.Random(20) - 10;
          b->Y += host_.Random(20) - 10;
          if (CellIndex::CellOf(b) != cell) {
            index.Remove(j, cell);
            index.Add(j, b);
          }
        }
      }
    }
  }
}

void Hierarchy::CorrectSubCircuitLines() {
  // Run on its own, the repair too shows its messages once it is done.
  const bool own = !collecting_;
  if (own) {
    collecting_ = true;
    pending_.clear();
  }
  forgotPointers_ = false;
  RepairOwnersAndMerge();
  // Containers keep their membership links only.
  graph_.forEachNode([](TheNode* n) {
    if (!n->IsContainer()) return;
    std::unique_ptr<TheLine>* slot = &n->FirstLine;
    while (*slot) {
      if ((*slot)->Kind != alHaveItem) {
        auto gone = std::move(*slot);
        *slot = std::move(gone->Next);
      } else {
        slot = &(*slot)->Next;
      }
    }
  });
  // Pins from the wires that lead out of each sub-circuit.
  graph_.forEachNode([&](TheNode* j) {
    TheNode* o = j->Upper;
    if (!j->IsJunction() || !o) return;
    j->forEachLine([&](TheLine* l) {
      const TheNode* t = l->Node;
      if (l->Kind == alWire && t && t->Upper != o && o->Upper && t->Upper == o->Upper)
        graph_.AddLine(2, o, l->Node, alOutPin);
    });
  });
  if (own) FlushReports();
}

bool Hierarchy::JoinFreeNodes() {
  TheNode* level = graph_.MainNode;
  if (!level) return false;
  graph_.Renumber();
  const TheNode* reference = nullptr;
  for (TheNode* m : Members(level)) {
    if (!m->Selected) continue;
    if (!m->IsJunction()) {
      m->Selected = 0;
    } else if (!reference) {
      reference = m;
    } else if (m->Name.str() != reference->Name.str()) {
      m->Selected = 0;
    }
  }
  return reference != nullptr;
}

TheNode* Hierarchy::NewSubCircuit(TheNode* level, TPoint at) {
  TheNode* s = graph_.AddNode(level, ntSubCircuit);
  graph_.AddLine(1, level, s, alHaveItem, std::make_unique<TheLine>());
  s->X = at.x;
  s->Y = at.y;
  int count = 0;
  graph_.forEachNode([&](const TheNode* n) { count += n->NodeType == ntSubCircuit ? 1 : 0; });
  std::string name = "X";
  name += std::to_string(count);
  s->Name = name;
  return s;
}

TPoint Hierarchy::SelectionMean(int& count) const {
  count = 0;
  std::int64_t sx = 0;
  std::int64_t sy = 0;
  if (!graph_.MainNode) return {0, 0};
  for (const TheNode* m : Members(graph_.MainNode)) {
    if (!m->Selected) continue;
    ++count;
    sx += m->X;
    sy += m->Y;
  }
  if (count >= 2) {
    sx /= count;
    sy /= count;
  }
  return {static_cast<std::int32_t>(sx), static_cast<std::int32_t>(sy)};
}

}  // namespace vemu::model
