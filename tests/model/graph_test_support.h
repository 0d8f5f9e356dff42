// Helpers shared by the graph tests: a graph with its root, member
// creation, link inspection and a link class that reports its destruction.
#pragma once

#include <string>
#include <vector>

#include "model/graph.h"
#include "platform/scripted_dialogs.h"
#include "support/graph_members.h"

namespace vemu::test {

using model::TheBaseOfGraf;
using model::TheLine;
using model::TheNode;

// A graph with the root "Upper Level" as shown level; message boxes are
// recorded instead of shown.
class GraphFixtureBase {
 protected:
  GraphFixtureBase() : scope_(dialogs) {
    root = graph.AddNode(nullptr, model::ntRoot);
    root->Name = "Upper Level";
    graph.MainNode = root;
  }

  // A member of `owner` (kind-1 link appended) named `name`.
  TheNode* member(TheNode* owner, std::uint8_t type, const std::string& name, int x = 0, int y = 0) {
    return testing::AddMember(graph, owner, type, name, x, y);
  }

  // The targets of n's links in list order.
  std::vector<TheNode*> targets(const TheNode* n) const {
    std::vector<TheNode*> out;
    n->forEachLine([&](TheLine* l) { out.push_back(l->Node); });
    return out;
  }
  std::vector<int> kinds(const TheNode* n) const {
    std::vector<int> out;
    n->forEachLine([&](TheLine* l) { out.push_back(l->Kind); });
    return out;
  }
  // Names of all nodes in list order.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    graph.forEachNode([&](TheNode* n) { out.push_back(n->Name.str()); });
    return out;
  }

  platform::ScriptedDialogs dialogs;
  TheBaseOfGraf graph;
  TheNode* root = nullptr;

 private:
  platform::ScopedDialogs scope_;
};

// A link that counts how many links of its class were destroyed.
class CountedLine : public TheLine {
 public:
  ~CountedLine() override { ++destroyed; }
  static inline int destroyed = 0;
};

}  // namespace vemu::test
