// The circuit as one directed graph: the graph owns every node in one list
// of all nodes (creation order), each node owns its ordered list of links,
// and a link points at its target node and owns nothing.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "model/node_types.h"
#include "model/point.h"
#include "model/short_string.h"

namespace vemu::model {

class TheNode;

// Set while TheBaseOfGraf::Clear runs and while the main window builds its
// state; the redraw and the timer tick do nothing while it is set.
extern bool GraphBusy;

class TheLine {
 public:
  TheLine() = default;
  virtual ~TheLine();
  TheLine(const TheLine&) = delete;
  TheLine& operator=(const TheLine&) = delete;

  std::unique_ptr<TheLine> Next;  // next link of the node that holds this one
  TheNode* Node = nullptr;        // target
  std::uint8_t Kind = 0;
};

// The link object for a new link held by n1 and pointing at n2 (either may
// be null); AddLine makes every link it is not given through it. Defined by
// the view: its drawn link, which carries the link's swing (view/my_line.h).
std::unique_ptr<TheLine> CreateLink(const TheNode* n1, const TheNode* n2);

class TheNode {
 public:
  TheNode() = default;
  virtual ~TheNode();  // frees the node's own links (and any nodes chained after it)
  TheNode(const TheNode&) = delete;
  TheNode& operator=(const TheNode&) = delete;

  // The fields are ordered so that no padding is wasted: a large circuit
  // holds millions of nodes.
  std::string Value;              // code page 1251 bytes
  ShortString<30> Name;           // code page 1251 bytes
  std::unique_ptr<TheNode> NextNode;
  TheNode* Upper = nullptr;
  std::unique_ptr<TheLine> FirstLine;
  std::int32_t Ground = 0;
  std::int32_t Number = 0;
  std::int32_t Number2 = 0;
  std::int32_t X = 0;
  std::int32_t Y = 0;
  std::int32_t Wx = -10;
  std::int32_t Wy = -10;
  std::int32_t Polarity = 0;      // 1 when an amplifier carries the "+" sign
  std::uint8_t NodeType = 1;
  std::uint8_t StoreInCir = 1;
  std::uint8_t Selected = 0;

  bool IsJunction() const;
  bool IsElement() const;
  bool IsText() const;
  bool IsMultiLineText() const;
  bool IsContainer() const;

  TPoint GetPos() const { return {X, Y}; }
  // "X1.R1 [#5] ": owner prefix, name, number (code page 1251 bytes); in the
  // second build "X1/R1 [5] ", the owner's name ("nil" without one) always.
  std::string Describe() const;
  std::string AsText() const;

  // Links of this node in list order.
  template <typename F>
  void forEachLine(F f) const {
    for (TheLine* l = FirstLine.get(); l; l = l->Next.get()) f(l);
  }
};

// Which build's rules the model follows: the second build counts only the
// types 3 to 31 as elements.
enum class ModelVariant { Full, Second };
void SetModelVariant(ModelVariant variant);
ModelVariant CurrentModelVariant();

class TheBaseOfGraf {
 public:
  TheBaseOfGraf() = default;
  ~TheBaseOfGraf();
  TheBaseOfGraf(const TheBaseOfGraf&) = delete;
  TheBaseOfGraf& operator=(const TheBaseOfGraf&) = delete;

  ShortString<30> Name{"NoName"};
  TheNode* MainNode = nullptr;
  std::unique_ptr<TheNode> FirstNode;
  TheNode* CurrentNode = nullptr;
  std::int32_t NumberMark = 0;

  // Puts `node` (or a new node when it is null) at the tail of the list.
  TheNode* AddNode(std::unique_ptr<TheNode> node, TheNode* upper, std::uint8_t nodeType);
  TheNode* AddNode(TheNode* upper, std::uint8_t nodeType) { return AddNode(nullptr, upper, nodeType); }
  // Links n1 to n2 at position pos (1 front, -2 or -1 append, k after link k-1).
  TheLine* AddLine(int pos, TheNode* n1, TheNode* n2, std::uint8_t kind,
                   std::unique_ptr<TheLine> line = nullptr);

  TheLine* GetLine(const TheNode* n, int i) const;
  int LineCount(const TheNode* n) const;
  int IndexOfLine(const TheNode* n, const TheLine* l) const;
  int FindLineTo(const TheNode* n, const TheNode* t) const;
  static bool NodesEqual(const TheNode* a, const TheNode* b);
  TheLine* GetLineOfKinds(const TheNode* n, int i, const KindSet& kinds) const;
  int CountLinesOfKinds(const TheNode* n, const KindSet& kinds) const;

