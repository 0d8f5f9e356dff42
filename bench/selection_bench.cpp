// The selection commands on a shown level of 10,000 members: deleting the
// whole selection (goal: under 0.1 s), select all and a queue.
#include <benchmark/benchmark.h>

#include "model/graph.h"
#include "model/selection.h"
#include "platform/scripted_dialogs.h"
#include "ui/selection_commands.h"

namespace {

using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

class QuietHost final : public vemu::ui::SelectionHost {
 public:
  void PushUndoSnapshot() override {}
  void SetStatusText(int, const std::string&) override {}
  std::string Msg(int) override { return std::string(); }
  bool AskOkCancel(const std::string&, const std::string&) override { return true; }
  void ShowWarning(const std::string&) override {}
  bool ConfirmDeletion() override { return false; }
  bool UseGrid() override { return false; }
  std::int32_t SnapToGrid(std::int32_t v) override { return v; }
  void SetCurrentNode(TheNode*) override {}
  TheNode* PreviewNode() override { return nullptr; }
  void ForgetPreviewNode() override {}
  void ForgetNodePointers() override {}
  void ViewChanged() override {}
};

// A level of `members` nodes: junctions and resistors between neighbours.
void FillLevel(TheBaseOfGraf& graph, int members) {
  TheNode* root = graph.AddNode(nullptr, vemu::model::ntRoot);
  root->Name = "Upper Level";
  graph.MainNode = root;
  TheNode* last = nullptr;
  for (int i = 0; i < members; ++i) {
    const bool junction = i % 2 == 0;
    TheNode* n = graph.AddNode(root, junction ? vemu::model::ntJunction : 19);
    n->Name = std::to_string(i);
    n->X = i;
    n->Y = i % 97;
    graph.AddLine(-2, root, n, vemu::model::alHaveItem);
    if (!junction && last) graph.AddLine(-2, n, last, vemu::model::alOutPin);
    if (junction && last) graph.AddLine(-2, last, n, vemu::model::alInPin);
    last = n;
  }
}

void BM_DeleteSelection(benchmark::State& state) {
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope(dialogs);
  QuietHost host;
  for (auto _ : state) {
    state.PauseTiming();
    TheBaseOfGraf graph;
    FillLevel(graph, static_cast<int>(state.range(0)));
    vemu::model::SetLevelSelection(graph, 1);
    state.ResumeTiming();
    vemu::ui::SelectionCommands(graph, host).DeleteObject();
    benchmark::DoNotOptimize(graph.NodeCount());
    state.PauseTiming();
    graph.Clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DeleteSelection)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_SelectAllAndQueue(benchmark::State& state) {
  TheBaseOfGraf graph;
  FillLevel(graph, static_cast<int>(state.range(0)));
  QuietHost host;
  vemu::ui::SelectionCommands commands(graph, host);
  for (auto _ : state) {
    commands.SelectAll();
    commands.VerticalQueue();
    benchmark::DoNotOptimize(graph.MainNode->FirstLine->Node->X);
  }
}
BENCHMARK(BM_SelectAllAndQueue)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
