#include "platform/qt/qt_console_window.h"

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QStringList>
#include <QVBoxLayout>
#include <QWidget>

#include "platform/qt/qt_text.h"

namespace vemu::platform {
namespace {

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
    : process_(process), program_(program), window_(std::make_unique<QWidget>(nullptr, Qt::Window)) {
  // A window of its own, owned here alone; `parent` only tells where it goes.
  window_->setObjectName("ConsoleWindow");
  window_->setWindowTitle(fromUtf8(program));
  window_->setAttribute(Qt::WA_ShowWithoutActivating);
  auto* layout = new QVBoxLayout(window_.get());
  layout->setContentsMargins(0, 0, 0, 0);
  view_ = new QPlainTextEdit(window_.get());
  view_->setReadOnly(true);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  view_->setMaximumBlockCount(static_cast<int>(kConsoleLineLimit));
  view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(view_);
  window_->resize(640, 320);
  // Beside the window that started the program, not on top of its centre.
  if (parent) window_->move(parent->frameGeometry().topLeft() + QPoint(40, 60));
  if (process_.OutputDescriptor() >= 0) {
    notifier_ = std::make_unique<QSocketNotifier>(process_.OutputDescriptor(), QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, window_.get(), [this] { Pump(); });
  }
  window_->show();
}

ConsoleWindow::~ConsoleWindow() { notifier_.reset(); }

QWidget* ConsoleWindow::Window() const { return window_.get(); }

void ConsoleWindow::Show(const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  QStringList shown;
  shown.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) shown.push_back(fromUtf8(line));
  view_->appendPlainText(shown.join(QLatin1Char('\n')));
  view_->verticalScrollBar()->setValue(view_->verticalScrollBar()->maximum());
}

void ConsoleWindow::Pump() {
  std::string bytes;
  const bool more = process_.ReadOutput(bytes);
  // The descriptor is closed once everything is read: no more watching
  // (the notifier is this call's sender and goes with the window).
  if (!more && notifier_) notifier_->setEnabled(false);
  Show(text_.Add(bytes));
}

void ConsoleWindow::Finish() {
  notifier_.reset();
  // What the program left in the pipe; a program it started in the
  // background and that still writes is not waited for.
  std::string bytes;
  process_.ReadOutput(bytes);
  Show(text_.Add(bytes));
  Show(text_.Finish());
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
