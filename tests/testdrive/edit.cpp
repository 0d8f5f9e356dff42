// edit IN.dag SCRIPT OUT.dag [--size WxH] [--folder DIR] [--set CONTROL=VALUE]...: replays a
// script of mouse, key, palette, menu and field events on the main window with IN open ("-" for
// a new circuit) and writes the circuit after it. Boxes, the status panels, the caption, the
// selection and the memo go to stderr. Programs are waited for in the editor's wait window;
// "signal-after" lines send the driver an ending signal while the script goes on.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>
#include <QToolButton>
#include <charconv>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <thread>
#include <tuple>
#include <unistd.h>

#include "catalogue/windows/settings_window.h"
#include "files/circuit_file.h"
#include "model/graph.h"
#include "platform/text_file.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "testdrive/page_server.h"
#include "platform/dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/termination_signals.h"
#include "platform/qt/web_download.h"
#include "platform/text_codec.h"
#include "ui/ask_insert_move.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"
#include "view/windows/preview_window.h"

namespace {

using testdrive::DriverSession;

struct MouseArgs {
  int x = 0;
  int y = 0;
  Qt::MouseButton button = Qt::NoButton;
  Qt::MouseButtons buttons;
  Qt::KeyboardModifiers keys;
};

// "X Y [left|right|middle] [shift|ctrl|alt]..."
std::optional<MouseArgs> ParseMouse(std::istringstream& in) {
  MouseArgs m;
  std::string x, y, word;
  in >> x >> y;
  const auto px = testdrive::ParseInt(x), py = testdrive::ParseInt(y);
  if (!px || !py) return std::nullopt;
  m.x = *px;
  m.y = *py;
  while (in >> word) {
    Qt::MouseButton b = Qt::NoButton;
    if (word == "left") b = Qt::LeftButton;
    else if (word == "right") b = Qt::RightButton;
    else if (word == "middle") b = Qt::MiddleButton;
    else if (word == "shift") m.keys |= Qt::ShiftModifier;
    else if (word == "ctrl") m.keys |= Qt::ControlModifier;
    else if (word == "alt") m.keys |= Qt::AltModifier;
    else return std::nullopt;
    if (b != Qt::NoButton) {
      if (m.button == Qt::NoButton) m.button = b;
      m.buttons |= b;
    }
  }
  return m;
}

void SendMouse(TForm1& form, QEvent::Type type, const MouseArgs& m, Qt::MouseButton button, Qt::MouseButtons held) {
  const QPointF at(m.x, m.y);
  QMouseEvent event(type, at, form.PaintBox1->mapToGlobal(at), button, held, m.keys);
  QApplication::sendEvent(form.PaintBox1, &event);
}

// A key as the user presses it: a focused field that takes the key gets it;
// otherwise the window's short-cut of that key acts, else the key goes to
// the focused control (or the window).
bool SendKey(TForm1& form, const std::string& text) {
  const QKeySequence sequence = QKeySequence::fromString(QString::fromStdString(text));
  if (sequence.isEmpty()) return false;
  const QKeyCombination key = sequence[0];
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &form;
  const QString typed = text.size() == 1 ? QString::fromStdString(text) : QString();
  QKeyEvent override(QEvent::ShortcutOverride, key.key(), key.keyboardModifiers(), typed);
  override.ignore();
  QApplication::sendEvent(target, &override);
  if (!override.isAccepted()) {
    for (QAction* action : form.findChildren<QAction*>()) {
      if (action->isEnabled() && action->shortcuts().contains(QKeySequence(key))) {
        action->trigger();
        return true;
      }
    }
  }
  QKeyEvent press(QEvent::KeyPress, key.key(), key.keyboardModifiers(), typed);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key.key(), key.keyboardModifiers(), typed);
  QApplication::sendEvent(target, &release);
  return true;
}

// The palette button (or amplifier menu item) of a type code.
bool ChooseType(TForm1& form, int code) {
  for (QToolButton* button : form.PaletteButtons) {
    if (ControlTag(button) == code && button != form.SpeedButton42) {
      button->click();
      return true;
    }
  }
  if (form.PopupMenu1) {
    for (QAction* item : form.PopupMenu1->actions()) {
      if (ControlTag(item) == code) {
        item->trigger();
        return true;
      }
    }
  }
  return false;
}

