// One tick of the main window's timer (the swing step of every link, then
// the redraw into a 1280 x 900 back buffer with shadows, names and values
// on) for a shown level of 1,000 and 10,000 members with about two links
// each: junctions and elements alternate on a grid, every element is wired
// to the junctions before and after it, every junction to the junction of
// the next row. BM_TimerTick spreads the grid 40 units apart, so that most
// of it lies outside the picture; BM_TimerTickAllInView packs it into the
// picture (the worst case: everything is drawn). The windows are made
// offscreen, once.
#include <benchmark/benchmark.h>

#include <QTimer>
#include <cstdlib>
#include <memory>

#include "model/graph.h"
#include "platform/scripted_dialogs.h"
#include "ui/paint_box.h"
#include "ui/program_profile.h"
#include "ui/tform1.h"
#include "ui/window_set.h"
#include "view/my_line.h"

namespace {

using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

struct Program {
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};
  WindowSet windows{FullProgramProfile(), {"vemu3"}};
  TForm1& form() { return *windows.windows().Form1; }
};

Program& program() {
  static Program p;
  return p;
}

// The grid's columns (odd: a junction sits below every junction) and its
// steps in logical units.
struct GridShape {
  int columns;
  int stepX;
  int stepY;
};

// 101 columns 40 units apart: a 1280 x 900 picture shows about a tenth of 10,000.
constexpr GridShape kSpread{101, 40, 40};
// Every member inside 1280 x 900.
GridShape PackedShape(int members) { return members <= 1000 ? GridShape{41, 30, 34} : GridShape{121, 10, 10}; }

void FillLevel(TheBaseOfGraf& g, int members, GridShape shape) {
  TheNode* root = g.AddNode(nullptr, vemu::model::ntRoot);
  root->Name = "Upper Level";
  g.MainNode = root;
  const int columns = shape.columns;
  std::vector<TheNode*> nodes;
  nodes.reserve(static_cast<std::size_t>(members));
  for (int k = 0; k < members; ++k) {
    const bool junction = k % 2 == 0;
    TheNode* n = g.AddNode(root, static_cast<std::uint8_t>(junction ? 2 : 3 + (k / 2) % 26));
    g.AddLine(-2, root, n, vemu::model::alHaveItem);
    n->X = 20 + shape.stepX * (k % columns);
    n->Y = 40 + shape.stepY * (k / columns);
    std::string name = junction ? std::string() : std::string("R");
    name += std::to_string(k / 2);
    n->Name = name;
    if (!junction) n->Value = "1k";
    n->Wx = 0;
    n->Wy = -20;
    nodes.push_back(n);
  }
  for (int k = 0; k < members; ++k) {
    TheNode* n = nodes[static_cast<std::size_t>(k)];
    const bool junction = k % 2 == 0;
    if (junction) {
      if (k + columns < members) g.AddLine(-2, n, nodes[static_cast<std::size_t>(k + columns)], vemu::model::alWire);
      if (k + 2 < members) g.AddLine(-2, n, nodes[static_cast<std::size_t>(k + 2)], vemu::model::alWire);
    } else if (k + 1 < members) {
      g.AddLine(-2, n, nodes[static_cast<std::size_t>(k - 1)], vemu::model::alInPin);
      g.AddLine(-2, n, nodes[static_cast<std::size_t>(k + 1)], vemu::model::alOutPin);
    }
  }
  // Half of the links still swing, as after a change; the rest are at rest.
  int i = 0;
  g.forEachNode([&i](TheNode* n) {
    n->forEachLine([&i](vemu::model::TheLine* l) {
      if (auto* drawn = vemu::view::AsMyLine(l); drawn && (i++ % 2)) drawn->SetAtRest();
    });
  });
}

void RunTicks(benchmark::State& state, GridShape shape) {
  TForm1& form = program().form();
  form.Timer1->stop();
  auto graph = std::make_unique<TheBaseOfGraf>();
  FillLevel(*graph, static_cast<int>(state.range(0)), shape);
  form.Graph->Swap(*graph);
  graph.reset();
  form.SetCurrentNode(nullptr);
  form.View->OriginX = 0;
  form.View->OriginY = 0;
  form.View->Scale = 1.0;
  form.PaintBox1->resize(1280, 900);
  form.FormResize();
  for (auto _ : state) {
    form.Timer1Timer();
    benchmark::DoNotOptimize(form.BackBuffer.constBits());
  }
  state.counters["members"] = static_cast<double>(state.range(0));
}

void BM_TimerTick(benchmark::State& state) { RunTicks(state, kSpread); }
void BM_TimerTickAllInView(benchmark::State& state) {
  RunTicks(state, PackedShape(static_cast<int>(state.range(0))));
}

}  // namespace

BENCHMARK(BM_TimerTick)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TimerTickAllInView)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
