// The wait for tests and the test driver: shows nothing, records every
// program waited for and presses Cancel where the script says so.
#pragma once

#include <deque>
#include <vector>

#include "platform/process_wait.h"

namespace vemu::platform {

class ScriptedProcessWait final : public ProcessWait {
 public:
  std::vector<std::string> programs;  // every program waited for, in order
  // One entry per wait: true presses Cancel as soon as the wait begins.
  // An empty queue waits for the end, or for a request to end the editor,
  // which cancels as well.
  std::deque<bool> cancels;
  std::chrono::milliseconds stopGrace = kStopGrace;

  bool WaitFor(ChildProcess& process, const std::string& program) override;
};

}  // namespace vemu::platform
