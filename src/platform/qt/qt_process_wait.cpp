#include "platform/qt/qt_process_wait.h"

#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <thread>

#include "platform/qt/qt_text.h"

namespace vemu::platform {
namespace {

// A program that ends at once is waited for without showing the window.
constexpr std::chrono::milliseconds kQuietWait{150};
constexpr int kPollMilliseconds = 50;

class WaitWindow final : public QDialog {
 public:
  WaitWindow(QWidget* parent, ChildProcess& process, const std::string& program)
      : QDialog(parent), process_(process) {
    setObjectName("ProcessWaitWindow");
    setWindowTitle(QStringLiteral("Vemu"));
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Running %1").arg(fromUtf8(program)), this);
    name->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(name);
    seconds_ = new QLabel(this);
    layout->addWidget(seconds_);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName("CancelButton");
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, [this] { reject(); });
    connect(&timer_, &QTimer::timeout, this, [this] { Tick(); });
    running_.start();
    ShowSeconds();
    timer_.start(kPollMilliseconds);
  }

  bool cancelled() const { return cancelled_; }

  // The close box presses Cancel and the window stays until the stop is
  // over. The editor's own closing of every window (it is ending) also
  // starts the stop, but lets the window go, so that the ending goes on;
  // the wait then sees the stop through before it returns.
  void closeEvent(QCloseEvent* event) override {
    reject();
    if (event->spontaneous()) event->ignore();
    else event->accept();
  }

  // Esc, the close box and Cancel all end up here, and so does a request
  // to end the editor.
  void reject() override {
    if (cancelled_) return;
    cancelled_ = true;
    cancel_->setEnabled(false);
    seconds_->setText(QStringLiteral("Stopping..."));
    process_.BeginStop(kStopGrace);
  }

 private:
  void Tick() {
    // Also the steps of a stop: the window stays until it is over.
    if (process_.HasEnded()) {
      timer_.stop();
      QDialog::done(cancelled_ ? QDialog::Rejected : QDialog::Accepted);
      return;
    }
    if (cancelled_) return;
    if (EndingRequested()) reject();
    else ShowSeconds();
  }

  void ShowSeconds() {
    seconds_->setText(QStringLiteral("%1 s").arg(running_.elapsed() / 1000));
  }

  ChildProcess& process_;
  QLabel* seconds_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QTimer timer_;
  QElapsedTimer running_;
  bool cancelled_ = false;
};

}  // namespace

bool QtProcessWait::WaitFor(ChildProcess& process, const std::string& program) {
  const auto quietEnd = std::chrono::steady_clock::now() + kQuietWait;
  while (std::chrono::steady_clock::now() < quietEnd && !EndingRequested()) {
    if (process.HasEnded()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  bool cancelled = true;
  if (!EndingRequested()) {
    WaitWindow window(parent_, process, program);
    window.exec();
    cancelled = window.cancelled();
  }
  if (process.HasEnded()) return !cancelled;
  // The window's loop also ends when every loop of the editor does (it is
  // ending): the program is stopped as Cancel stops it, within the grace
  // and a second, or the rest of them when Cancel came first.
  process.Stop(kStopGrace);
  return false;
}

}  // namespace vemu::platform
