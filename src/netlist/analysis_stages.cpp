#include "netlist/analysis_stages.h"

#include "catalogue/messages.h"
#include "catalogue/settings.h"
#include "netlist/analysis_run.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"

namespace vemu::netlist {

AnalysisProgram AnalysisProgramOf(int computationType) {
  switch (computationType) {
    case 1: return {"ozmarek.exe", "cir"};
    case 2: return {"vandimo.exe", ""};
    default: return {"kostrel.exe", "cir"};
  }
}

namespace {

// Saves the memo as `input`, runs `program` and shows `output` in the memo.
void Compute(AnalysisHost& host, const std::string& input, const std::string& program,
             const std::string& parameter, const std::string& heading, const std::string& output) {
  AnalysisLog& log = host.Log();
  if (!SaveLogToFile(log, input)) return;
  const RunOutcome outcome = host.RunAndWait(program, parameter);
  log.ClearLog();
  if (outcome == RunOutcome::Cancelled) {
    log.AddText(CancelledRunLine(program));
    return;
  }
  if (!heading.empty()) log.AddText(heading);
  LoadFileIntoLog(log, output);
}

}  // namespace

bool RunStage(int tag, AnalysisHost& host, const catalogue::Settings& settings) {
  const std::string folder = platform::programFolder();
  AnalysisLog& log = host.Log();
  switch (tag) {
    case kLoadCir:
    case kLoadOut:
    case kLoadClc: {
      static const char* const names[] = {"cir", "out", "clc"};
      log.ClearLog();
      LoadFileIntoLog(log, folder + names[tag - kLoadCir]);
      break;
    }
    case kComputeCir:
      if (!CreateTextFile(host)) return false;
      SaveLogToFile(log, folder + "cir");
      break;
    case kComputeOut: {
      const AnalysisProgram program = AnalysisProgramOf(settings.BoxBat);
      Compute(host, folder + "cir", folder + program.file, program.parameter,
              "Вычисляется OUT файл, подождите.", folder + "out");
      break;
    }
    case kComputeClc:
      if (settings.BoxBat != 0) {
        platform::dialogs().showMessage(catalogue::GetMsg(63));
        break;
      }
      Compute(host, folder + "out", folder + "brelunt.exe", "out", "", folder + "clc");
      break;
    case kLoadValues:
      log.ClearLog();
      host.LoadResults();
      break;
    default: break;
  }
  return true;
}

}  // namespace vemu::netlist
