// The Load command on a circuit of 100,000 nodes (read, nets numbered,
// members' box, scroll bars, first redraw into a 1280 x 900 back buffer),
// and LoadSSFile of a sub-circuit file of 10,000 nodes pasted into the
// level it was copied from (every pasted member steps off a taken place).
// The circuit: junctions and elements alternate on a grid 40 units apart,
// every element wired to the junctions before and after it, every junction
// to the junction of the next row. The windows are made offscreen, once.
#include <benchmark/benchmark.h>

#include <QPlainTextEdit>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "files/circuit_file.h"
#include "files/subcircuit_file.h"
#include "bench_windows.h"
#include "platform/program_folder.h"
#include "platform/scripted_dialogs.h"
#include "ui/paint_box.h"
#include "ui/program_profile.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace {

using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

struct Folder : bench::ScratchProgramFolder {
  Folder() : ScratchProgramFolder("vemu-bench-files") {}
};

// The circuit of `nodes` nodes (the root included), every member selected.
std::unique_ptr<TheBaseOfGraf> Grid(int nodes) {
  auto g = std::make_unique<TheBaseOfGraf>();
  TheNode* root = g->AddNode(nullptr, vemu::model::ntRoot);
  root->Name = "Upper Level";
  g->MainNode = root;
  const int columns = 101;
  std::vector<TheNode*> members;
  members.reserve(static_cast<std::size_t>(nodes));
  vemu::model::TheLine* lastMember = nullptr;  // appended at the tail, not by a walk to it
  for (int k = 0; k + 1 < nodes; ++k) {
    const bool junction = k % 2 == 0;
    TheNode* n = g->AddNode(root, static_cast<std::uint8_t>(junction ? 2 : 19 + (k / 2) % 6));
    if (!lastMember) {
      lastMember = g->AddLine(-2, root, n, vemu::model::alHaveItem);
    } else {
      lastMember->Next = vemu::model::CreateLink(root, n);
      lastMember = lastMember->Next.get();
      lastMember->Kind = vemu::model::alHaveItem;
      lastMember->Node = n;
    }
    n->X = 20 + 40 * (k % columns);
    n->Y = 40 + 40 * (k / columns);
    std::string name = junction ? std::string() : std::string("R");
    name += std::to_string(k / 2);
    n->Name = name;
    if (!junction) n->Value = "1k";
    n->Selected = 1;
    members.push_back(n);
  }
  for (std::size_t k = 0; k < members.size(); ++k) {
    TheNode* n = members[k];
    if (!n->IsJunction()) {
      g->AddLine(-2, n, members[k - 1], vemu::model::alInPin);
      if (k + 1 < members.size()) g->AddLine(-2, n, members[k + 1], vemu::model::alOutPin);
    } else if (k + columns < members.size() && members[k + columns]->IsJunction()) {
      g->AddLine(-2, n, members[k + columns], vemu::model::alWire);
    }
  }
  return g;
}

using Program = bench::MainWindow;

void BM_LoadCommand(benchmark::State& state) {
  Folder folder;
  const std::string file = folder.path + "big.dag";
  vemu::files::WriteCircuitFile(*Grid(static_cast<int>(state.range(0))), {}, file, nullptr);
  Program program;
  TForm1& form = program.form();
  for (auto _ : state) {
    program.dialogs.fileAnswers = {file};
    form.LoadFile1Click();
    form.Timer1->stop();
  }
  if (form.Graph->NodeCount() != state.range(0)) state.SkipWithError("the circuit was not loaded");
  state.SetLabel("read, nets, box, scroll bars, redraw 1280x900");
}
BENCHMARK(BM_LoadCommand)->Arg(100000)->Unit(benchmark::kMillisecond);

// The paste of `state.range(0)` nodes through the window (memo trace
// included) or through the file layer alone.
void PasteBench(benchmark::State& state, bool throughWindow) {
  Folder folder;
  const int nodes = static_cast<int>(state.range(0));
  const std::string circuit = folder.path + "level.dag";
  const std::string copy = folder.path + "copy.txt";
  {
    auto g = Grid(nodes + 1);  // the root and `nodes` members
    vemu::files::WriteCircuitFile(*g, {}, circuit, nullptr);
    g->forEachNode([](TheNode* n) { n->Selected = n->Upper ? 1 : 0; });
    vemu::files::WriteSubcircuitFile(*g, copy, nullptr, nullptr);
  }
  Program program;
  TForm1& form = program.form();
  for (auto _ : state) {
    state.PauseTiming();
    form.ReadCircuitFile(circuit);
    form.Timer1->stop();
    form.Memo1->clear();
    state.ResumeTiming();
    if (throughWindow) {
      benchmark::DoNotOptimize(form.LoadSSFile(copy));
    } else {
      const auto content = vemu::files::ReadSubcircuitFile(copy);
      benchmark::DoNotOptimize(vemu::files::InsertSubcircuit(*form.Graph, content).nodesAdded);
    }
  }
  if (form.Graph->NodeCount() != 2 * nodes + 1) state.SkipWithError("the copy was not pasted");
}

void BM_LoadSSFile(benchmark::State& state) { PasteBench(state, true); }
void BM_ReadAndInsertSubcircuit(benchmark::State& state) { PasteBench(state, false); }
// 1,000,000 nodes: a copy.txt of about 60 MB (goal: under 10 s and 1 GB).
BENCHMARK(BM_LoadSSFile)->Arg(10000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndInsertSubcircuit)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
