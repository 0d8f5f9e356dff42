#include "testdrive/driver_support.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QTimer>

#include "catalogue/windows/settings_window.h"
#include "netlist/windows/text_window.h"
#include "platform/qt/guarded_application.h"
#include "platform/qt/qt_process_wait.h"
#include "platform/qt/qt_text.h"
#include "platform/scripted_dialogs.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"
#include "build2/second_profile.h"
#include "model/graph.h"
#include "ui/program_profile.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace platform = vemu::platform;
using platform::MsgButtons;
using platform::MsgResult;

namespace testdrive {

std::optional<int> ParseInt(const std::string& text) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto parsed = std::from_chars(text.data(), end, value);
  if (text.empty() || parsed.ec != std::errc() || parsed.ptr != end) return std::nullopt;
  return value;
}

std::optional<double> ParseSeconds(const std::string& text) {
  char* end = nullptr;
  const double seconds = text.empty() ? -1 : std::strtod(text.c_str(), &end);
  if (!end || *end != '\0' || !(seconds >= 0 && seconds <= 3600)) return std::nullopt;
  return seconds;
}

namespace {
// Clicks Cancel of the wait window when it is up and Cancel can be pressed.
bool PressWaitWindowCancel() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() != "ProcessWaitWindow" || !w->isVisible()) continue;
    auto* cancel = w->findChild<QPushButton*>("CancelButton");
    if (!cancel || !cancel->isEnabled()) return false;
    cancel->click();
    return true;
  }
  return false;
}
}  // namespace

bool DriverWait::WaitFor(platform::ChildProcess& process, const std::string& program) {
  bool ended = true;
  if (!window_) {
    while (ended && !process.HasEnded()) {
      ended = !platform::EndingRequested();
      if (!ended) process.Stop(platform::kStopGrace);
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  } else {
    // The window shows after a short quiet wait: the press waits for it.
    QTimer press;
    press.setSingleShot(true);
    QObject::connect(&press, &QTimer::timeout, [&press] {
      if (!PressWaitWindowCancel()) press.start(10);
    });
    if (cancelAfter_) press.start(static_cast<int>(std::lround(*cancelAfter_ * 1000)));
    ended = platform::QtProcessWait().WaitFor(process, program);
  }
  std::fprintf(stderr, "wait [%s] -> %s\n", program.c_str(), ended ? "ended" : "Cancel");
  if (!ended)
    std::fprintf(stderr, "group [%s] %s\n", program.c_str(),
                 platform::ProcessGroupRunning(process.Pid()).value_or(true) ? "running" : "gone");
  return ended;
}

std::optional<std::pair<int, int>> ParseSize(const std::string& text) {
  const std::size_t x = text.find('x');
  if (x == std::string::npos) return std::nullopt;
  const auto w = ParseInt(text.substr(0, x));
  const auto h = ParseInt(text.substr(x + 1));
  if (!w || !h || *w < 1 || *h < 1 || *w > 8000 || *h > 8000) return std::nullopt;
  return std::pair{*w, *h};
}
namespace {

bool takesValue(const std::string& option) {
  return option == "folder" || option == "title" || option == "set" || option == "answer" ||
         option == "write";
}

std::string oneLine(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else out += c;
  }
  return out;
}

const char* resultName(MsgResult r) {
  switch (r) {
    case MsgResult::Ok: return "OK";
    case MsgResult::Cancel: return "Cancel";
    case MsgResult::Yes: return "Yes";
    case MsgResult::No: return "No";
    case MsgResult::Abort: return "Abort";
    case MsgResult::Retry: return "Retry";
    case MsgResult::Ignore: return "Ignore";
  }
  return "?";
}

std::vector<MsgResult> buttonsOf(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::Ok: return {MsgResult::Ok};
    case MsgButtons::OkCancel: return {MsgResult::Ok, MsgResult::Cancel};
    case MsgButtons::YesNo: return {MsgResult::Yes, MsgResult::No};
    case MsgButtons::YesNoCancel: return {MsgResult::Yes, MsgResult::No, MsgResult::Cancel};
    case MsgButtons::AbortRetryIgnore: return {MsgResult::Abort, MsgResult::Retry, MsgResult::Ignore};
  }
  return {MsgResult::Ok};
}

}  // namespace

