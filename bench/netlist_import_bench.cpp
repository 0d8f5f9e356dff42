// Netlist import of 10,000 elements in each layout (0 as created, 1 on a
// circle with the free-place search, 2 at random): a resistor ladder of
// 9,000 elements in the top level, and a random circuit of 9,000 elements
// (every letter, pairs included) on 3,000 nets; each with ten sub-circuits
// of 100 elements. The time covers the parse, the build and the layout.
// Star netlists of 10,000, 100,000 and 1,000,000 resistors from numbered
// nets to ground, in each layout: on the circle every element shares the
// ground junction, so the free-place search runs along the same few lines.
// Files of 32 MiB of short lines.
// Random wiring: 100,000, 300,000 and 1,000,000 resistors between nets
// drawn at random from a tenth as many, as created and on the circle, where
// the elements pile up in long bands along the searched lines.
#include <benchmark/benchmark.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "catalogue/node_type_table.h"
#include "netlist/netlist_import.h"
#include "platform/scripted_dialogs.h"
#include "star_netlist.h"

namespace {

using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

class SilentImportHost final : public vemu::netlist::NetlistImportHost {
 public:
  int PaintBoxWidth() const override { return 1280; }
  int PaintBoxHeight() const override { return 900; }
  std::int32_t GridStep() const override { return 15; }
  double ViewScale() const override { return 1.0; }
  void SetModified(bool) override {}
  bool DiagnosticsChecked() const override { return false; }
  void ShowDiagnosticMemo() override {}
  void AddDiagnosticLines(const std::vector<std::string>&) override {}
  bool ConfirmDiscardUnsaved() override { return true; }
  void EnableSave() override {}
  void SetCurrentNode(TheNode*) override {}
  std::string ImportItemHint() const override { return {}; }
  void NewCircuit() override {}
  void SetCaption(const std::string&) override {}
  void ShowFileInTextWindow(const std::string&, std::string_view) override {}
  void ComputeItemsRect() override {}
  void UpdateScrollBars() override {}
  void RefreshLevelWindows() override {}
};

// Ten sub-circuits of 100 elements, each on two pins of the top level.
void addSubCircuits(std::vector<std::string>& lines, int topNets, std::mt19937& random) {
  for (int s = 0; s < 10; ++s) {
    lines.push_back("X" + std::to_string(s) + " n" + std::to_string(random() % topNets) + " n" +
                    std::to_string(random() % topNets));
    for (int i = 0; i < 100; ++i)
      lines.push_back("R" + std::to_string(i) + " n" + std::to_string(random() % 30) + " n" +
                      std::to_string(random() % 30) + " 1k");
    lines.push_back(".X");
  }
}

std::vector<std::string> ladderNetlist() {
  std::vector<std::string> lines{"ladder", ".AC LOG 5 10100"};
  std::mt19937 random(3);
  for (int k = 0; k < 4500; ++k) {
    lines.push_back("R" + std::to_string(k) + " n" + std::to_string(k) + " n" + std::to_string(k + 1) + " 1k");
    lines.push_back("C" + std::to_string(k) + " n" + std::to_string(k + 1) + " 0 1u");
  }
  addSubCircuits(lines, 4500, random);
  lines.push_back(".END");
  return lines;
}

std::vector<std::string> randomNetlist() {
  std::vector<std::string> lines{"random"};
  std::mt19937 random(5);
  const std::string letters = "RgLlCcEJUIVANKHGB";
  for (int k = 0; k < 9000; ++k) {
    std::string line(1, letters[random() % letters.size()]);
    line += std::to_string(k);
    const int nets = 2 + static_cast<int>(random() % 2) * 2;
    for (int n = 0; n < nets; ++n) line += random() % 20 == 0 ? " 0" : " n" + std::to_string(random() % 3000);
    lines.push_back(line + " 1");
  }
  addSubCircuits(lines, 3000, random);
  lines.push_back(".END");
  return lines;
}

// `lines`: a list of lines, or a file's text.
template <typename Lines>
void importNetlist(benchmark::State& state, const Lines& lines) {
  vemu::catalogue::NodeTypeTable types;
  vemu::catalogue::InitNodeTypeTable(types, vemu::model::NodeTypeCount, nullptr);
  SilentImportHost host;
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope(dialogs);
  vemu::platform::RandomSource random(1);
  const auto layout = static_cast<vemu::netlist::ImportLayout>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto graph = std::make_unique<TheBaseOfGraf>();
    graph->MainNode = graph->AddNode(nullptr, vemu::model::ntRoot);
    state.ResumeTiming();
    vemu::netlist::NetlistImport({*graph, types, host, random}).BuildFromNetlist(lines, layout);
    benchmark::DoNotOptimize(graph->LastNode());
    state.PauseTiming();
    graph.reset();
    state.ResumeTiming();
  }
}

void BM_ImportLadder(benchmark::State& state) {
  static const std::vector<std::string> lines = ladderNetlist();
  importNetlist(state, lines);
}
BENCHMARK(BM_ImportLadder)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_ImportRandom(benchmark::State& state) {
  static const std::vector<std::string> lines = randomNetlist();
  importNetlist(state, lines);
}
BENCHMARK(BM_ImportRandom)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Arguments: the layout, the number of elements.
void BM_ImportStar(benchmark::State& state) {
  importNetlist(state, StarNetlist({"star"}, static_cast<int>(state.range(1))));
}
BENCHMARK(BM_ImportStar)
    ->ArgsProduct({{0, 1, 2}, {10000, 100000, 1000000}})
    ->Unit(benchmark::kMillisecond);

// Arguments: the layout, the lines of a file of 32 MiB walked in place: 0 CR
// LF alone (16 M empty lines), 1 one letter each (skipped as too short).
// The goal: under 10 s and 1 GB.
void BM_ImportShortLines(benchmark::State& state) {
  const std::string line = state.range(1) == 0 ? "\r\n" : "a\n";
  std::string text = "short lines\n";
  for (std::size_t k = 0; k < (std::size_t{32} << 20) / line.size(); ++k) text += line;
  importNetlist(state, std::string_view(text));
}
BENCHMARK(BM_ImportShortLines)->ArgsProduct({{0}, {0, 1}})->Unit(benchmark::kMillisecond);
// Arguments: the layout, the number of elements.
void BM_ImportRandomNets(benchmark::State& state) {
  const int elements = static_cast<int>(state.range(1));
  importNetlist(state, RandomNetNetlist({"random nets"}, elements, elements / 10, 1));
}
BENCHMARK(BM_ImportRandomNets)
    ->ArgsProduct({{0, 1}, {100000, 300000, 1000000}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
