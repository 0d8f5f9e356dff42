// One analysis run: the memo saved as "cir" in the program folder, the
// results of the run before removed, the batch file of the computation
// type started and waited for. Also the two services the text window and
// the result loader share: running a program of the program folder and
// appending a text file to the memo.
#pragma once

#include <string>
#include <string_view>

#include "netlist/analysis_host.h"
#include "platform/process_runner.h"
#include "platform/text_file.h"

namespace vemu::catalogue {
struct Settings;
}
namespace vemu::platform {
class ProcessWait;
}

namespace vemu::netlist {

// "bat1.bat" to "bat4.bat" by the computation type's item index; "bat1.bat"
// for any other index.
std::string BatchFileName(int computationType);

// Starts `program` (a path) with `parameter` as its one argument (none when
// it is empty) in the program's folder and waits through `wait`. A program
// that cannot be started is reported in a message box with its path and
// the reason. `output` tells where the program's output goes.
RunOutcome RunProgramAndWait(const std::string& program, const std::string& parameter,
                             platform::ProcessWait& wait, platform::ChildOutput output);

// The most of a file the memo shows: a longer file is shown up to its last
// line end within this size, and at most its first kShownFileLines lines,
// followed by ShortenedFileLine (with the count of lines when they were the
// bound).
inline constexpr std::size_t kShownFileBytes = platform::kShownTextBytes;
inline constexpr std::size_t kShownFileLines = platform::kShownTextLines;
std::string ShortenedFileLine(const std::string& path, std::size_t shownLines = 0);

// Appends the lines of the file to the memo (the part of it shown, as
// above), or the line message 0, a blank and the path when there is no such
// file. Nothing is cleared first.
void LoadFileIntoLog(AnalysisLog& log, const std::string& path);
// Appends the first part of a file's text that the memo shows, with the
// line that says it was cut when it was.
void AddShownPart(AnalysisLog& log, const std::string& path, std::string_view bytes);
// The memo cleared and then showing that part of the file.
void ShowFileText(AnalysisLog& log, const std::string& path, std::string_view bytes);

// Saves the memo's lines as the file; a failure is reported with the file
// name and the reason, and gives false. Onto a file the memo shows only in
// part nothing is written: the file keeps all of itself.
bool SaveLogToFile(const AnalysisLog& log, const std::string& path);

// The line that tells the memo a run was stopped by the user.
std::string CancelledRunLine(const std::string& program);

// What status panel 2 says after a netlist build the user stopped.
inline constexpr const char* kNetlistStoppedText = "Netlist stopped: no run";

// The netlist built into the memo for a run. A build that ran to its end
// enables Run (true); one the user stopped leaves Run disabled and says so
// in status panel 2 (false): its netlist is not fit for the analysis.
bool BuildNetlistForRun(AnalysisHost& host);
// "Create text file" and the text window's build: BuildNetlistForRun, then
// the memo line "List not packed." when a problem was passed over. True when
// a run may follow.
bool CreateTextFile(AnalysisHost& host);

// The run of the main window's Run button, up to the loading of the
// results. True when the results are to be loaded: the batch file ran or
// could not be started (the loader then reports the missing files); false
// when "cir" could not be saved or old results not removed (nothing was
// started) or the user cancelled the run.
bool RunAnalysis(AnalysisHost& host, const catalogue::Settings& settings);

}  // namespace vemu::netlist