// A menu item, action or button as the user would reach it: one that is
// disabled does nothing and is named on stderr ("disabled NAME"), so is a
// name the window does not have ("unknown NAME"); the script goes on. An
// action hidden in the menu by design (which Qt also reports disabled) is
// triggered when it is enabled apart from being hidden, and stays hidden.
void TriggerByName(TForm1& form, const std::string& name) {
  const QString objectName = QString::fromStdString(name);
  if (auto* action = form.findChild<QAction*>(objectName)) {
    const bool hidden = !action->isVisible();
    if (hidden) action->setVisible(true);
    const bool enabled = action->isEnabled();
    if (enabled) action->trigger();
    if (hidden) action->setVisible(false);
    if (!enabled) std::fprintf(stderr, "disabled %s\n", name.c_str());
    return;
  }
  if (auto* button = form.findChild<QAbstractButton*>(objectName)) {
    if (button->isEnabled()) button->click();
    else std::fprintf(stderr, "disabled %s\n", name.c_str());
    return;
  }
  std::fprintf(stderr, "unknown %s\n", name.c_str());
}

// "field NAME TEXT": the line edit of that object name takes TEXT in place
// of its text and Enter, as a user types it; disabled and unknown fields as
// for menu items.
void TypeIntoField(TForm1& form, const std::string& rest) {
  const std::size_t blank = rest.find(' ');
  const std::string name = rest.substr(0, blank);
  const std::string text = blank == std::string::npos ? std::string() : rest.substr(blank + 1);
  QLineEdit* field = form.findChild<QLineEdit*>(QString::fromStdString(name));
  if (!field) {
    std::fprintf(stderr, "unknown %s\n", name.c_str());
    return;
  }
  if (!field->isEnabled() || field->isReadOnly()) {
    std::fprintf(stderr, "disabled %s\n", name.c_str());
    return;
  }
  field->setFocus();
  field->selectAll();
  field->insert(vemu::platform::fromUtf8(text));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(field, &press);
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QApplication::sendEvent(field, &release);
}

// The member of the shown level of that name (UTF-8), or null.
vemu::model::TheNode* MemberNamed(TForm1& form, const std::string& name) {
  const std::string wanted = vemu::platform::toCp1251(vemu::platform::fromUtf8(name));
  vemu::model::TheNode* found = nullptr;
  if (form.Graph->MainNode)
    form.Graph->MainNode->forEachLine([&](vemu::model::TheLine* l) {
      if (!found && l->Kind == vemu::model::alHaveItem && l->Node && l->Node->Name.str() == wanted) found = l->Node;
    });
  return found;
}

// "current NAME": a click on the member of that name (hover, press and
// release where it is drawn), which makes it current.
bool ClickOnMember(TForm1& form, const std::string& name, std::string& error) {
  vemu::model::TheNode* node = MemberNamed(form, name);
  if (!node) {
    error = "no member named " + name + " on the shown level";
    return false;
  }
  const vemu::model::TPoint at = form.View->LogicalToScreen(node->GetPos());
  const MouseArgs m{at.x, at.y, Qt::LeftButton, Qt::LeftButton, {}};
  SendMouse(form, QEvent::MouseMove, m, Qt::NoButton, Qt::NoButton);
  SendMouse(form, QEvent::MouseButtonPress, m, Qt::LeftButton, Qt::LeftButton);
  SendMouse(form, QEvent::MouseButtonRelease, m, Qt::LeftButton, Qt::NoButton);
  if (form.Graph->CurrentNode == node) return true;
  error = "a click on " + name + " does not make it current";
  return false;
}

