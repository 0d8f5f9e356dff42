// import IN.cir [--second] [--netlist] [--layout 0|1|2] [--size WxH] [--seed N] [--folder DIR]
//        [--set CONTROL=VALUE]... [--answer A]... [--write OUT.dag]
// Imports IN as the menu command "CreateCircuitFromCir" does, on a paint box
// of the given size and with the random source seeded.
#include <cstdio>
#include <tuple>

#include <QAction>
#include <QCheckBox>
#include <QPlainTextEdit>

#include "catalogue/windows/settings_window.h"
#include "netlist/windows/text_window.h"
#include "files/file_commands.h"
#include "platform/dialogs.h"
#include "platform/qt/qt_text.h"
#include "platform/random_source.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/paint_box.h"
#include "ui/tform1.h"

namespace platform = vemu::platform;

namespace {

bool ParseImportOptions(const Args& args, ImportOptions& o, std::string& error) {
  Args rest;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--second") {
      o.second = true;
    } else if (a == "--netlist") {
      o.netlist = true;
    } else if (a == "--layout" || a == "--size" || a == "--seed") {
      if (!hasValue) {
        error = "option " + a + " needs a value";
        return false;
      }
      const std::string& value = args[++i];
      if (a == "--size") {
        const auto size = testdrive::ParseSize(value);
        if (!size) {
          error = "--size takes WxH";
          return false;
        }
        std::tie(o.width, o.height) = *size;
        continue;
      }
      const auto number = testdrive::ParseInt(value);
      if (!number || *number < 0 || (a == "--layout" && *number > 2)) {
        error = a == "--layout" ? "--layout takes 0, 1 or 2" : "--seed takes a whole number from 0";
        return false;
      }
      if (a == "--layout") o.layout = *number;
      else o.seed = static_cast<std::uint32_t>(*number);
    } else {
      rest.push_back(a);
    }
  }
  testdrive::CircuitOptions common;
  if (!testdrive::ParseCircuitOptions(rest, common, error, {"folder", "set", "answer", "write"})) return false;
  if (common.positional.size() != 1) {
    error = "expected IN.cir [options]";
    return false;
  }
  o.input = common.positional[0];
  o.folder = common.folder;
  o.settings = common.settings;
  o.answers = common.answers;
  o.writePath = common.writePath;
  return true;
}

// The dialogs of one import: the open dialog takes IN with the netlist
// filter, the layout question the --layout item; everything else goes to the
// answer script in force.
class ImportDialogs final : public platform::Dialogs {
 public:
  ImportDialogs(const ImportOptions& o, std::string path) : o_(o), path_(std::move(path)), script_(platform::dialogs()) {}

  platform::MsgResult messageBox(const std::string& caption, const std::string& text, platform::MsgButtons buttons,
                                 platform::MsgIcon icon) override {
    return script_.messageBox(caption, text, buttons, icon);
  }
  std::optional<std::string> inputQuery(const std::string& caption, const std::string& prompt,
                                        const std::string& initial) override {
    return script_.inputQuery(caption, prompt, initial);
  }
  std::optional<std::string> openFile(const platform::FileDialogRequest& request) override {
    std::fprintf(stderr, "question [%s] (open file) -> %s\n", request.title.c_str(), o_.input.c_str());
    return path_;
  }
  std::optional<platform::ChosenFile> chooseOpenFile(const platform::FileDialogRequest& request) override {
    auto path = openFile(request);
    return platform::ChosenFile{*path, vemu::files::kNetlistFilter};
  }
  std::optional<std::string> saveFile(const platform::FileDialogRequest& request) override {
    return script_.saveFile(request);
  }
  std::optional<std::uint32_t> chooseColor(std::uint32_t initial) override { return script_.chooseColor(initial); }
  std::optional<std::vector<std::string>> editText(const platform::TextEditRequest& request) override {
    return script_.editText(request);
  }
  std::optional<int> chooseItem(const platform::ChoiceRequest& request) override {
    const std::size_t item = static_cast<std::size_t>(o_.layout);
    std::fprintf(stderr, "question [%s] %s -> %s\n", request.caption.c_str(), request.text.c_str(),
                 item < request.items.size() ? request.items[item].c_str() : "?");
    return o_.layout;
  }

 private:
  const ImportOptions& o_;
  std::string path_;
  platform::Dialogs& script_;
};

int RunImport(const ImportOptions& o) {
  return testdrive::RunWithAnswers(o.answers, [&]() -> int {
    return RunImportSession(o, false, [&o](testdrive::DriverSession& session) {
      TForm1& form = session.form1();
      ImportDialogs dialogs(o, session.Resolve(o.input));
      {
        platform::ScopedDialogs scope(dialogs);
        form.CreateFromCir1Click();
      }
      if (form.CIR1->isChecked()) testdrive::PrintLines(testdrive::MemoLines(form.Memo1), stdout);
    });
  });
}

}  // namespace

int RunImportSession(const ImportOptions& o, bool second, const std::function<void(testdrive::DriverSession&)>& import) {
  testdrive::CircuitOptions common;
  common.folder = o.folder;
  common.second = second;
  std::string error;
  auto session = testdrive::DriverSession::OpenWithoutCircuit(common, error);
  if (!session || !session->ApplySettings(o.settings, error)) {
    std::fprintf(stderr, "import: %s\n", error.c_str());
    return 2;
  }
  TForm1& form = session->form1();
  form.PaintBox1->resize(o.width, o.height);
  form.FormResize();
  platform::RandomSource random(o.seed);
  platform::ScopedRandomSource seeded(random);
  import(*session);
  std::fprintf(stderr, "caption %s\n", platform::toUtf8(form.windowTitle()).c_str());
  if (o.netlist) {
    // "Create text file" on what the import built, without the run.
    session->form3().CheckTreeActionByOnePress->setChecked(false);
    form.FromCtoMButtonClick();
    testdrive::PrintLines(testdrive::MemoLines(session->form6().Memo1), stdout);
  }
  if (!o.writePath.empty() && !session->WriteCircuit(o.writePath, error)) {
    std::fprintf(stderr, "import: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

int ImportCommand(const Args& args) {
  ImportOptions options;
  std::string error;
  if (!ParseImportOptions(args, options, error)) {
    std::fprintf(stderr, "import: %s\n", error.c_str());
    return 2;
  }
  return options.second ? RunSecondImport(options) : RunImport(options);
}
