// Loading results: 10,000 result elements (voltage and current sensors)
// whose lines stand in a "clc" of 20,000 lines, in an order of their own,
// half of them with a longer name in front ("XU12= " holds "U12= ").
// The value pass alone, and the whole "Load files" command through the
// windows (reading "out" and "clc", the memo, the undo snapshot), also with
// an "out" of 99 MB whose results stand at its end and with a "clc" that
// opens with 300 KB of a byte code page 1251 has no character for (there
// the memo is read back as well), and with an "out" of 32 MiB of line feeds
// (32 M empty lines) before its results.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "catalogue/node_type_table.h"
#include "catalogue/settings.h"
#include "model/graph.h"
#include "netlist/result_loader.h"
#include "netlist/windows/text_window.h"
#include "platform/program_folder.h"
#include "platform/scripted_dialogs.h"
#include "platform/text_file.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace {

using vemu::model::TheBaseOfGraf;
using vemu::model::TheNode;

constexpr int kElements = 10000;
constexpr int kLines = 20000;

void AddResultElements(TheBaseOfGraf& g) {
  TheNode* root = g.MainNode;
  for (int k = 0; k < kElements; ++k) {
    TheNode* n = g.AddNode(root, static_cast<std::uint8_t>(k % 2 ? 5 : 6));
    n->Name = (k % 2 ? "I" : "U") + std::to_string(k);
    g.AddLine(-2, root, n, vemu::model::alHaveItem);
  }
}

std::vector<std::string> ClcLines() {
  std::vector<std::string> lines;
  std::mt19937 random(5);
  for (int k = 0; k < kElements; ++k) {
    const std::string name = (k % 2 ? "I" : "U") + std::to_string(k);
    lines.push_back((k % 4 == 0 ? "X" : "") + name + "= " + std::to_string(1 + k % 9) + ".25e-0" +
                    std::to_string(k % 10));
    lines.push_back("  comment line " + std::to_string(k) + " of the calculator");
  }
  std::shuffle(lines.begin(), lines.end(), random);
  return lines;
}

void BM_WriteResultValues(benchmark::State& state) {
  TheBaseOfGraf g;
  g.MainNode = g.AddNode(nullptr, vemu::model::ntRoot);
  AddResultElements(g);
  vemu::catalogue::NodeTypeTable types;
  vemu::catalogue::InitNodeTypeTable(types, vemu::model::NodeTypeCount, nullptr);
  const auto lines = ClcLines();
  for (auto _ : state) {
    std::vector<std::string> abnormal;
    benchmark::DoNotOptimize(vemu::netlist::WriteResultValues(g, types, lines, {}, abnormal));
  }
  state.SetLabel("10,000 elements, 20,000 lines");
}
BENCHMARK(BM_WriteResultValues)->Unit(benchmark::kMillisecond);

// "out" of `outMegabytes` MB (0: one line) whose last lines hold the results;
// a "clc" that opens with a line of `unmappableKilobytes` KB of byte 0x98,
// which code page 1251 leaves without a character.
// `emptyLines`: the lines before the results are line feeds alone.
void LoadFilesCommand(benchmark::State& state, std::size_t outMegabytes, std::size_t unmappableKilobytes = 0,
                      bool emptyLines = false) {
  const std::string folder = (std::filesystem::temp_directory_path() / "vemu-bench-results").string() + "/";
  std::filesystem::create_directories(folder + "IMAGES/BACKUP");
  vemu::platform::setProgramFolder(folder);
  if (outMegabytes == 0) {
    vemu::platform::writeLines(folder + "out", {"analysis output"});
    auto clc = ClcLines();
    if (unmappableKilobytes) clc.insert(clc.begin(), std::string(unmappableKilobytes << 10, '\x98'));
    vemu::platform::writeLines(folder + "clc", clc);
  } else {
    const std::string line =
        emptyLines ? "\n" : "analysis output line with the numbers 1.234e+00 5.678e-01 of no element\r\n";
    vemu::platform::SafeFileWriter out(folder + "out");
    for (std::size_t k = 0; k < (outMegabytes << 20) / line.size(); ++k) out.write(line);
    for (const std::string& result : ClcLines()) out.writeLine(result);
    out.commit();
    vemu::platform::writeLines(folder + "clc", {"calculator output"});
  }
  vemu::platform::ScriptedDialogs dialogs;
  vemu::platform::ScopedDialogs scope(dialogs);
  {
    WindowSet set(FullProgramProfile(), {"vemu3"});
    TForm1& form = *set.windows().Form1;
    set.windows().Settings->CheckUpdateDigitsOnCircuit = true;
    AddResultElements(*form.Graph);
    for (auto _ : state) {
      form.SpeedButton1Click();
      // With unmappable bytes, the memo is also read back, as the text window's Save does.
      if (unmappableKilobytes) benchmark::DoNotOptimize(set.windows().Form6->MemoLines());
    }
    state.SetLabel(emptyLines            ? "out of " + std::to_string(outMegabytes) + " MB of line feeds"
                   : outMegabytes         ? "out of " + std::to_string(outMegabytes) + " MB, memo shows 5 MB"
                   : unmappableKilobytes ? "clc opens with " + std::to_string(unmappableKilobytes) + " KB of 0x98"
                                         : "files read, memo filled, snapshot written");
  }
  vemu::platform::setProgramFolder("");
  std::error_code ec;
  std::filesystem::current_path(std::filesystem::temp_directory_path(), ec);
  std::filesystem::remove_all(folder, ec);
}
void BM_LoadFilesCommand(benchmark::State& state) { LoadFilesCommand(state, 0); }
BENCHMARK(BM_LoadFilesCommand)->Unit(benchmark::kMillisecond);
// The goal: under 3 s.
void BM_LoadFilesCommandUnmappableClc(benchmark::State& state) { LoadFilesCommand(state, 0, 300); }
BENCHMARK(BM_LoadFilesCommandUnmappableClc)->Unit(benchmark::kMillisecond);
// The goal: under 10 s and 1 GB for files below 100 MB.
void BM_LoadFilesCommandHugeOut(benchmark::State& state) { LoadFilesCommand(state, 99); }
BENCHMARK(BM_LoadFilesCommandHugeOut)->Unit(benchmark::kMillisecond);
void BM_LoadFilesCommandEmptyLinesOut(benchmark::State& state) { LoadFilesCommand(state, 32, 0, true); }
BENCHMARK(BM_LoadFilesCommandEmptyLinesOut)->Unit(benchmark::kMillisecond);

}  // namespace
