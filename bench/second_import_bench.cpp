// The second build's netlist import into an empty level: a ladder of 10,000
// elements (a series resistor and a shunt capacitor per rung, a controlled
// source every tenth rung that becomes an amplifier) and 10,000 elements
// between random nets; star netlists of 10,000, 100,000 and 1,000,000
// resistors from numbered nets to ground; files of 32 MiB of short lines.
#include <benchmark/benchmark.h>

#include <random>

#include "catalogue/node_type_table.h"
#include "netlist/second_import.h"
#include "platform/scripted_dialogs.h"
#include "star_netlist.h"

namespace {

using vemu::model::TheBaseOfGraf;

class SilentHost final : public vemu::netlist::SecondImportHost {
 public:
  int PaintBoxWidth() const override { return 1280; }
  int PaintBoxHeight() const override { return 900; }
  void SetModified(bool) override {}
  void SetCaption(const std::string&) override {}
  bool ConfirmDiscardUnsaved() override { return true; }
  void EnableSave() override {}
  void SetCurrentNode(vemu::model::TheNode*) override {}
  std::string ImportItemCaption() const override { return {}; }
  void ShowFileInTextWindow(const std::string&, std::string_view) override {}
  void PushUndoSnapshot() override {}
  void ComputeItemsRect() override {}
  void UpdateScrollBars() override {}
  void RefreshLevelWindows() override {}
  void StartArrangeMode() override {}
};

std::vector<std::string> Ladder(int elements) {
  std::vector<std::string> lines{"ladder", ".AC LOG 5 10100"};
  for (int k = 1; static_cast<int>(lines.size()) - 2 < elements; ++k) {
    const std::string a = std::to_string(k), b = std::to_string(k + 1);
    lines.push_back("R" + a + " " + a + " " + b + " 1k");
    lines.push_back("C" + a + " " + b + " 0 1u");
    if (k % 10 == 0) lines.push_back("K" + a + " 0 " + b + " 0 " + a + " 10");
  }
  lines.resize(static_cast<std::size_t>(elements) + 2);
  lines.push_back(".END");
  return lines;
}

std::vector<std::string> RandomNets(int elements) {
  std::mt19937 random(5);
  std::uniform_int_distribution<int> net(0, elements / 2);
  std::vector<std::string> lines{"random", ""};
  for (int k = 0; k < elements; ++k) {
    std::string line = "R";  // appended piece by piece: no GCC 12 string warning
    for (const int n : {k, net(random), net(random)}) line.append(std::to_string(n)).append(" ");
    lines.push_back(line.append("1"));
  }
  lines.push_back(".END");
  return lines;
}

// `lines`: a list of lines, or a file's text.
template <typename Lines>
void Import(benchmark::State& state, const Lines& lines) {
  vemu::catalogue::NodeTypeTable types;
  vemu::catalogue::InitNodeTypeTable(types, 36, nullptr, vemu::catalogue::TypeCatalogue::Second);
  const char letters[] = "OSNEJIUVANNUKIHUGIBRgLlCcGHKBXNPTHGQ";
  for (std::size_t t = 0; t < types.size(); ++t)
    vemu::catalogue::SetDescription(types[t], std::string("\"") + letters[t] + "\"");
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope(dialogs);
  SilentHost host;
  for (auto _ : state) {
    state.PauseTiming();
    auto graph = std::make_unique<TheBaseOfGraf>();
    graph->MainNode = graph->AddNode(nullptr, vemu::model::ntRoot);
    vemu::platform::RandomSource random(1);
    state.ResumeTiming();
    vemu::netlist::SecondBuildImport({*graph, types, host, random}).BuildFromNetlist(lines);
    benchmark::DoNotOptimize(graph->NodeCount());
    state.PauseTiming();
    graph.reset();
    state.ResumeTiming();
  }
}

void BM_SecondImportLadder(benchmark::State& state) { Import(state, Ladder(10000)); }
void BM_SecondImportRandomNets(benchmark::State& state) { Import(state, RandomNets(10000)); }

void BM_SecondImportStar(benchmark::State& state) { Import(state, StarNetlist({"star", ""}, static_cast<int>(state.range(0)))); }

BENCHMARK(BM_SecondImportStar)->Arg(10000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SecondImportLadder)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SecondImportRandomNets)->Unit(benchmark::kMillisecond);
// A file of 32 MiB of short lines, walked in place: 0 CR LF alone (16 M
// empty lines), 1 one letter no type has (16 M notices, ten of them listed).
// The goal: under 10 s and 1 GB.
void BM_SecondImportShortLines(benchmark::State& state) {
  const std::string line = state.range(0) == 0 ? "\r\n" : "a\n";
  std::string text;
  for (std::size_t k = 0; k < (std::size_t{32} << 20) / line.size(); ++k) text += line;
  Import(state, std::string_view(text));
}
BENCHMARK(BM_SecondImportShortLines)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
