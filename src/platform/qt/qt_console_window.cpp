#include "platform/qt/qt_console_window.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QStringList>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <QWindow>

#include "platform/qt/qt_text.h"

namespace vemu::platform {
namespace {

// A dialog's type, so that window managers keep it above its transient
// parent (they ignore the parent of a plain window), with a plain window's
// buttons.
constexpr Qt::WindowFlags kConsoleFlags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                          Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;

// How often the shown text follows the output while the program writes.
constexpr int kRefreshMilliseconds = 200;

ConsoleClosedHook& closedHook() {
  static ConsoleClosedHook hook;
  return hook;
}

}  // namespace

ConsoleClosedHook setConsoleClosedHook(ConsoleClosedHook hook) {
  ConsoleClosedHook previous = std::move(closedHook());
  closedHook() = std::move(hook);
  return previous;
}

ConsoleWindow::ConsoleWindow(ChildProcess& process, const std::string& program, QWidget* parent)
    : process_(process), program_(program), window_(std::make_unique<QWidget>(nullptr, kConsoleFlags)) {
  // A window of its own, owned here alone; `parent` only tells where it goes
  // and what it stays above.
  window_->setObjectName("ConsoleWindow");
  window_->setWindowTitle(fromUtf8(program));
  auto* layout = new QVBoxLayout(window_.get());
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new QPlainTextEdit(window_.get());
  view_->setReadOnly(true);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  view_->setMaximumBlockCount(static_cast<int>(kConsoleLineLimit));
  view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(view_);
  window_->resize(640, 320);
  if (parent) {
    // Beside the window that started the program, not on top of its centre,
    // and kept above it (and above the wait window's parent) while it runs.
    window_->move(parent->frameGeometry().topLeft() + QPoint(40, 60));
    window_->winId();
    if (QWindow* above = parent->window()->windowHandle()) window_->windowHandle()->setTransientParent(above);
  }
  if (process_.OutputDescriptor() >= 0) {
    notifier_ = std::make_unique<QSocketNotifier>(process_.OutputDescriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, window_.get(), [this] { Pump(); });
  }
  refresh_ = std::make_unique<QTimer>();
  QObject::connect(refresh_.get(), &QTimer::timeout, window_.get(), [this] { Refresh(); });
  refresh_->start(kRefreshMilliseconds);
  window_->show();
  window_->raise();
  window_->activateWindow();
}

ConsoleWindow::~ConsoleWindow() {
  refresh_.reset();
  notifier_.reset();
}

QWidget* ConsoleWindow::Window() const { return window_.get(); }

void ConsoleWindow::Refresh() {
  const std::size_t added = text_.Completed() - shown_;
  if (added == 0) return;
  shown_ = text_.Completed();
  const std::deque<std::string>& kept = text_.Lines();
  // Only the lines that are new and still kept are laid out: appended when
  // the shown ones stay, else the whole text at once.
  const std::size_t from = added >= kept.size() ? 0 : kept.size() - added;
  QStringList lines;
  lines.reserve(static_cast<qsizetype>(kept.size() - from));
  for (std::size_t i = from; i < kept.size(); ++i) lines.push_back(fromUtf8(kept[i]));
  if (from == 0) view_->setPlainText(lines.join(QLatin1Char('\n')));
  else view_->appendPlainText(lines.join(QLatin1Char('\n')));
  view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->maximum());
}

void ConsoleWindow::Pump() {
  std::string bytes;
  const bool more = process_.ReadOutput(bytes);
  // The descriptor is closed once everything is read: no more watching
  // (the notifier is this call's sender and goes with the window).
  if (!more && notifier_) notifier_->setEnabled(false);
  text_.Add(bytes);
}

void ConsoleWindow::Finish() {
  notifier_.reset();
  refresh_.reset();
  // What the program left in the pipe; a program it started in the
  // background and that still writes is not waited for.
  std::string bytes;
  process_.ReadOutput(bytes);
  text_.Add(bytes);
  text_.Finish();
  Refresh();
  window_->close();
  if (closedHook()) closedHook()(program_, text_.Lines());
}

bool ConsoleProcessWait::WaitFor(ChildProcess& process, const std::string& program) {
  ConsoleWindow console(process, program, parent_);
  const bool ended = inner_.WaitFor(process, program);
  console.Finish();
  return ended;
}

}  // namespace vemu::platform
