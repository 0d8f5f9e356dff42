// Placing one element on a shown level of 10,000 members: its name (the
// count of its type and the search for a free name) and its finishing step.
#include <benchmark/benchmark.h>

#include <string>

#include "model/graph.h"
#include "model/placement.h"

namespace {

using vemu::model::TheNode;

class QuietHost final : public vemu::model::PlacementHost {
 public:
  explicit QuietHost(vemu::model::TheBaseOfGraf& graph) : graph_(graph) {}
  void PushUndoSnapshot() override {}
  void SetModified() override {}
  void SetStatusText(int, const std::string&) override {}
  std::string Msg(int) override { return {}; }
  void ShowMessage(const std::string&) override {}
  void ShowWarning(const std::string&) override {}
  void DeselectLevel() override {}
  void SortByName() override {}
  void NumberNets() override {}
  void Redraw() override {}
  std::string TypeLetter(int) override { return "R"; }
  bool UsesInfoLink(int type) override { return type == 12; }
  int CountNodesOfType(int type) override {
    int count = 0;
    graph_.forEachNode([&](TheNode* n) { count += n->NodeType == type; });
    return count;
  }
  void ChooseType(int) override {}
  void EditNodeValue(TheNode*) override {}
  void ItemsChanged() override {}

 private:
  vemu::model::TheBaseOfGraf& graph_;
};

// 10,000 resistors R1..R10000 with R1 deleted's worth of gaps: every new
// name has to step past the taken ones.
void BM_PlaceElementOnLargeLevel(benchmark::State& state) {
  vemu::model::TheBaseOfGraf graph;
  TheNode* root = graph.AddNode(nullptr, vemu::model::ntRoot);
  graph.MainNode = root;
  for (int i = 1; i <= 10000; ++i) {
    TheNode* n = graph.AddNode(root, 19);
    std::string name(1, 'R');
    name += std::to_string(i + 1);  // the counted name is always taken
    n->Name = name;
    n->X = (i % 100) * 30;
    n->Y = (i / 100) * 30;
    graph.AddLine(-2, root, n, vemu::model::alHaveItem);
  }
  QuietHost host(graph);
  int currentType = 19;
  TheNode* pending = nullptr;
  for (auto _ : state) {
    TheNode* e = vemu::model::PlaceElement(graph, root, currentType, pending, {15, 15}, host);
    benchmark::DoNotOptimize(e);
  }
}
BENCHMARK(BM_PlaceElementOnLargeLevel)->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace
