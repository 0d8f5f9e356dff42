#include "platform/qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <thread>

#include "platform/process_wait.h"

namespace vemu::platform {
namespace {

// The pipe's writing end for the handler; -1 while nobody listens. The
// handler may run on any thread, so it counts itself in `writing` while it
// uses the descriptor, and the pipe is closed only when no handler does.
std::atomic<int> writeEnd{-1};
std::atomic<int> writing{0};
// The ending signals taken since the handling was set up.
std::atomic<int> taken{0};
static_assert(std::atomic<int>::is_always_lock_free, "the descriptor is read in a signal handler");

void WriteSignal(int signal) {
  const int saved = errno;
  // A program being waited for is stopped at once, also when the event
  // loop does not run during the wait; a further signal hastens its stop
  // (the KILL at once) and asks for no other ending.
  const bool first = taken.fetch_add(1) == 0;
  if (!first) SetStopsHastened(true);
  SetEndingRequested(true);
  writing.fetch_add(1);
  const int fd = writeEnd.load();
  if (fd >= 0 && first) {
    const unsigned char number = static_cast<unsigned char>(signal);
    if (::write(fd, &number, 1) < 0) {
      // A full pipe already holds a request to end.
    }
  }
  writing.fetch_sub(1);
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void(int signal)> onSignal) : onSignal_(std::move(onSignal)) {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadPipe(); });
  taken.store(0);
  writeEnd.store(pipe_[1]);
  for (std::size_t k = 0; k < kSignals.size(); ++k) {
    ::sigaction(kSignals[k], nullptr, &saved_[k]);
    // A signal the starter chose to ignore (nohup, a background job of a
    // script) stays ignored.
    if (saved_[k].sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    // Every signal is taken, the second as the first: the program's group
    // must never be left running by an editor that ended the system's way.
    action.sa_flags = SA_RESTART;
    ::sigaction(kSignals[k], &action, nullptr);
  }
}

TerminationSignals::~TerminationSignals() {
  if (pipe_[0] < 0) return;
  for (std::size_t k = 0; k < kSignals.size(); ++k) ::sigaction(kSignals[k], &saved_[k], nullptr);
  writeEnd.store(-1);
  // A handler that took the descriptor before may still be writing on
  // another thread; once none does, no handler can write any more.
  while (writing.load() != 0) std::this_thread::yield();
  SetEndingRequested(false);
  SetStopsHastened(false);
  taken.store(0);
  notifier_.reset();
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void TerminationSignals::ReadPipe() {
  unsigned char numbers[16];
  const ssize_t count = ::read(pipe_[0], numbers, sizeof numbers);
  for (ssize_t k = 0; k < count; ++k)
    if (onSignal_) onSignal_(numbers[k]);
}

}  // namespace vemu::platform
