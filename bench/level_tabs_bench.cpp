// The level tabs of a level of 1,000 and 10,000 sub-circuits: both tab bars
// filled from empty in a shown main window (goal for 10,000: well under the
// 5 s of the whole open). The Load command on such a circuit (read, tabs,
// first redraw, the events that paint the window; goal under 5 s), and the
// netlist import of 10,000 sibling sub-circuit blocks through the main
// window (goal under 10 s). The windows are made offscreen, once.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHoverEvent>
#include <QTabBar>
#include <QTimer>
#include <QToolBar>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "bench_windows.h"
#include "files/circuit_file.h"
#include "model/graph.h"
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
  Folder() : ScratchProgramFolder("vemu-bench-tabs") {}
};

// The root with `count` empty sub-circuits X1... on a grid.
std::unique_ptr<TheBaseOfGraf> Level(int count) {
  auto g = std::make_unique<TheBaseOfGraf>();
  TheNode* root = g->AddNode(nullptr, vemu::model::ntRoot);
  root->Name = "Upper Level";
  g->MainNode = root;
  vemu::model::TheLine* last = nullptr;
  for (int k = 1; k <= count; ++k) {
    TheNode* x = g->AddNode(root, vemu::model::ntSubCircuit);
    x->Name = "X" + std::to_string(k);
    x->X = 40 * (k % 100);
    x->Y = 40 * (k / 100);
    if (!last) {
      last = g->AddLine(-2, root, x, vemu::model::alHaveItem);
    } else {
      last->Next = vemu::model::CreateLink(root, x);
      last = last->Next.get();
      last->Kind = vemu::model::alHaveItem;
      last->Node = x;
    }
  }
  return g;
}

// The main window shown, with both tab bars on screen.
struct Program : bench::MainWindow {
  Program() {
    form().show();
    form().ToolBar_BARS->setVisible(true);
    form().TabSet1->setVisible(true);
    QApplication::processEvents();
    form().Timer1->stop();
  }
};

void BM_LevelTabs(benchmark::State& state) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  form.Graph->Swap(*Level(static_cast<int>(state.range(0))));
  TheNode* root = form.Graph->MainNode;
  for (auto _ : state) {
    state.PauseTiming();
    form.Graph->MainNode = nullptr;
    form.UpdateLevelTabs();  // no tabs
    form.Graph->MainNode = root;
    state.ResumeTiming();
    form.UpdateLevelTabs();
  }
  if (form.TabSet1->count() != state.range(0) + 1 || form.TabControl2->count() != state.range(0) + 1)
    state.SkipWithError("the tabs were not filled");
  state.SetLabel("both bars, from empty");
}
BENCHMARK(BM_LevelTabs)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// From the level's tabs to those of a small level, with the mouse over the
// bars (a tab bar under the mouse looks for the hovered tab at every tab
// removed).
void BM_LevelTabsShrink(benchmark::State& state) {
  Folder folder;
  Program program;
  TForm1& form = program.form();
  form.Graph->Swap(*Level(static_cast<int>(state.range(0))));
  TheNode* root = form.Graph->MainNode;
  // Y1 in X1: the tabs of X1 and Y1 alone.
  TheNode* x1 = root->FirstLine->Node;
  TheNode* small = form.Graph->AddNode(x1, vemu::model::ntSubCircuit);
  small->Name = "Y1";
  form.Graph->AddLine(-2, x1, small, vemu::model::alHaveItem);
  for (auto _ : state) {
    state.PauseTiming();
    form.Graph->MainNode = root;
    form.UpdateLevelTabs();
    for (QTabBar* tabs : {form.TabSet1, form.TabControl2}) {
      const QPointF at = tabs->tabRect(0).center();
      QHoverEvent hover(QEvent::HoverMove, at, tabs->mapToGlobal(at), QPointF(-1, -1));
      QApplication::sendEvent(tabs, &hover);
    }
    form.Graph->MainNode = small;
    state.ResumeTiming();
    form.UpdateLevelTabs();
  }
  if (form.TabSet1->count() != 2 || form.TabControl2->count() != 2) state.SkipWithError("the tabs were not refilled");
  state.SetLabel("both bars, hovered");
}
BENCHMARK(BM_LevelTabsShrink)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadLevelOfSubCircuits(benchmark::State& state) {
  Folder folder;
  const std::string file = folder.path + "level.dag";
  vemu::files::WriteCircuitFile(*Level(static_cast<int>(state.range(0))), {}, file, nullptr);
  Program program;
  TForm1& form = program.form();
  for (auto _ : state) {
    state.PauseTiming();
    form.Newcircuit1Click();
    QApplication::processEvents();
    state.ResumeTiming();
    program.dialogs.fileAnswers = {file};
    form.LoadFile1Click();
    QApplication::processEvents();  // the window paints
    form.Timer1->stop();
  }
  if (form.TabSet1->count() != state.range(0) + 1) state.SkipWithError("the circuit was not loaded");
  state.SetLabel("read, tabs, redraw 1280x900, paint");
}
BENCHMARK(BM_LoadLevelOfSubCircuits)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ImportSiblingBlocks(benchmark::State& state) {
  Folder folder;
  const std::string file = folder.path + "blocks.cir";
  {
    std::ofstream out(file, std::ios::binary);
    out << "blocks\r\n";
    for (int k = 1; k <= state.range(0); ++k)
      out << "X" << k << " a 0\r\nR" << k << " a 0 1k\r\n.X\r\n";
    out << ".END\r\n";
  }
  Program program;
  TForm1& form = program.form();
  for (auto _ : state) {
    program.dialogs.fileAnswers = {file};
    program.dialogs.filterAnswers = {2};
    program.dialogs.choiceAnswers = {static_cast<int>(state.range(1))};  // 0 as created, 1 circle, 2 random
    program.dialogs.boxAnswers = {vemu::platform::MsgResult::No};
    form.CreateFromCir1Click();
    QApplication::processEvents();
    form.Timer1->stop();
  }
  if (form.TabSet1->count() != state.range(0) + 1) state.SkipWithError("the blocks were not imported");
  state.SetLabel("parse, build, tabs, paint");
}
BENCHMARK(BM_ImportSiblingBlocks)->Args({10000, 0})->Args({10000, 1})->Args({10000, 2})->Unit(benchmark::kMillisecond);

}  // namespace