// One script line; false with a reason for a line the driver does not know.
bool RunLine(TForm1& form, std::unique_ptr<testdrive::PageServer>& pages, const std::string& line,
             std::string& error) {
  std::istringstream in(line);
  std::string verb;
  in >> verb;
  if (verb.empty() || verb[0] == '#' || verb == "answer") return true;
  if (verb == "down" || verb == "move" || verb == "up") {
    auto m = ParseMouse(in);
    if (!m) {
      error = "bad mouse event: " + line;
      return false;
    }
    if (verb != "move" && m->button == Qt::NoButton) {
      m->button = Qt::LeftButton;
      m->buttons = Qt::LeftButton;
    }
    if (verb == "down") SendMouse(form, QEvent::MouseButtonPress, *m, m->button, m->buttons);
    else if (verb == "move") SendMouse(form, QEvent::MouseMove, *m, Qt::NoButton, m->buttons);
    else SendMouse(form, QEvent::MouseButtonRelease, *m, m->button, m->buttons & ~Qt::MouseButtons(m->button));
    return true;
  }
  if (verb == "dbl") {
    auto m = ParseMouse(in);
    if (!m) {
      error = "bad double click: " + line;
      return false;
    }
    // As a real double click arrives: press, release, double click, release.
    SendMouse(form, QEvent::MouseButtonPress, *m, Qt::LeftButton, Qt::LeftButton);
    SendMouse(form, QEvent::MouseButtonRelease, *m, Qt::LeftButton, Qt::NoButton);
    SendMouse(form, QEvent::MouseButtonDblClick, *m, Qt::LeftButton, Qt::LeftButton);
    SendMouse(form, QEvent::MouseButtonRelease, *m, Qt::LeftButton, Qt::NoButton);
    return true;
  }
  std::string rest;
  std::getline(in >> std::ws, rest);
  if (verb == "key") {
    if (SendKey(form, rest)) return true;
    error = "unknown key: " + rest;
    return false;
  }
  if (verb == "type") {
    const auto code = testdrive::ParseInt(rest);
    if (code && ChooseType(form, *code)) return true;
    error = "no palette button for type " + rest;
    return false;
  }
  if (verb == "menu") {
    TriggerByName(form, rest);
    // A download is waited for: it ends with its answer or its time limit.
    if (form.PageDownload && form.PageDownload->Running()) {
      QEventLoop wait;
      QObject::connect(form.PageDownload, &vemu::platform::WebDownload::Finished, &wait, &QEventLoop::quit);
      wait.exec();
    }
    return true;
  }
  if (verb == "serve") return testdrive::ServePage(form, pages, rest, error);
  if (verb == "file") {
    testdrive::PrintProgramFile(rest);
    return true;
  }
  if (verb == "dblmemo") {
    // A double click in the diagnostic memo, shown or not.
    QWidget* area = form.Memo1->viewport();
    const QPointF at(5, 5);
    QMouseEvent event(QEvent::MouseButtonDblClick, at, area->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(area, &event);
    return true;
  }
  if (verb == "field") {
    TypeIntoField(form, rest);
    return true;
  }
  if (verb == "current") return ClickOnMember(form, rest, error);
  if (verb == "tick") {
    const auto n = testdrive::ParseInt(rest);
    if (!n || *n < 0) {
      error = "bad tick count: " + rest;
      return false;
    }
    // The main timer ticks every 50 ms, the preview window's every second.
    for (int i = 0; i < *n; ++i) {
      form.Timer1Timer();
      form.Timer1->stop();
      if ((i + 1) % 20 == 0 && form.App().FormSubCircuit) form.App().FormSubCircuit->Timer1Timer();
    }
    return true;
  }
  error = "unknown script line: " + line;
  return false;
}

// Sends `signal` to this process `seconds` from now, from a thread of its
// own, unless it is destroyed before.
class SignalLater {
 public:
  SignalLater(double seconds, int signal)
      : thread_([this, seconds, signal] {
          std::unique_lock<std::mutex> lock(mutex_);
          if (!wake_.wait_for(lock, std::chrono::duration<double>(seconds), [this] { return cancelled_; }))
            ::kill(::getpid(), signal);
        }) {}
  ~SignalLater() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      cancelled_ = true;
    }
    wake_.notify_all();
    thread_.join();
  }
  SignalLater(const SignalLater&) = delete;
  SignalLater& operator=(const SignalLater&) = delete;

 private:
  std::mutex mutex_;
  std::condition_variable wake_;
  bool cancelled_ = false;
  std::thread thread_;  // last: it starts once the rest is there
};

const std::pair<const char*, int> kEndingSignals[] = {{"SIGTERM", SIGTERM}, {"SIGINT", SIGINT}, {"SIGHUP", SIGHUP}};

const char* EndingSignalName(int signal) {
  for (const auto& [name, number] : kEndingSignals)
    if (number == signal) return name;
  return "?";
}

