// A program's console in the running editor: a small window of its own,
// titled with the program's path, that shows what the program writes to its
// standard output and error as it comes (the lines ConsoleLines keeps, long
// ones wrapped at the window's width) and closes when the program ends. It opens above the window that started
// the program, raised and active. The output is taken in blocks as it
// comes, and the shown text follows a few times a second, so a program that
// floods its output is never slowed down by the showing of lines that are
// dropped anyway. The wait for the program stays the wait it is given (the
// modal window with Cancel in the editor).
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>

#include "platform/console_lines.h"
#include "platform/process_wait.h"

class QPlainTextEdit;
class QSocketNotifier;
class QTimer;
class QWidget;

namespace vemu::platform {

class ConsoleWindow {
 public:
  // The window for `process`, whose output is captured; shown at once,
  // beside `parent` and kept above it when one is given (not owned).
  ConsoleWindow(ChildProcess& process, const std::string& program, QWidget* parent);
  ~ConsoleWindow();
  ConsoleWindow(const ConsoleWindow&) = delete;
  ConsoleWindow& operator=(const ConsoleWindow&) = delete;

  // Takes what has come so far; the window shows it at its next refresh.
  void Pump();
  // Brings the shown text up to the lines kept.
  void Refresh();
  // The program has ended: shows the rest of its output and closes.
  void Finish();

  QWidget* Window() const;
  const ConsoleLines& Text() const { return text_; }

 private:

  ChildProcess& process_;
  std::string program_;
  std::unique_ptr<QWidget> window_;
  QPlainTextEdit* view_ = nullptr;
  std::unique_ptr<QSocketNotifier> notifier_;
  std::unique_ptr<QTimer> refresh_;
  ConsoleLines text_;
  // ConsoleLines::Completed() when the text was last shown.
  std::size_t shown_ = 0;
  // How many lines the window shows (its blocks, when it shows any).
  std::size_t shownLines_ = 0;
  // The characters cut from the window's text since it was last filled
  // afresh.
  std::size_t droppedCharacters_ = 0;
};

// Waits through `inner` while the program's console window shows its
// output. The program must have been started with ChildOutput::Captured.
class ConsoleProcessWait final : public ProcessWait {
 public:
  ConsoleProcessWait(ProcessWait& inner, QWidget* parent) : inner_(inner), parent_(parent) {}
  bool WaitFor(ChildProcess& process, const std::string& program) override;

 private:
  ProcessWait& inner_;
  QWidget* parent_;
};

// Called with each console's lines when it closes (the test driver prints
// them); an empty function removes it. Returns the previous one.
using ConsoleClosedHook = std::function<void(const std::string& program, const std::deque<std::string>& lines)>;
ConsoleClosedHook setConsoleClosedHook(ConsoleClosedHook hook);

}  // namespace vemu::platform