bool ParseCircuitOptions(const Args& args, CircuitOptions& options, std::string& error,
                         const std::vector<std::string>& allowed) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 3 || a.compare(0, 2, "--") != 0) {
      options.positional.push_back(a);
      continue;
    }
    const std::string name = a.substr(2);
    // --second is a flag: the second build's windows.
    if (name == "second" && (allowed.empty() || std::find(allowed.begin(), allowed.end(), name) != allowed.end())) {
      options.second = true;
      continue;
    }
    bool known = takesValue(name);
    if (known && !allowed.empty()) {
      known = false;
      for (const auto& n : allowed) known = known || n == name;
    }
    if (!known) {
      error = "unknown option " + a;
      return false;
    }
    if (i + 1 >= args.size()) {
      error = "option " + a + " needs a value";
      return false;
    }
    const std::string& value = args[++i];
    if (name == "folder") {
      options.folder = value;
    } else if (name == "title") {
      options.title = value;
    } else if (name == "answer") {
      options.answers.push_back(value);
    } else if (name == "write") {
      options.writePath = value;
    } else {
      const auto eq = value.find('=');
      if (eq == std::string::npos || eq == 0) {
        error = "--set expects CONTROL=VALUE, got " + value;
        return false;
      }
      options.settings.emplace_back(value.substr(0, eq), value.substr(eq + 1));
    }
  }
  return true;
}

AnswerScript::AnswerScript(std::vector<std::string> answers, std::FILE* log)
    : answers_(answers.begin(), answers.end()), log_(log) {}

std::string AnswerScript::take(const std::string& caption, const std::string& text) {
  if (answers_.empty()) {
    std::fprintf(log_, "question [%s] %s -> (no answer left)\n", oneLine(caption).c_str(),
                 oneLine(text).c_str());
    throw NoAnswerLeft{};
  }
  std::string answer = answers_.front();
  answers_.pop_front();
  std::fprintf(log_, "question [%s] %s -> %s\n", oneLine(caption).c_str(), oneLine(text).c_str(),
               answer.c_str());
  return answer;
}

MsgResult AnswerScript::messageBox(const std::string& caption, const std::string& text,
                                   MsgButtons buttons, platform::MsgIcon) {
  if (buttons == MsgButtons::Ok) {
    std::fprintf(log_, "box [%s] %s\n", oneLine(caption).c_str(), oneLine(text).c_str());
    return MsgResult::Ok;
  }
  const std::string answer = take(caption, text);
  for (MsgResult r : buttonsOf(buttons))
    if (answer == resultName(r)) return r;
  throw AnswerMismatch{"answer " + answer + " is no button of the box " + oneLine(text)};
}

std::optional<std::string> AnswerScript::inputQuery(const std::string& caption,
                                                    const std::string& prompt,
                                                    const std::string& initial) {
  const std::string answer = take(caption, prompt);
  if (answer == "Cancel") return std::nullopt;
  if (answer == "OK") return initial;
  if (answer.compare(0, 3, "OK=") == 0) return answer.substr(3);
  throw AnswerMismatch{"answer " + answer + " does not fit the input box " + oneLine(prompt)};
}

std::optional<std::string> AnswerScript::fileAnswer(const std::string& title,
                                                    const std::string& fileName) {
  const std::string answer = take(title, fileName);
  if (answer == "Cancel") return std::nullopt;
  if (answer == "OK") return fileName;
  if (answer.compare(0, 3, "OK=") == 0) return answer.substr(3);
  throw AnswerMismatch{"answer " + answer + " does not fit the file dialog " + oneLine(title)};
}

std::optional<std::string> AnswerScript::openFile(const platform::FileDialogRequest& request) {
  return fileAnswer(request.title, request.fileName);
}

std::optional<std::string> AnswerScript::saveFile(const platform::FileDialogRequest& request) {
  return fileAnswer(request.title, request.fileName);
}

