// Reading and writing ".dag" files of 10,000 and 100,000 nodes. Every
// member of the top level holds three links (output and input terminal to
// junctions and a third link to another member), and the root holds one
// containment link per member, as a real circuit does.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <unistd.h>

#include "files/circuit_file.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"

namespace {

using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

std::unique_ptr<TheBaseOfGraf> makeCircuit(int nodes) {
  auto g = std::make_unique<TheBaseOfGraf>();
  TheNode* root = g->AddNode(nullptr, vemu::model::ntRoot);
  root->Name = "Upper Level";
  g->MainNode = root;
  std::vector<TheNode*> members;
  members.reserve(static_cast<std::size_t>(nodes));
  std::mt19937 random(42);
  for (int k = 1; k < nodes; ++k) {
    const bool junction = k % 2 == 1;
    const auto type = static_cast<std::uint8_t>(junction ? vemu::model::ntJunction : 19 + k % 6);
    TheNode* n = g->AddNode(root, type);
    n->X = static_cast<int>(random() % 20000) - 10000;
    n->Y = static_cast<int>(random() % 20000) - 10000;
    std::string name = junction ? std::string() : std::string("R");
    name += std::to_string(k);
    n->Name = name;
    n->Value = junction ? "" : "1.5k";
    if (junction && k % 7 == 0) n->Ground = 1 + k % 4;
    members.push_back(n);
  }
  // Put at the front in reverse order: the list ends in member order
  // without walking it for every link.
  for (auto it = members.rbegin(); it != members.rend(); ++it) g->AddLine(1, root, *it, vemu::model::alHaveItem);
  std::uniform_int_distribution<std::size_t> pick(0, members.size() - 1);
  for (TheNode* n : members) {
    g->AddLine(-2, n, members[pick(random)], vemu::model::alOutPin);
    g->AddLine(-2, n, members[pick(random)], vemu::model::alInPin);
    g->AddLine(-2, n, members[pick(random)], n->IsJunction() ? vemu::model::alWire : vemu::model::alControl);
  }
  g->CurrentNode = members.empty() ? nullptr : members.front();
  return g;
}

vemu::files::CircuitViewState viewState() {
  vemu::files::CircuitViewState view;
  view.originX = 120;
  view.originY = -40;
  view.scale = 1.331;
  return view;
}

// The boxes of a damaged file would end up here; a sound file shows none.
struct QuietDialogs {
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};
};

std::string scratchFile(const char* name) {
  return (std::filesystem::temp_directory_path() / (std::string("vemu-bench-") + std::to_string(::getpid()) + "-" + name))
      .string();
}

void BM_FormatCircuit(benchmark::State& state) {
  auto g = makeCircuit(static_cast<int>(state.range(0)));
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string text = vemu::files::FormatCircuitFile(*g, viewState());
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes) * state.iterations());
}

void BM_WriteCircuitFile(benchmark::State& state) {
  auto g = makeCircuit(static_cast<int>(state.range(0)));
  const std::string path = scratchFile("write.dag");
  for (auto _ : state) {
    std::string error;
    if (!vemu::files::WriteCircuitFile(*g, viewState(), path, &error)) state.SkipWithError(error.c_str());
  }
  std::remove(path.c_str());
}

void BM_ReadCircuitText(benchmark::State& state) {
  QuietDialogs quiet;
  auto g = makeCircuit(static_cast<int>(state.range(0)));
  const std::string text = vemu::files::FormatCircuitFile(*g, viewState());
  g.reset();
  for (auto _ : state) {
    // The graph read is freed inside the loop, as loading frees the one before.
    auto result = vemu::files::ReadCircuitText(text, "bench.dag");
    if (!result.ok) state.SkipWithError(result.error.c_str());
    benchmark::DoNotOptimize(result.graph.get());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(text.size()) * state.iterations());
  if (!quiet.dialogs.boxes.empty()) state.SkipWithError("the reader showed boxes");
}

void BM_ReadCircuitFile(benchmark::State& state) {
  QuietDialogs quiet;
  const std::string path = scratchFile("read.dag");
  {
    auto g = makeCircuit(static_cast<int>(state.range(0)));
    std::string error;
    if (!vemu::files::WriteCircuitFile(*g, viewState(), path, &error)) state.SkipWithError(error.c_str());
  }
  for (auto _ : state) {
    auto result = vemu::files::ReadCircuitFile(path);
    if (!result.ok) state.SkipWithError(result.error.c_str());
    benchmark::DoNotOptimize(result.graph.get());
  }
  std::remove(path.c_str());
}

}  // namespace

BENCHMARK(BM_FormatCircuit)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteCircuitFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCircuitText)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadCircuitFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
