// Converting a selection of 1,000 members of a 10,000-member level into a
// new sub-circuit: the move, its repair pass and the net numbering. The node
// tree dump of a chain of 50,000 nested sub-circuits.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/graph.h"
#include "model/hierarchy.h"
#include "model/node_tree_dump.h"
#include "model/node_types.h"
#include "netlist/net_numbering.h"

namespace {

namespace model = vemu::model;

class BenchHost final : public model::HierarchyHost {
 public:
  explicit BenchHost(model::TheBaseOfGraf& graph) : graph_(graph) {}
  void ShowMessage(const std::string&) override {}
  void ShowOnNode(model::TheNode*, const std::string&, const std::string&) override {}
  void StopTimer() override {}
  void StartTimer() override {}
  void ForgetNodePointers() override {}
  void SetCurrentNode(model::TheNode* n) override { graph_.CurrentNode = n; }
  void NumberNets() override { vemu::netlist::NumberJunctions(graph_); }
  void ShowInPreview(model::TheNode*) override {}
  int Random(int n) override { return n / 2; }

 private:
  model::TheBaseOfGraf& graph_;
};

// A 50 x 80 lattice of junctions (4,000) with an element to the right and
// one below each (6,000 members more); the first 1,000 members of a band of
// rows are selected.
std::unique_ptr<model::TheBaseOfGraf> Lattice() {
  auto graph = std::make_unique<model::TheBaseOfGraf>();
  model::TheNode* root = graph->AddNode(nullptr, model::ntRoot);
  root->Name = "Upper Level";
  graph->MainNode = root;
  constexpr int kColumns = 50;
  constexpr int kRows = 80;
  std::vector<model::TheNode*> junctions;
  auto add = [&](std::uint8_t type, int x, int y, const std::string& name) {
    model::TheNode* n = graph->AddNode(root, type);
    n->X = x;
    n->Y = y;
    n->Name = name;
    graph->AddLine(-2, root, n, model::alHaveItem, std::make_unique<model::TheLine>());
    return n;
  };
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) junctions.push_back(add(model::ntJunction, c * 60, r * 60, "j"));
  int elements = 0;
  for (int r = 0; r < kRows && elements < 6000; ++r)
    for (int c = 0; c < kColumns && elements < 6000; ++c) {
      model::TheNode* j = junctions[static_cast<std::size_t>(r * kColumns + c)];
      model::TheNode* right = junctions[static_cast<std::size_t>(r * kColumns + (c + 1) % kColumns)];
      model::TheNode* below = junctions[static_cast<std::size_t>(((r + 1) % kRows) * kColumns + c)];
      for (model::TheNode* other : {right, below}) {
        std::string name = "R";
        name += std::to_string(++elements);
        model::TheNode* e = add(19, (j->X + other->X) / 2 + 3, (j->Y + other->Y) / 2 + 3, name);
        graph->AddLine(-2, e, j, model::alOutPin);
        graph->AddLine(-2, e, other, model::alInPin);
      }
    }
  int selected = 0;
  root->forEachLine([&](model::TheLine* l) {
    model::TheNode* n = l->Node;
    if (selected < 1000 && n->Y >= 600 && n->Y < 1500) {
      n->Selected = 1;
      ++selected;
    }
  });
  return graph;
}

void BM_ConvertSelectionToSubCircuit(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    auto graph = Lattice();
    BenchHost host(*graph);
    state.ResumeTiming();
    model::Hierarchy hierarchy(*graph, host);
    int count = 0;
    model::TheNode* x = hierarchy.NewSubCircuit(graph->MainNode, hierarchy.SelectionMean(count));
    hierarchy.MoveSelectedFromTo(graph->MainNode, x);
    benchmark::DoNotOptimize(x->FirstLine.get());
    state.PauseTiming();
    graph.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_ConvertSelectionToSubCircuit)->Unit(benchmark::kMillisecond);

class NoDescriptions final : public model::NodeTreeDumpHost {
 public:
  std::optional<std::string> TypeDescription(int) const override { return std::nullopt; }
};

// Each level holds the next one, a junction and a resistor from the junction
// to the next level.
void BM_DumpDeepNodeTree(benchmark::State& state) {
  model::TheBaseOfGraf graph;
  model::TheNode* level = graph.MainNode = graph.AddNode(nullptr, model::ntRoot);
  auto add = [&](model::TheNode* owner, std::uint8_t type, const std::string& name) {
    model::TheNode* n = graph.AddNode(owner, type);
    n->Name = name;
    graph.AddLine(-2, owner, n, model::alHaveItem);
    return n;
  };
  for (std::int64_t depth = 0; depth < state.range(0); ++depth) {
    model::TheNode* next = add(level, model::ntSubCircuit, "X" + std::to_string(depth));
    model::TheNode* junction = add(level, model::ntJunction, "1");
    model::TheNode* r = add(level, 19, "R" + std::to_string(depth));
    graph.AddLine(-2, r, junction, model::alOutPin);
    graph.AddLine(-2, r, next, model::alInPin);
    level = next;
  }
  std::size_t bytes = 0;
  for (auto _ : state) {
    const std::vector<std::string> lines = model::DumpNodeTree(graph, model::DumpForm::Full, NoDescriptions());
    bytes = 0;
    for (const std::string& line : lines) bytes += line.size() + 2;
  }
  state.SetLabel(std::to_string(bytes) + " bytes of lines");
}
BENCHMARK(BM_DumpDeepNodeTree)->Arg(50000)->Unit(benchmark::kMillisecond);

}  // namespace
