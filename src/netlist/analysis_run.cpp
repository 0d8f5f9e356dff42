#include "netlist/analysis_run.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>

#include "catalogue/messages.h"
#include "catalogue/settings.h"
#include "platform/dialogs.h"
#include "platform/process_wait.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"

namespace vemu::netlist {
namespace {

namespace platform = vemu::platform;

void ReportError(const std::string& caption, const std::string& text) {
  platform::dialogs().messageBox(caption, text, platform::MsgButtons::Ok, platform::MsgIcon::Error);
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Removes an old result file; false (reported) when it is there and stays.
bool RemoveOldResult(const std::string& path) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  ReportError("Run", "Cannot delete the old result file " + path + ": " + std::strerror(errno));
  return false;
}

}  // namespace

std::string BatchFileName(int computationType) {
  if (computationType < 0 || computationType > 3) computationType = 0;
  return "bat" + std::to_string(computationType + 1) + ".bat";
}

RunOutcome RunProgramAndWait(const std::string& program, const std::string& parameter,
                             platform::ProcessWait& wait, platform::ChildOutput output) {
  std::vector<std::string> arguments;
  if (!parameter.empty()) arguments.push_back(parameter);
  std::string error;
  const auto plan = platform::PlanLaunch(program, arguments, error);
  auto process = plan ? platform::ChildProcess::Start(*plan, FolderOf(program), error, output) : std::nullopt;
  if (!process) {
    ReportError("Run", "Cannot start " + program + ": " + error);
    return RunOutcome::NotStarted;
  }
  return wait.WaitFor(*process, program) ? RunOutcome::Finished : RunOutcome::Cancelled;
}

std::string ShortenedFileLine(const std::string& path, std::size_t shownLines) {
  if (shownLines > 0) return "[only the first " + std::to_string(shownLines) + " lines of " + path + " are shown]";
  return "[only the first " + std::to_string(kShownFileBytes / (1024 * 1024)) + " MB of " + path + " are shown]";
}

namespace {
// `part` is what the byte bound leaves of the file (`cut`: less than all of
// it); of that, at most kShownFileLines lines are shown, joined by line
// feeds into one text for the memo.
void AddPart(AnalysisLog& log, const std::string& path, std::string_view part, bool cut) {
  platform::LineCursor cursor(part);
  std::string joined;
  joined.reserve(part.size());
  std::size_t count = 0;
  for (std::string_view line; count < kShownFileLines && cursor.next(line); ++count) {
    if (count > 0) joined.push_back('\n');
    joined.append(line);
  }
  const bool lineBound = cursor.offset() < part.size();
  if (count > 0) log.AddFileText(joined);
  if (!cut && !lineBound) return;
  log.AddText(ShortenedFileLine(path, lineBound ? count : 0));
  log.NoteShortenedFile(path);
}
}  // namespace

void AddShownPart(AnalysisLog& log, const std::string& path, std::string_view bytes) {
  const std::size_t shown = platform::headLength(bytes, kShownFileBytes);
  AddPart(log, path, bytes.substr(0, shown), shown < bytes.size());
}

void ShowFileText(AnalysisLog& log, const std::string& path, std::string_view bytes) {
  log.ClearLog();
  AddShownPart(log, path, bytes);
}

void LoadFileIntoLog(AnalysisLog& log, const std::string& path) {
  if (!platform::fileExists(path)) {
    log.AddText(catalogue::GetMsg(0) + " " + path);
    return;
  }
  auto head = platform::readFileHead(path, kShownFileBytes);
  if (!head) {
    ReportError("Vemu", "Cannot read " + path);
    return;
  }
  AddPart(log, path, head->bytes, head->cut);
}

bool SaveLogToFile(const AnalysisLog& log, const std::string& path) {
  if (log.ShowsShortened(path)) return true;
  std::string error;
  if (platform::writeLines(path, log.LogLines(), &error)) return true;
  ReportError("Vemu", "Cannot write " + path + (error.empty() ? std::string() : ": " + error));
  return false;
}

std::string CancelledRunLine(const std::string& program) { return "Run cancelled: " + program; }

bool BuildNetlistForRun(AnalysisHost& host) {
  const bool complete = host.BuildNetlist() == BuildEnd::Complete;
  host.SetRunButtonEnabled(complete);
  if (!complete) host.SetStatusText(2, kNetlistStoppedText);
  return complete;
}

bool CreateTextFile(AnalysisHost& host) {
  const bool complete = BuildNetlistForRun(host);
  if (host.ListNotPacked()) host.Log().AddText("List not packed.");
  return complete;
}

bool RunAnalysis(AnalysisHost& host, const catalogue::Settings& settings) {
  host.SetRunButtonEnabled(false);
  const std::string folder = platform::programFolder();
  if (!folder.empty() && ::chdir(folder.c_str()) != 0) host.SetStatusText(0, "Cannot enter " + folder);
  const std::string batch = folder + BatchFileName(settings.BoxBat);
  const std::string cir = folder + "cir";
  AnalysisLog& log = host.Log();
  if (!SaveLogToFile(log, cir)) return false;
  log.ClearLog();
  log.AddText(catalogue::GetMsg(25) + cir);
  if (!RemoveOldResult(folder + "clc") || !RemoveOldResult(folder + "out")) return false;
  log.AddText("Run " + batch);
  if (host.RunAndWait(batch, std::string()) == RunOutcome::Cancelled) {
    log.AddText(CancelledRunLine(batch));
    return false;
  }
  return true;
}

}  // namespace vemu::netlist
