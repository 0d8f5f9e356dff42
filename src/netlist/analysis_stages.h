// The text window's stages of an analysis, one tool button each: load or
// build "cir", compute "out" from it with the analysis program of the
// computation type, compute "clc" from "out" with the calculator, load the
// values into the circuit.
#pragma once

#include <string>

#include "netlist/analysis_host.h"

namespace vemu::catalogue {
struct Settings;
}

namespace vemu::netlist {

// The tool buttons' Tags.
enum StageTag {
  kLoadCir = 1,
  kLoadOut = 2,
  kLoadClc = 3,
  kComputeCir = 4,
  kComputeOut = 5,
  kComputeClc = 6,
  kLoadValues = 7,
};

// The analysis program of a computation type and its one parameter:
// 1 "ozmarek.exe" "cir", 2 "vandimo.exe" with none, any other "kostrel.exe" "cir".
struct AnalysisProgram {
  std::string file;
  std::string parameter;
};
AnalysisProgram AnalysisProgramOf(int computationType);

// The memo's work of the stage with `tag` (what happens to the memo and the
// files; the window's buttons and caption are the window's own). A file
// that cannot be saved is reported and nothing is started; a cancelled
// program leaves the memo saying so, without its results. False after a
// netlist build the user stopped: its lines are neither saved as "cir" nor
// offered to the analysis program.
bool RunStage(int tag, AnalysisHost& host, const catalogue::Settings& settings);

}  // namespace vemu::netlist