std::optional<std::uint32_t> AnswerScript::chooseColor(std::uint32_t) {
  std::fprintf(log_, "box [colour] (cancelled)\n");
  return std::nullopt;
}

std::optional<std::vector<std::string>> AnswerScript::editText(const platform::TextEditRequest& request) {
  std::fprintf(log_, "box [%s] (text editor, cancelled)\n", oneLine(request.caption).c_str());
  return std::nullopt;
}

namespace {

class CommandEvent : public QEvent {
 public:
  explicit CommandEvent(const std::function<void()>& step) : QEvent(QEvent::User), step(step) {}
  const std::function<void()>& step;
};

class CommandReceiver : public QObject {
 public:
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    static_cast<CommandEvent*>(event)->step();
    return true;
  }
};

}  // namespace

void RunAsCommand(const std::function<void()>& step) {
  CommandReceiver receiver;
  CommandEvent event(step);
  QCoreApplication::sendEvent(&receiver, &event);
}

int RunWithAnswers(const std::vector<std::string>& answers, const std::function<int()>& body) {
  AnswerScript script(answers);
  platform::ScopedDialogs scope(script);
  try {
    return body();
  } catch (const NoAnswerLeft&) {
    return 3;
  } catch (const AnswerMismatch& mismatch) {
    std::fprintf(stderr, "%s\n", mismatch.reason.c_str());
    return 2;
  }
}

std::string Quoted(const std::string& utf8) {
  std::string quoted = "\"";
  for (char c : utf8) {
    if (c == '"') quoted += "\\\"";
    else if (c == '\n') quoted += "\\n";
    else quoted += c;
  }
  return quoted + "\"";
}

std::unique_ptr<WindowSet> MakeProgramWindows(bool second) {
  vemu::model::SetModelVariant(second ? vemu::model::ModelVariant::Second : vemu::model::ModelVariant::Full);
  return second ? std::make_unique<WindowSet>(SecondProgramProfile(), std::vector<std::string>{"vemu"})
                : std::make_unique<WindowSet>(FullProgramProfile(), std::vector<std::string>{"vemu3"});
}

std::unique_ptr<QApplication> MakeApplicationIfNone() {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (QApplication::instance()) return nullptr;
  static int argc = 1;
  static char name[] = "vemu-testdrive";
  static char* argv[] = {name, nullptr};
  return std::make_unique<vemu::platform::GuardedApplication>(argc, argv);
}

std::unique_ptr<DriverSession> DriverSession::OpenWithoutCircuit(const CircuitOptions& options, std::string& error) {
  std::unique_ptr<DriverSession> session(new DriverSession());
  std::error_code ec;
  session->startFolder_ = std::filesystem::current_path(ec).string();
  session->app_ = MakeApplicationIfNone();
  if (!options.folder.empty()) {
    platform::setProgramFolder(session->Resolve(options.folder));
  } else if (!session->UseCopyOfProgramFolder()) {
    error = "cannot make a scratch program folder";
    return nullptr;
  }
  session->windows_ = MakeProgramWindows(options.second);
  return session;
}

std::unique_ptr<DriverSession> DriverSession::Open(const CircuitOptions& options, std::string& error) {
  if (options.positional.empty()) {
    error = "no circuit file given";
    return nullptr;
  }
  std::error_code ec;
  const std::filesystem::path start = std::filesystem::current_path(ec);
  const std::string& given = options.positional[0];
  const std::string circuit = given.empty() || given.front() == '/' ? given : (start / given).string();
  if (!platform::fileExists(circuit)) {
    error = "cannot read " + options.positional[0];
    return nullptr;
  }
  std::unique_ptr<DriverSession> session = OpenWithoutCircuit(options, error);
  if (!session) return nullptr;
  TForm1& form = session->form1();
  // Load reports a damaged file in a box; the driver says it on stderr and stops.
  platform::ScriptedDialogs quiet;
  bool read = false;
  {
    platform::ScopedDialogs scope(quiet);
    read = form.ReadCircuitFile(circuit);
  }
  for (const auto& box : quiet.boxes)
    std::fprintf(stderr, "box [%s] %s\n", oneLine(box.caption).c_str(), oneLine(box.text).c_str());
  if (!read) {
    error = "cannot read the circuit " + circuit;
    return nullptr;
  }
  form.LastFile = circuit;
  form.SaveDialogFileName = options.title ? *options.title : circuit;
  form.HasOwnFile = true;
  return session;
}

