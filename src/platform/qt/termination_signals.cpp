#include "platform/qt/termination_signals.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>

namespace vemu::platform {
namespace {

// The pipe's writing end for the handler; -1 while nobody listens.
volatile sig_atomic_t writeEnd = -1;

void WriteSignal(int signal) {
  const int saved = errno;
  const int fd = writeEnd;
  if (fd >= 0) {
    const unsigned char number = static_cast<unsigned char>(signal);
    if (::write(fd, &number, 1) < 0) {
      // A full pipe already holds a request to end.
    }
  }
  errno = saved;
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void(int signal)> onSignal) : onSignal_(std::move(onSignal)) {
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = std::make_unique<QSocketNotifier>(pipe_[0], QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { ReadPipe(); });
  writeEnd = pipe_[1];
  for (std::size_t k = 0; k < kSignals.size(); ++k) {
    ::sigaction(kSignals[k], nullptr, &saved_[k]);
    // A signal the starter chose to ignore (nohup, a background job of a
    // script) stays ignored.
    if (saved_[k].sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = WriteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    ::sigaction(kSignals[k], &action, nullptr);
  }
}

TerminationSignals::~TerminationSignals() {
  if (pipe_[0] < 0) return;
  for (std::size_t k = 0; k < kSignals.size(); ++k) ::sigaction(kSignals[k], &saved_[k], nullptr);
  writeEnd = -1;
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
