// The wait for an external program in the running editor: a modal window
// that names the program, counts the seconds and has a Cancel button. The
// other windows go on repainting but take no input while it is up.
#pragma once

#include "platform/process_wait.h"

class QWidget;

namespace vemu::platform {

class QtProcessWait final : public ProcessWait {
 public:
  // The window is centred on `parent` when it is given (not owned).
  explicit QtProcessWait(QWidget* parent = nullptr) : parent_(parent) {}

  // Cancel stops the program's process group (ChildProcess::BeginStop with
  // kStopGrace); the window stays until the stop is over. A request to end
  // the editor (EndingRequested) presses Cancel, and a wait whose window
  // closes with the editor's loops stops the program before it returns.
  bool WaitFor(ChildProcess& process, const std::string& program) override;

 private:
  QWidget* parent_;
};

}  // namespace vemu::platform