DriverSession::~DriverSession() {
  windows_.reset();
  app_.reset();
  if (!scratch_.empty()) {
    std::error_code ec;
    std::filesystem::current_path(startFolder_, ec);
    platform::setProgramFolder("");
    std::filesystem::remove_all(scratch_, ec);
  }
}

std::string CopyOfProgramFolder() {
  namespace fs = std::filesystem;
  std::error_code ec;
  std::string pattern = (fs::temp_directory_path(ec) / "vemu-drive-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return std::string();
  const std::string copy = pattern + "/";
  const std::string own = platform::programFolder();
  for (const char* entry : {"IMAGES", "FILES", "setup.sym"})
    if (fs::exists(own + entry, ec)) fs::copy(own + entry, copy + entry, fs::copy_options::recursive, ec);
  fs::create_directories(copy + "IMAGES/BACKUP", ec);
  return copy;
}

bool DriverSession::UseCopyOfProgramFolder() {
  scratch_ = CopyOfProgramFolder();
  if (scratch_.empty()) return false;
  platform::setProgramFolder(scratch_);
  return true;
}

AppWindows& DriverSession::windows() { return windows_->windows(); }
TForm1& DriverSession::form1() { return *windows().Form1; }
TForm3& DriverSession::form3() { return *windows().Form3; }
TForm6& DriverSession::form6() { return *windows().Form6; }

bool DriverSession::ApplySettings(const std::vector<std::pair<std::string, std::string>>& settings,
                                  std::string& error) {
  TForm3& form = form3();
  for (const auto& [control, value] : settings) {
    const QString name = QString::fromStdString(control);
    if (auto* check = form.findChild<QCheckBox*>(name)) {
      if (value != "0" && value != "1") {
        error = "check box " + control + " takes 1 or 0";
        return false;
      }
      check->setChecked(value == "1");
    } else if (auto* edit = form.findChild<QLineEdit*>(name)) {
      edit->setText(platform::fromUtf8(value));
    } else if (auto* box = form.findChild<QComboBox*>(name)) {
      bool ok = false;
      const int index = QString::fromStdString(value).toInt(&ok);
      if (!ok || index < 0 || index >= box->count()) {
        error = "combo box " + control + " has no item " + value;
        return false;
      }
      box->setCurrentIndex(index);
    } else if (auto* item = form1().findChild<QAction*>(name); item && item->isCheckable()) {
      if (value != "0" && value != "1") {
        error = "check item " + control + " takes 1 or 0";
        return false;
      }
      item->setChecked(value == "1");
    } else {
      error = "the settings window has no control " + control;
      return false;
    }
  }
  return true;
}

bool DriverSession::WriteCircuit(const std::string& path, std::string& error) {
  if (form1().WriteCircuitFile(Resolve(path))) return true;
  error = "cannot write " + path;
  return false;
}

std::string DriverSession::Resolve(const std::string& path) const {
  if (path.empty() || path.front() == '/' || startFolder_.empty()) return path;
  return (std::filesystem::path(startFolder_) / path).string();
}

std::vector<std::string> MemoLines(const QPlainTextEdit* memo) {
  std::vector<std::string> lines;
  if (!memo || memo->document()->isEmpty()) return lines;
  for (QTextBlock b = memo->document()->firstBlock(); b.isValid(); b = b.next())
    lines.push_back(platform::toCp1251(b.text()));
  return lines;
}

void PrintLines(const std::vector<std::string>& lines, std::FILE* out) {
  for (const auto& line : lines) {
    std::fwrite(line.data(), 1, line.size(), out);
    std::fwrite("\r\n", 1, 2, out);
  }
  std::fflush(out);
}

}  // namespace testdrive
