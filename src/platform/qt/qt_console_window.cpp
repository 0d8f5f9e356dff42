#include "platform/qt/qt_console_window.h"

#include <algorithm>

#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSocketNotifier>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
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
// How much new text is put into the window at a time.
constexpr qsizetype kRefreshPartCharacters = 1 << 20;

ConsoleClosedHook& closedHook() {
  static ConsoleClosedHook hook;
  return hook;
}

// A kept line as the window shows it: one block. The characters that a
// document takes as the end of a block or as a frame's mark stand for
// themselves there only as a line break within the block and as the
// replacement character.
QString ShownLine(const std::string& line) {
  QString text = fromUtf8(line);
  text.replace(QChar::ParagraphSeparator, QChar::LineSeparator);
  text.replace(QChar(0xFDD0), QChar::ReplacementCharacter);
  text.replace(QChar(0xFDD1), QChar::ReplacementCharacter);
  return text;
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
  view_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  view_->setWordWrapMode(QTextOption::WrapAnywhere);
  // The shown lines follow the kept ones (Refresh); the document keeps no
  // undo steps of them.
  view_->setUndoRedoEnabled(false);
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
  // some shown ones stay, else in place of the whole text.
  std::size_t from = added >= kept.size() ? 0 : kept.size() - added;
  std::size_t stay = from == 0 ? 0 : std::min(shownLines_, from);
  QTextDocument* document = view_->document();
  // The oldest shown lines that are no longer kept go first, in one cut.
  // The cursor is only placed, never moved by blocks: moving it lays out
  // every block it passes, and a console's lines may each be 16 KiB long.
  const std::size_t cut = stay == 0 || stay == shownLines_ ? 0 : static_cast<std::size_t>(
      document->findBlockByNumber(static_cast<int>(shownLines_ - stay)).position());
  // A document keeps the text cut from it in its buffer for a while; once
  // that has grown to the size of all the kept text, the window is filled
  // afresh, which frees the buffer.
  if (droppedCharacters_ + cut > kConsoleKeptBytes) from = stay = 0;
  if (stay == 0) {
    view_->clear();
    droppedCharacters_ = 0;
  }
  QTextCursor cursor(document);
  cursor.beginEditBlock();
  if (stay > 0 && cut > 0) {
    cursor.setPosition(static_cast<int>(cut), QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    droppedCharacters_ += cut;
  }
  // The new lines in parts of about a megabyte, so that a flood of long
  // lines is never held a second time as one text.
  cursor.setPosition(document->characterCount() - 1);
  QString part;
  for (std::size_t i = from; i < kept.size(); ++i) {
    if (i > from || stay > 0) part += QLatin1Char('\n');
    part += ShownLine(kept[i]);
    if (part.size() >= kRefreshPartCharacters || i + 1 == kept.size()) {
      cursor.insertText(part);
      part.clear();
    }
  }
  cursor.endEditBlock();
  shownLines_ = stay + (kept.size() - from);
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