  void DeleteLine(TheNode* n, int i);
  void FreeLines(TheNode* n);
  void RetargetLines(const TheNode* oldTarget, TheNode* newTarget);
  void RemoveReferences(const TheNode* n);
  void DeleteNode(TheNode* n);
  void DeleteNodeTree(TheNode* n);
  void DeleteOrphans();
  // Frees, in one pass over the list of all nodes, every node for which
  // `doomed` holds; the others keep their order. The caller has removed the
  // links to them first. Gives the number of nodes freed.
  std::size_t FreeNodesWhere(const std::function<bool(const TheNode*)>& doomed);
  void CheckPinLines(TheNode* n);
  void UnlinkFromJunctions(TheNode* container, TheNode* junction);

  TheNode* FindChildByName(std::string_view name, const TheNode* n) const;
  TheNode* FindNodeByNumber(int number) const;
  static int GetNumber(const TheNode* n) { return n ? n->Number : 0; }
  int NodeCount() const;
  void Renumber();
  void SetAllNumbers(int value);
  void Clear();

  // Exchanges the whole content (nodes, levels, current node, name) with
  // another graph: a circuit read into a fresh graph replaces the open one.
  void Swap(TheBaseOfGraf& other) noexcept;

  TheNode* LastNode() const { return last_; }
  bool Contains(const TheNode* n) const;

  template <typename F>
  void forEachNode(F f) const {
    for (TheNode* n = FirstNode.get(); n; n = n->NextNode.get()) f(n);
  }

  // Reorders the list of all nodes by a key taken once from each node
  // (`keyOf(const TheNode&)`, compared with <); nodes of equal keys keep
  // their order. No node is added, lost or moved to another owner. Gives
  // the nodes in their new order.
  template <typename KeyOf>
  std::vector<TheNode*> StableSortNodesByKey(KeyOf keyOf) {
    using Key = std::decay_t<decltype(keyOf(std::declval<const TheNode&>()))>;
    std::vector<std::pair<Key, std::unique_ptr<TheNode>>> items;
    items.reserve(static_cast<std::size_t>(NodeCount()));
    for (TheNode* n = FirstNode.get(); n; n = n->NextNode.get()) items.emplace_back(keyOf(*n), nullptr);
    for (auto& item : items) {
      auto next = std::move(FirstNode->NextNode);
      item.second = std::move(FirstNode);
      FirstNode = std::move(next);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TheNode*> order;
    order.reserve(items.size());
    for (auto& item : items) order.push_back(item.second.get());
    last_ = order.empty() ? nullptr : order.back();
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
      it->second->NextNode = std::move(FirstNode);
      FirstNode = std::move(it->second);
    }
    return order;
  }

  // Reorders a node's links by a key of each link (`keyOf(const TheLine&)`,
  // compared with <); links of equal keys keep their order.
  template <typename KeyOf>
  static void StableSortLinesByKey(TheNode* n, KeyOf keyOf) {
    if (!n || !n->FirstLine || !n->FirstLine->Next) return;
    std::size_t count = 1;
    bool sorted = true;
    for (const TheLine* l = n->FirstLine.get(); l->Next; l = l->Next.get(), ++count)
      if (sorted && keyOf(*l->Next) < keyOf(*l)) sorted = false;
    if (sorted) return;
    using Key = std::decay_t<decltype(keyOf(std::declval<const TheLine&>()))>;
    std::vector<std::pair<Key, std::unique_ptr<TheLine>>> items;
    items.reserve(count);
    for (const TheLine* l = n->FirstLine.get(); l; l = l->Next.get()) items.emplace_back(keyOf(*l), nullptr);
    for (auto& item : items) {
      auto next = std::move(n->FirstLine->Next);
      item.second = std::move(n->FirstLine);
      n->FirstLine = std::move(next);
    }
    std::stable_sort(items.begin(), items.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    for (auto it = items.rbegin(); it != items.rend(); ++it) {
      it->second->Next = std::move(n->FirstLine);
      n->FirstLine = std::move(it->second);
    }
  }

 private:
  std::unique_ptr<TheNode> Unlink(TheNode* n);

  TheNode* last_ = nullptr;
};

// The first node of the whole list whose name equals `name` exactly.
TheNode* FindNodeByName(const TheBaseOfGraf& graph, std::string_view name);

}  // namespace vemu::model
