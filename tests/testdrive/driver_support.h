// Pieces shared by the driver's circuit commands (netlist, results, run):
// the common options, scripted answers to questions, and the program's
// windows opened on a circuit read as Load reads it.
//
// A command typically does:
//
//   CircuitOptions options;
//   if (!ParseCircuitOptions(args, options, error)) ... status 2
//   return RunWithAnswers(options.answers, [&] {
//     auto session = DriverSession::Open(options, error);   // windows + circuit
//     if (!session) ... status 2
//     if (!session->ApplySettings(options.settings, error)) ... status 2
//     ... work with session->form1() ...
//     PrintLines(MemoLines(session->form6().Memo1), stdout);
//     if (!options.writePath.empty()) session->WriteCircuit(options.writePath, error);
//     return 0;
//   });
#pragma once

#include <cstdio>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/dialogs.h"
#include "platform/process_wait.h"
#include "testdrive/commands.h"

class QApplication;
class QPlainTextEdit;
class TForm1;
class TForm3;
class TForm6;
class WindowSet;
struct AppWindows;

namespace testdrive {

// A whole decimal integer (nothing else in the text), or nothing.
std::optional<int> ParseInt(const std::string& text);
// A number of seconds from 0 to 3600 ("0.5", "2"), or nothing.
std::optional<double> ParseSeconds(const std::string& text);
// "WxH" with both sides from 1 to 8000, or nothing.
std::optional<std::pair<int, int>> ParseSize(const std::string& text);

// The offscreen platform unless one is set, and the QApplication when there
// is none yet (null when one exists already).
std::unique_ptr<QApplication> MakeApplicationIfNone();
// The program's windows as the program makes them: vemu3's, or with
// `second` vemu's (its profile and the model's rules of the second build).
// A QApplication must exist.
std::unique_ptr<WindowSet> MakeProgramWindows(bool second);
// Quoted for a listing: "TEXT", a " inside written \" and a line break \n.
std::string Quoted(const std::string& utf8);

// The options the circuit commands share; what is not an option is positional.
struct CircuitOptions {
  std::vector<std::string> positional;                       // e.g. IN.dag, DIR
  std::string folder;                                        // --folder DIR (empty: the driver's folder)
  std::optional<std::string> title;                          // --title NAME
  std::vector<std::pair<std::string, std::string>> settings; // --set CONTROL=VALUE, in order
  std::vector<std::string> answers;                          // --answer A, in order
  std::string writePath;                                     // --write OUT.dag
  bool second = false;                                       // the second build's windows (vemu)
};

// Reads the options; false with a reason for an unknown option, a missing
// option value or a --set without "=". `allowed` limits the accepted
// options (names without "--"); empty accepts all of them. --second is a
// flag without a value.
bool ParseCircuitOptions(const Args& args, CircuitOptions& options, std::string& error,
                         const std::vector<std::string>& allowed = {});

// Thrown by AnswerScript when a question comes and no answer is left;
// RunWithAnswers turns it into exit status 3.
struct NoAnswerLeft {};
// Thrown when an answer does not fit the question (status 2).
struct AnswerMismatch {
  std::string reason;
};

// Dialogs that answer questions from a list, in order. Answers: Abort,
// Retry, Ignore, OK, Cancel, Yes, No; "OK=TEXT" for an input box (plain OK
// keeps the box's initial text) or a file dialog (TEXT is the path). A box
// with only an OK button is a notice, not a question: it takes no answer.
// Every box is printed to stderr at once as one line:
//   question [CAPTION] TEXT -> ANSWER
//   box [CAPTION] TEXT                      (a notice)
// Line breaks inside a text are printed as "\n".
class AnswerScript final : public vemu::platform::Dialogs {
 public:
  explicit AnswerScript(std::vector<std::string> answers, std::FILE* log = stderr);

  vemu::platform::MsgResult messageBox(const std::string& caption, const std::string& text,
                                       vemu::platform::MsgButtons buttons,
                                       vemu::platform::MsgIcon icon) override;
  std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override;
  std::optional<std::string> openFile(const vemu::platform::FileDialogRequest& request) override;
  std::optional<std::string> saveFile(const vemu::platform::FileDialogRequest& request) override;
  std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override;
  std::optional<std::vector<std::string>> editText(const vemu::platform::TextEditRequest& request) override;

