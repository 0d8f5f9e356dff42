#include "netlist/net_numbering.h"

#include <cstdint>
#include <vector>

namespace vemu::netlist {

using model::TheBaseOfGraf;
using model::TheLine;
using model::TheNode;

namespace {

constexpr std::uint8_t kUnnumbered = 0;
constexpr std::uint8_t kInNet = 1;
constexpr std::uint8_t kDone = 2;

// The junctions as an undirected graph: a link held by a junction whose
// target is a junction joins the two, whatever its kind.
class NetNumbering {
 public:
  explicit NetNumbering(std::vector<TheNode*> nodes) : nodes_(std::move(nodes)) {
    mark_.assign(nodes_.size(), kDone);
    // Number is scratch while the nets are named: the node's list position.
    for (std::size_t i = 0; i < nodes_.size(); ++i) nodes_[i]->Number = static_cast<std::int32_t>(i);
    start_.assign(nodes_.size() + 1, 0);
    std::vector<std::pair<std::uint32_t, std::uint32_t>> edges;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
      TheNode* n = nodes_[i];
      if (!n->IsJunction()) continue;
      mark_[i] = n->Ground > 0 ? kInNet : kUnnumbered;
      n->forEachLine([&](TheLine* l) {
        const std::size_t t = indexOf(l->Node);
        if (t == kNone || !nodes_[t]->IsJunction()) return;
        edges.emplace_back(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(t));
      });
    }
    for (const auto& [a, b] : edges) {
      ++start_[a + 1];
      ++start_[b + 1];
    }
    for (std::size_t i = 1; i < start_.size(); ++i) start_[i] += start_[i - 1];
    neighbours_.resize(start_.back());
    std::vector<std::uint32_t> fill(start_.begin(), start_.end() - 1);
    for (const auto& [a, b] : edges) {
      neighbours_[fill[a]++] = b;
      neighbours_[fill[b]++] = a;
    }
  }

  std::vector<TheNode*> run() {
    // The grounded nets first, then one net per junction not reached yet.
    std::vector<std::uint32_t> seeds;
    for (std::size_t i = 0; i < nodes_.size(); ++i)
      if (mark_[i] == kInNet) seeds.push_back(static_cast<std::uint32_t>(i));
    PropagateNetNumber(0, seeds);
    long long k = 1;
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
      if (mark_[i] != kUnnumbered) continue;
      mark_[i] = kInNet;
      PropagateNetNumber(k++, {static_cast<std::uint32_t>(i)});
    }
    for (TheNode* n : nodes_) n->Number = kDone;
    return std::move(nodes_);
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  std::size_t indexOf(const TheNode* n) const {
    if (!n || n->Number < 0) return kNone;
    const auto i = static_cast<std::size_t>(n->Number);
    return i < nodes_.size() && nodes_[i] == n ? i : kNone;
  }

  // Every junction joined to the seeds gets the net number n as its name.
  void PropagateNetNumber(long long n, std::vector<std::uint32_t> stack) {
    const std::string name = std::to_string(n);
    while (!stack.empty()) {
      const std::uint32_t i = stack.back();
      stack.pop_back();
      nodes_[i]->Name = name;
      mark_[i] = kDone;
      for (std::uint32_t e = start_[i]; e < start_[i + 1]; ++e) {
        const std::uint32_t t = neighbours_[e];
        if (mark_[t] == kUnnumbered) {
          mark_[t] = kInNet;
          stack.push_back(t);
        }
      }
    }
  }

  std::vector<TheNode*> nodes_;
  std::vector<std::uint8_t> mark_;
  std::vector<std::uint32_t> start_;
  std::vector<std::uint32_t> neighbours_;
};

}  // namespace

bool NameLess(const std::string& a, const std::string& b) {
  // std::char_traits<char> compares as unsigned char.
  return a.compare(b) < 0;
}

std::vector<TheNode*> SortByName(TheBaseOfGraf& graph) {
  // std::string's < compares bytes as unsigned values, as NameLess does.
  std::vector<TheNode*> order = graph.StableSortNodesByKey([](const TheNode& n) { return n.Name.str(); });
  static const std::string kNoTarget;
  auto targetName = [](const TheLine& l) -> const std::string& { return l.Node ? l.Node->Name.str() : kNoTarget; };
  for (TheNode* n : order) TheBaseOfGraf::StableSortLinesByKey(n, targetName);
  return order;
}

bool NumberJunctions(TheBaseOfGraf& graph, std::vector<TheNode*>* order) {
  if (!graph.MainNode) return false;
  // Every junction is "@" while the list is sorted, so junctions keep
  // their relative order, and so do the links that lead to junctions.
  static const model::ShortString<30> kJunctionMark{std::string_view("@")};
  graph.forEachNode([](TheNode* n) {
    if (n->IsJunction()) n->Name = kJunctionMark;
  });
  NetNumbering numbering(SortByName(graph));
  std::vector<TheNode*> nodes = numbering.run();
  if (order) *order = std::move(nodes);
  return true;
}

}  // namespace vemu::netlist
