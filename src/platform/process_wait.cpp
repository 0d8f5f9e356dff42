#include "platform/process_wait.h"

namespace vemu::platform {
namespace {
ProcessWait* installed = nullptr;
}

bool BlockingProcessWait::WaitFor(ChildProcess& process, const std::string&) {
  process.WaitForEnd();
  return true;
}

ProcessWait* installedProcessWait() { return installed; }

ProcessWait* setProcessWait(ProcessWait* w) {
  ProcessWait* previous = installed;
  installed = w;
  return previous;
}

}  // namespace vemu::platform
