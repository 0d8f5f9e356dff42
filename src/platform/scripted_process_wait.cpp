#include "platform/scripted_process_wait.h"

namespace vemu::platform {

bool ScriptedProcessWait::WaitFor(ChildProcess& process, const std::string& program) {
  programs.push_back(program);
  bool cancel = false;
  if (!cancels.empty()) {
    cancel = cancels.front();
    cancels.pop_front();
  }
  if (!cancel) {
    process.WaitForEnd();
    return true;
  }
  process.Stop(stopGrace);
  return false;
}

}  // namespace vemu::platform
