// Waiting for an external program. The program's window waits in a modal
// window that names the program, counts the seconds and lets the user
// cancel; tests and the test driver install a scripted wait that shows
// nothing and can press Cancel. There is no time-out, but a program is
// stopped as Cancel stops it when the editor is asked to end.
#pragma once

#include <chrono>
#include <string>

#include "platform/process_runner.h"

namespace vemu::platform {

// How long a cancelled program has to end after being asked before it is killed.
inline constexpr std::chrono::milliseconds kStopGrace{3000};

class ProcessWait {
 public:
  virtual ~ProcessWait() = default;
  // Waits until `process` has ended; `program` names it for the user.
  // False when the user cancelled or the editor is ending (EndingRequested):
  // the process has then been stopped.
  virtual bool WaitFor(ChildProcess& process, const std::string& program) = 0;
};

// Set by the handler of the ending signals (safe there: a lock-free store)
// and cleared when their handling is put away. While it is set, every wait
// stops its program as Cancel does and reports it cancelled.
void SetEndingRequested(bool requested);
bool EndingRequested();

// The wait installed by tests or the driver; null when none is.
ProcessWait* installedProcessWait();
// The installed wait, else `own` (the editor's window): the wait for every
// program the editor starts.
ProcessWait& processWaitInForce(ProcessWait& own);
// Installs w (not owned; nullptr removes it); returns the previous one.
ProcessWait* setProcessWait(ProcessWait* w);

class ScopedProcessWait {
 public:
  explicit ScopedProcessWait(ProcessWait& w) : previous_(setProcessWait(&w)) {}
  ~ScopedProcessWait() { setProcessWait(previous_); }
  ScopedProcessWait(const ScopedProcessWait&) = delete;
  ScopedProcessWait& operator=(const ScopedProcessWait&) = delete;

 private:
  ProcessWait* previous_;
};

}  // namespace vemu::platform
