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

  // Cancel asks the program to end and kills it when it is still running
  // after kStopGrace; the window stays until it has ended.
  bool WaitFor(ChildProcess& process, const std::string& program) override;

 private:
  QWidget* parent_;
};

}  // namespace vemu::platform
