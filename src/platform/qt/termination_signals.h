// The signals that ask a program to end (SIGTERM, SIGINT, SIGHUP), taken into
// the event loop: the handler only sets the ending request of the waits for
// external programs (process_wait.h), so that a program being waited for is
// stopped as Cancel stops it, and writes the signal's number into a pipe; a
// socket notifier on the pipe's other end calls the program's own ending
// there, where any code may run. A further ending signal hastens the stop
// (ChildProcess's KILL at once, SetStopsHastened) and asks nothing more.
#pragma once

#include <signal.h>

#include <array>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace vemu::platform {

class TerminationSignals {
 public:
  static constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

  // One at a time per process. Every ending signal is taken, as long as
  // this object lives: `onSignal` is called for the first one only. Signals
  // ignored when the program started stay ignored.
  explicit TerminationSignals(std::function<void(int signal)> onSignal);
  // Puts the former handlers back and clears the ending request and the hastening.
  ~TerminationSignals();
  TerminationSignals(const TerminationSignals&) = delete;
  TerminationSignals& operator=(const TerminationSignals&) = delete;

 private:
  void ReadPipe();

  std::function<void(int)> onSignal_;
  int pipe_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
  std::array<struct sigaction, kSignals.size()> saved_{};
};

}  // namespace vemu::platform
