#include "platform/process_wait.h"

#include <atomic>

namespace vemu::platform {
namespace {
ProcessWait* installed = nullptr;

std::atomic<bool> endingRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the ending request is set in a signal handler");
}  // namespace

void SetEndingRequested(bool requested) { endingRequested.store(requested); }
bool EndingRequested() { return endingRequested.load(); }

ProcessWait* installedProcessWait() { return installed; }

ProcessWait& processWaitInForce(ProcessWait& own) { return installed ? *installed : own; }

ProcessWait* setProcessWait(ProcessWait* w) {
  ProcessWait* previous = installed;
  installed = w;
  return previous;
}

}  // namespace vemu::platform