// The "signal-after" lines: the program's own handling of the ending
// signals, armed at the first one as the program arms it, and the signals
// to come. When one is taken the editor ends as it does then, and the
// script's further lines are not replayed.
class EndingSignals {
 public:
  explicit EndingSignals(TForm1& form) : form_(form) {}
  ~EndingSignals() { pending_.clear(); }  // before the handling goes, none comes after it

  // "SECONDS SIGNAL"; false for another text.
  bool Arm(const std::string& rest) {
    std::istringstream in(rest);
    std::string seconds, name, more;
    in >> seconds >> name;
    const auto delay = testdrive::ParseSeconds(seconds);
    int signal = 0;
    for (const auto& [known, number] : kEndingSignals)
      if (name == known) signal = number;
    if (!delay || signal == 0 || (in >> more)) return false;
    if (!handling_)
      handling_ = std::make_unique<vemu::platform::TerminationSignals>([this](int taken) {
        std::fprintf(stderr, "ended by %s\n", EndingSignalName(taken));
        ended_ = true;
        form_.EndWithoutQuestion();
      });
    pending_.push_back(std::make_unique<SignalLater>(*delay, signal));
    return true;
  }

  // Takes a signal that has come meanwhile; true once the editor has ended.
  bool Ended() {
    if (handling_) QCoreApplication::processEvents();
    return ended_;
  }

 private:
  TForm1& form_;
  std::unique_ptr<vemu::platform::TerminationSignals> handling_;
  std::vector<std::unique_ptr<SignalLater>> pending_;
  bool ended_ = false;
};

// " NAME" for each selected member of the shown level, in list order (UTF-8).
std::string SelectedMembers(TForm1& form) {
  std::string names;
  if (form.Graph->MainNode)
    form.Graph->MainNode->forEachLine([&](vemu::model::TheLine* l) {
      if (l->Kind == vemu::model::alHaveItem && l->Node && l->Node->Selected)
        names += " " + vemu::platform::cp1251ToUtf8(l->Node->Name.str());
    });
  return names;
}

// A file of a new circuit: the root alone.
bool WriteNewCircuit(const std::string& path) {
  vemu::model::TheBaseOfGraf graph;
  vemu::model::TheNode* root = graph.AddNode(nullptr, vemu::model::ntRoot);
  root->Name = "Upper Level";
  graph.MainNode = root;
  return vemu::files::WriteCircuitFile(graph, {}, path, nullptr);
}

// The modal windows of the script: the move-to dialog takes the next
// answer as the text of the item to choose (OK=TEXT; Cancel cancels); every
// other window counts as cancelled, as it does without a display.
int RunScriptedModalWindow(QWidget& window) {
  constexpr int kOk = 1;
  constexpr int kCancel = 2;
  auto* moveTo = qobject_cast<TAskInsertMove*>(&window);
  if (!moveTo) return kCancel;
  const std::optional<std::string> item = vemu::platform::dialogs().inputQuery("Move to", "item", "");
  if (!item || !moveTo->ChooseItem(vemu::platform::fromUtf8(*item))) return kCancel;
  return kOk;
}

// "NAME" of the sub-circuit the preview window shows, or "hidden".
std::string PreviewState(TForm1& form) {
  const TFormSubCircuit* preview = form.App().FormSubCircuit;
  if (!preview || !preview->isVisible()) return "hidden";
  const vemu::model::TheNode* shown = preview->ShownNode;
  if (!shown || !form.Graph->Contains(shown) || !shown->IsContainer()) return "hidden";
  return vemu::platform::cp1251ToUtf8(shown->Name.str());
}

}  // namespace

