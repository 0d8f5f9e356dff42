// What the analysis runs and the result loader need from the windows: the
// text window's memo as a list of lines, and the main window's few
// controls and services. The windows implement these; tests use fakes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "netlist/netlist_host.h"

namespace vemu::netlist {

// The text window's memo. File lines are code page 1251 bytes; the
// program's own lines (messages, paths) are UTF-8.
class AnalysisLog {
 public:
  virtual ~AnalysisLog() = default;
  virtual void ClearLog() = 0;
  virtual void AddText(const std::string& utf8) = 0;
  virtual void AddFileLines(const std::vector<std::string>& cp1251) = 0;
  // Lines of a file joined by line feeds (one line when there is none).
  virtual void AddFileText(std::string_view cp1251) = 0;
  // The memo's lines as code page 1251 bytes, as a file holds them.
  virtual std::vector<std::string> LogLines() const = 0;
  // A file of which the memo shows only the first part: saving the memo
  // onto that file would cut it, so such a save leaves the file as it is.
  // ClearLog forgets these files.
  virtual void NoteShortenedFile(const std::string& path) = 0;
  virtual bool ShowsShortened(const std::string& path) const = 0;
  // The window's caption (UTF-8).
  virtual void SetLogCaption(const std::string& utf8) = 0;
  // Shows the window and brings it to the front.
  virtual void ShowLog() = 0;
};

enum class RunOutcome {
  NotStarted,  // the program could not be started (reported to the user)
  Finished,
  Cancelled,   // the user stopped the program; no results are to be taken
};

class AnalysisHost {
 public:
  virtual ~AnalysisHost() = default;
  virtual AnalysisLog& Log() = 0;
  virtual void SetRunButtonEnabled(bool enabled) = 0;
  virtual void SetStatusText(int panel, const std::string& utf8) = 0;
  // Marks the nodes that get a netlist line (StoreInCir).
  virtual void SetStoreInCirFlag() = 0;
  virtual void PushUndoSnapshot() = 0;
  // Starts the program of the program folder and waits for it.
  virtual RunOutcome RunAndWait(const std::string& program, const std::string& parameter) = 0;
  // The netlist built into the memo, and how the build ended; whether a
  // problem was passed over in it.
  virtual BuildEnd BuildNetlist() = 0;
  virtual bool ListNotPacked() const = 0;
  // The main window's "Load files" command.
  virtual void LoadResults() = 0;
};

}  // namespace vemu::netlist
