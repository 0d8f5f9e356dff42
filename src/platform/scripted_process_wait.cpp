#include "platform/scripted_process_wait.h"

#include <thread>

namespace vemu::platform {

bool ScriptedProcessWait::WaitFor(ChildProcess& process, const std::string& program) {
  programs.push_back(program);
  bool cancel = false;
  if (!cancels.empty()) {
    cancel = cancels.front();
    cancels.pop_front();
  }
  while (!cancel && !process.HasEnded()) {
    cancel = EndingRequested();
    if (!cancel) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (!cancel) return true;
  process.Stop(stopGrace);
  return false;
}

}  // namespace vemu::platform