int EditCommand(const Args& args) {
  Args rest;
  int width = 800, height = 600;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--size" && i + 1 < args.size()) {
      const std::string text = args[++i];
      const auto size = testdrive::ParseSize(text);
      if (!size) {
        std::fprintf(stderr, "edit: bad size %s\n", text.c_str());
        return 2;
      }
      std::tie(width, height) = *size;
    } else {
      rest.push_back(args[i]);
    }
  }
  testdrive::CircuitOptions options;
  std::string error;
  if (!testdrive::ParseCircuitOptions(rest, options, error, {"folder", "set", "second"}) ||
      options.positional.size() != 3) {
    std::fprintf(stderr,
                 "edit: %s\nusage: edit IN.dag SCRIPT OUT.dag [--size WxH] [--folder DIR] [--second] [--set CONTROL=VALUE]...\n",
                 error.empty() ? "expected IN.dag SCRIPT OUT.dag" : error.c_str());
    return 2;
  }
  const auto script = vemu::platform::readLines(options.positional[1], vemu::platform::kCircuitReadLimit);
  if (!script) {
    std::fprintf(stderr, "edit: cannot read %s\n", options.positional[1].c_str());
    return 2;
  }
  // Every "answer" line queues its answer; the questions take them in order.
  std::vector<std::string> answers;
  for (const std::string& line : *script) {
    std::istringstream in(line);
    std::string verb, answer;
    in >> verb;
    if (verb == "answer" && std::getline(in >> std::ws, answer)) answers.push_back(answer);
  }
  std::string scratch;
  if (options.positional[0] == "-") {
    std::error_code ec;
    scratch = (std::filesystem::temp_directory_path(ec) / ("vemu-edit-" + std::to_string(::getpid()) + ".dag")).string();
    if (!WriteNewCircuit(scratch)) {
      std::fprintf(stderr, "edit: cannot make a new circuit\n");
      return 3;
    }
    options.positional[0] = scratch;
  }
  const std::string out = options.positional[2];
  const int status = testdrive::RunWithAnswers(answers, [&]() -> int {
    auto session = DriverSession::Open(options, error);
    if (!session) {
      std::fprintf(stderr, "edit: %s\n", error.c_str());
      return 2;
    }
    if (!session->ApplySettings(options.settings, error)) {
      std::fprintf(stderr, "edit: %s\n", error.c_str());
      return 2;
    }
    session->form3().ButtonOKClick();
    TForm1& form = session->form1();
    if (!scratch.empty()) {
      // A new circuit: no file of its own, as after New.
      form.LastFile.clear();
      form.SaveDialogFileName = "noname.dag";
      form.HasOwnFile = false;
    }
    form.RunModalWindow = &RunScriptedModalWindow;
    form.Timer1->stop();
    form.PaintBox1->setMinimumSize(1, 1);
    form.PaintBox1->resize(width, height);
    form.FormResize();
    form.show();
    form.Timer1->stop();
    std::unique_ptr<testdrive::PageServer> pages;  // the page server of "serve" lines
    testdrive::DriverWait wait(true, std::nullopt);
    vemu::platform::ScopedProcessWait useWait(wait);
    EndingSignals ending(form);
    for (const std::string& line : *script) {
      std::istringstream in(line);
      std::string verb, rest;
      in >> verb;
      if (verb == "signal-after") {
        std::getline(in >> std::ws, rest);
        if (ending.Arm(rest)) continue;
        std::fprintf(stderr, "edit: bad signal line: %s\n", line.c_str());
        return 2;
      }
      bool ran = true;
      testdrive::RunAsCommand([&] { ran = RunLine(form, pages, line, error); });
      if (!ran) {
        std::fprintf(stderr, "edit: %s\n", error.c_str());
        return 2;
      }
      if (ending.Ended()) break;
    }
    for (int panel = 0; panel < 3; ++panel)
      std::fprintf(stderr, "status %d %s\n", panel, form.StatusText(panel).c_str());
    std::fprintf(stderr, "caption %s\n", vemu::platform::toUtf8(form.windowTitle()).c_str());
    std::fprintf(stderr, "selection%s\n", SelectedMembers(form).c_str());
    // Block by block, as the memo's plain text reads (no copy of a long memo
    // as a whole).
    if (!form.Memo1->document()->isEmpty())
      for (QTextBlock b = form.Memo1->document()->firstBlock(); b.isValid(); b = b.next()) {
        QString text = b.text();
        text.replace(QChar::Nbsp, QLatin1Char(' ')).replace(QChar::LineSeparator, QLatin1Char('\n'));
        for (const QString& line : text.split(QLatin1Char('\n')))
          std::fprintf(stderr, "memo %s\n", line.toUtf8().constData());
      }
    std::fprintf(stderr, "preview %s\n", PreviewState(form).c_str());
    if (!session->WriteCircuit(out, error)) {
      std::fprintf(stderr, "edit: %s\n", error.c_str());
      return 3;
    }
    return 0;
  });
  if (!scratch.empty()) std::filesystem::remove(scratch);
  return status;
}
