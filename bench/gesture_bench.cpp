// The canvas gestures on a shown level of 10,000 members (junctions and
// resistors alternating on a grid 40 units apart): the hit test of one
// mouse move, an element inserted between two junctions (with its free
// place search) and a rubber band over every member.
#include <benchmark/benchmark.h>

#include "catalogue/node_type_table.h"
#include "catalogue/settings.h"
#include "model/graph.h"
#include "platform/scripted_dialogs.h"
#include "view/canvas_gesture.h"
#include "view/gesture_connect.h"
#include "view/gesture_hit_test.h"

namespace {

using namespace vemu;
using model::TheNode;

class QuietHost : public view::GestureHost {
 public:
  model::TheBaseOfGraf* graph = nullptr;
  void SetStatusText(int, const std::string&) override {}
  void PushUndoSnapshot() override {}
  void SetModified() override {}
  void NumberNets() override {}
  void SetCurrentNode(TheNode*) override {}
  void SetLevelSelection(std::uint8_t flag) override {
    graph->MainNode->forEachLine([flag](model::TheLine* l) { l->Node->Selected = flag; });
  }
  void AfterCreateElement(TheNode*) override {}
  void ItemsChanged() override {}
  void ViewMoved() override {}
  void Redraw() override {}
  void SetCursor(view::GestureCursor) override {}
};

struct Level {
  Level() : scope(dialogs), ctx{graph, scale, settings, types, host} {
    for (int t = 0; t < model::NodeTypeCount; ++t) types.push_back(catalogue::TypeRules(t));
    TheNode* root = graph.AddNode(nullptr, model::ntRoot);
    graph.MainNode = root;
    host.graph = &graph;
    for (int i = 0; i < 10000; ++i) {
      TheNode* n = graph.AddNode(root, i % 2 ? 3 : 2);
      n->Name = std::to_string(i);
      n->X = (i % 100) * 40;
      n->Y = (i / 100) * 40;
      graph.AddLine(-2, root, n, model::alHaveItem);
    }
  }
  platform::ScriptedDialogs dialogs;
  platform::ScopedDialogs scope;
  model::TheBaseOfGraf graph;
  view::TMyScale scale;
  catalogue::Settings settings;
  catalogue::NodeTypeTable types;
  QuietHost host;
  view::GestureContext ctx;
};

void BM_HoverHitTest(benchmark::State& state) {
  Level level;
  std::int32_t mouseState = 0;
  TheNode *down = nullptr, *hover = nullptr;
  model::TPoint downPoint, mousePoint;
  std::uint8_t ignore = 0;
  view::GestureFields fields{mouseState, down, hover, downPoint, mousePoint, ignore};
  int x = 0;
  for (auto _ : state) {
    view::GestureMouseMove(level.ctx, fields, {}, {x, 2000});
    x = (x + 7) % 4000;
    benchmark::DoNotOptimize(hover);
  }
}
BENCHMARK(BM_HoverHitTest)->Unit(benchmark::kMicrosecond);

void BM_InsertElementBetween(benchmark::State& state) {
  Level level;
  level.ctx.CurrentType = 3;
  TheNode* a = level.graph.MainNode->FirstLine->Node;
  TheNode* b = level.graph.MainNode->FirstLine->Next->Next->Node;
  for (auto _ : state) benchmark::DoNotOptimize(view::InsertElementBetween(level.ctx, a, b));
}
BENCHMARK(BM_InsertElementBetween)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_RubberBandOverAll(benchmark::State& state) {
  Level level;
  std::int32_t mouseState = 0;
  TheNode *down = nullptr, *hover = nullptr;
  model::TPoint downPoint, mousePoint;
  std::uint8_t ignore = 0;
  view::GestureFields fields{mouseState, down, hover, downPoint, mousePoint, ignore};
  const view::MouseShift left{.left = true};
  for (auto _ : state) {
    view::GestureMouseDown(level.ctx, fields, view::MouseButton::Left, left, {-100, -100});
    view::GestureMouseMove(level.ctx, fields, left, {5000, 5000});
    view::GestureMouseUp(level.ctx, fields, view::MouseButton::Left, left, {5000, 5000});
  }
}
BENCHMARK(BM_RubberBandOverAll)->Unit(benchmark::kMillisecond);

}  // namespace
