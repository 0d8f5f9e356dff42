// Netlist builds: a circuit of 100,000 nodes (junctions and elements in
// random name order, every check switched on), and a resistor ladder of
// 10,000 resistors (one source, series and shunt resistors, each shunt to a
// ground mark of its own) read from its file and netlisted.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <random>
#include <unistd.h>

#include "catalogue/node_type_table.h"
#include "catalogue/settings.h"
#include "files/circuit_file.h"
#include "netlist/netlist_builder.h"
#include "platform/scripted_dialogs.h"

namespace {

using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

class SilentHost final : public vemu::netlist::NetlistHost {
 public:
  void ShowLevel(TheNode*) override {}
  void SetLevelSelection(std::uint8_t) override {}
  void SetCurrentNode(TheNode*) override {}
  void CenterOnNode(TheNode*) override {}
  void SetStatusText(int, const std::string&) override {}
  void ShowMemo(const std::vector<std::string>*) override {}
  void SetMemoLines(const std::vector<std::string>& lines) override { memoSize = lines.size(); }
  void SetMemoCaption(const std::string&) override {}
  std::size_t memoSize = 0;
};

struct Builder {
  vemu::catalogue::NodeTypeTable types;
  vemu::catalogue::Settings settings;
  SilentHost host;
  std::uint8_t listNotPacked = 0;
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope{dialogs};

  Builder() { vemu::catalogue::InitNodeTypeTable(types, vemu::model::NodeTypeCount, nullptr); }

  std::size_t build(TheBaseOfGraf& graph) {
    vemu::netlist::NetlistBuilder builder({graph, types, settings, host, listNotPacked});
    builder.BuildNetlist("bench");
    return builder.lines().size();
  }
};

// Members are linked to their owner at the front, newest first; `linkMembers`
// puts them in creation order without walking the owner's list each time.
std::vector<TheNode*> pendingMembers;

TheNode* addMember(TheBaseOfGraf& g, TheNode* owner, std::uint8_t type, const std::string& name) {
  TheNode* n = g.AddNode(owner, type);
  n->Name = name;
  pendingMembers.push_back(n);
  return n;
}

void linkMembers(TheBaseOfGraf& g) {
  for (auto it = pendingMembers.rbegin(); it != pendingMembers.rend(); ++it)
    g.AddLine(1, (*it)->Upper, *it, vemu::model::alHaveItem);
  pendingMembers.clear();
}

// Half junctions, half resistors; every resistor joins two random
// junctions, every fourth junction is wired to another, one in 50 is grounded.
std::unique_ptr<TheBaseOfGraf> randomCircuit(int nodes) {
  auto g = std::make_unique<TheBaseOfGraf>();
  TheNode* root = g->AddNode(nullptr, vemu::model::ntRoot);
  root->Name = "Upper Level";
  g->MainNode = root;
  std::mt19937 random(7);
  const int elements = (nodes - 1) / 2;
  const int junctions = nodes - 1 - elements;
  std::vector<int> order(static_cast<std::size_t>(elements));
  for (int k = 0; k < elements; ++k) order[static_cast<std::size_t>(k)] = k + 1;
  std::shuffle(order.begin(), order.end(), random);
  std::vector<TheNode*> js;
  for (int k = 0; k < junctions; ++k) {
    TheNode* j = addMember(*g, root, vemu::model::ntJunction, std::to_string(k + 1));
    if (k % 50 == 0) j->Ground = 1;
    js.push_back(j);
  }
  std::uniform_int_distribution<std::size_t> pick(0, js.size() - 1);
  for (std::size_t k = 0; k < js.size(); k += 4) g->AddLine(-2, js[k], js[pick(random)], vemu::model::alWire);
  g->AddLine(-2, js.back(), js.front(), vemu::model::alWire);
  for (int k = 0; k < elements; ++k) {
    std::string name(1, 'R');
    name += std::to_string(order[static_cast<std::size_t>(k)]);
    TheNode* r = addMember(*g, root, 19, name);
    r->Value = "1k";
    g->AddLine(-2, r, js[static_cast<std::size_t>(k) % js.size()], vemu::model::alOutPin);
    g->AddLine(-2, r, js[pick(random)], vemu::model::alInPin);
  }
  linkMembers(*g);
  return g;
}

void BM_NetlistOfRandomCircuit(benchmark::State& state) {
  Builder builder;
  const int nodes = static_cast<int>(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    auto graph = randomCircuit(nodes);
    state.ResumeTiming();
    benchmark::DoNotOptimize(builder.build(*graph));
    state.PauseTiming();
    graph.reset();
    state.ResumeTiming();
  }
  if (!builder.dialogs.boxes.empty()) state.SkipWithError("the circuit raised a question");
}
BENCHMARK(BM_NetlistOfRandomCircuit)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// Source E1 between net 1 and ground; section k: series resistor from net k
// to net k+1, shunt resistor from net k+1 to a grounded junction of its own.
std::unique_ptr<TheBaseOfGraf> ladder(int resistors) {
  auto g = std::make_unique<TheBaseOfGraf>();
  TheNode* root = g->AddNode(nullptr, vemu::model::ntRoot);
  root->Name = "Upper Level";
  g->MainNode = root;
  TheNode* ground = addMember(*g, root, vemu::model::ntJunction, "g");
  ground->Ground = 1;
  TheNode* node = addMember(*g, root, vemu::model::ntJunction, "n");
  TheNode* source = addMember(*g, root, 3, "E1");
  source->Value = std::string(1, '1');
  g->AddLine(-2, source, node, vemu::model::alOutPin);
  g->AddLine(-2, source, ground, vemu::model::alInPin);
  for (int k = 1; k <= resistors / 2; ++k) {
    TheNode* next = addMember(*g, root, vemu::model::ntJunction, "n");
    TheNode* mark = addMember(*g, root, vemu::model::ntJunction, "g");
    mark->Ground = 1;
    TheNode* series = addMember(*g, root, 19, "RS" + std::to_string(k));
    series->Value = "10";
    g->AddLine(-2, series, next, vemu::model::alOutPin);
    g->AddLine(-2, series, node, vemu::model::alInPin);
    TheNode* shunt = addMember(*g, root, 19, "RP" + std::to_string(k));
    shunt->Value = "1k";
    g->AddLine(-2, shunt, mark, vemu::model::alOutPin);
    g->AddLine(-2, shunt, next, vemu::model::alInPin);
    node = next;
  }
  linkMembers(*g);
  return g;
}

void BM_LadderReadAndNetlisted(benchmark::State& state) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("vemu-ladder-" + std::to_string(::getpid()) + ".dag")).string();
  {
    auto graph = ladder(static_cast<int>(state.range(0)));
    std::string error;
    if (!vemu::files::WriteCircuitFile(*graph, {}, path, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
  }
  Builder builder;
  for (auto _ : state) {
    auto read = vemu::files::ReadCircuitFile(path);
    if (!read.ok) {
      state.SkipWithError(read.error.c_str());
      break;
    }
    read.graph->MainNode = read.mainNode;
    benchmark::DoNotOptimize(builder.build(*read.graph));
    state.PauseTiming();
    read.graph.reset();
    state.ResumeTiming();
  }
  if (!builder.dialogs.boxes.empty()) state.SkipWithError("the ladder raised a question");
  std::filesystem::remove(path);
}
BENCHMARK(BM_LadderReadAndNetlisted)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