  std::size_t answersLeft() const { return answers_.size(); }

 private:
  std::string take(const std::string& caption, const std::string& text);
  std::optional<std::string> fileAnswer(const std::string& title, const std::string& fileName);

  std::deque<std::string> answers_;
  std::FILE* log_;
};

// Installs an AnswerScript for `answers` while `body` runs; returns body's
// status, 3 when a question found no answer left, 2 when an answer did not fit.
int RunWithAnswers(const std::vector<std::string>& answers, const std::function<int()>& body);

// Runs `step` at once as the event loop runs a command: inside an event handed
// out through the application's notify(), so that a step that runs out of
// memory is stopped with the programs' message and the script goes on.
void RunAsCommand(const std::function<void()>& step);

// A scratch copy of the driver's own program folder (IMAGES with an empty
// IMAGES/BACKUP, FILES, setup.sym), ending in '/'; empty when it cannot be
// made. The caller removes it.
std::string CopyOfProgramFolder();

// The program's windows on one circuit: sets QT_QPA_PLATFORM=offscreen when
// it is unset, makes the QApplication when there is none, points the program
// folder at options.folder (when given; else at a scratch copy of the
// driver's own), creates every window as the program does (the second
// build's with options.second) and reads
// options.positional[0] as Load reads it (no dialogs). The save dialog's
// file name becomes options.title, or the circuit's path.
class DriverSession {
 public:
  static std::unique_ptr<DriverSession> Open(const CircuitOptions& options, std::string& error);
  // The windows on the empty circuit they start with (options.folder and
  // options.second as above); null with the reason when that failed.
  static std::unique_ptr<DriverSession> OpenWithoutCircuit(const CircuitOptions& options, std::string& error);
  ~DriverSession();
  DriverSession(const DriverSession&) = delete;
  DriverSession& operator=(const DriverSession&) = delete;

  AppWindows& windows();
  TForm1& form1();
  TForm3& form3();
  TForm6& form6();

  // Sets settings-window controls by object name: a check box takes 1 or 0,
  // a line edit its text (UTF-8), the combo box its item index; a check item
  // of the main window (e.g. CIR1) takes 1 or 0 too.
  bool ApplySettings(const std::vector<std::pair<std::string, std::string>>& settings,
                     std::string& error);
  // Writes the circuit as Save does (a relative path counts from the
  // folder the driver started in).
  bool WriteCircuit(const std::string& path, std::string& error);
  // The windows' creation enters the program folder: paths given on the
  // command line are made absolute against the folder the driver started in.
  std::string Resolve(const std::string& path) const;

 private:
  DriverSession() = default;
  // Without --folder the windows work on a copy of the driver's own program
  // folder (IMAGES, FILES, setup.sym), removed at the end: a script's
  // snapshots, copy.txt or pictures land in no folder of the build.
  bool UseCopyOfProgramFolder();
  std::string startFolder_;
  std::string scratch_;
  std::unique_ptr<QApplication> app_;
  std::unique_ptr<WindowSet> windows_;
};

// The driver's wait for external programs. Each wait is printed to stderr
// as `wait [PROGRAM] -> ended` or `wait [PROGRAM] -> Cancel` (stopped), a
// stop followed by `group [PROGRAM] gone` when no process of the program's
// group runs any longer, else `group [PROGRAM] running`. Without `window`
// it waits while the events go on (and stops the program as Cancel does
// when an ending signal comes); with it the editor's own wait window waits,
// and `cancelAfter` seconds after the wait began its Cancel button is
// pressed, when given.
class DriverWait final : public vemu::platform::ProcessWait {
 public:
  DriverWait(bool window, std::optional<double> cancelAfter) : window_(window), cancelAfter_(cancelAfter) {}
  bool WaitFor(vemu::platform::ChildProcess& process, const std::string& program) override;

 private:
  bool window_;
  std::optional<double> cancelAfter_;
};

// The memo's lines as code page 1251 bytes (an empty memo has no lines).
std::vector<std::string> MemoLines(const QPlainTextEdit* memo);
// Writes the lines as a netlist file holds them: the bytes, each line ended by CR LF.
void PrintLines(const std::vector<std::string>& lines, std::FILE* out);

}  // namespace testdrive
