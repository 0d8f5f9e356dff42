// captions [--folder DIR] [--second] [--set CONTROL=VALUE]... [--switch TAG]:
// the texts the captions file gives the windows, as the program shows them
// after start-up (and after switching the language by its menu item's tag).
#include <QAction>
#include <QComboBox>
#include <QToolButton>
#include <cstdio>
#include <optional>
#include <string>

#include "catalogue/node_type_table.h"
#include "catalogue/windows/settings_window.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/tform1.h"

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

// Takes `--NAME VALUE` out of the arguments into `value`; false when the value is missing.
bool TakeOption(Args& args, const std::string& name, std::string& value, bool& given) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] != name) continue;
    if (i + 1 >= args.size()) return false;
    value = args[i + 1];
    given = true;
    args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i) + 2);
    return true;
  }
  return true;
}

// Triggers the language item whose tag is `tag`; false when there is none.
bool SwitchLanguage(TForm1& form, int tag) {
  for (QAction* language : {form.Russian1, form.English1, form.Polland1, form.German1}) {
    if (language && language->property("Tag").toInt() == tag) {
      language->trigger();
      return true;
    }
  }
  return false;
}

void PrintCaptions(TForm1& form, TForm3& form3) {
  for (std::size_t t = 0; t < form.NodeTypes.size(); ++t) {
    const auto& info = form.NodeTypes[t];
    std::printf("uinfo %zu %s\n", t, testdrive::Quoted(info.Uinfo).c_str());
    std::printf("letter %zu %s\n", t, vemu::catalogue::TypeLetter(info).c_str());
  }
  for (QToolButton* button : form.findChildren<QToolButton*>()) {
    const QString name = button->objectName();
    if (name.isEmpty() || name.startsWith("qt_")) continue;  // the tool bars' own buttons
    std::printf("hint %s %s\n", Utf8(name).c_str(), testdrive::Quoted(Utf8(button->toolTip())).c_str());
  }
  for (QAction* item : {form.K1, form.G1, form.B1, form.H1})
    if (item) std::printf("popup %s %s\n", Utf8(item->objectName()).c_str(), testdrive::Quoted(Utf8(item->text())).c_str());
  std::string items;
  for (int i = 0; i < form3.BoxBat->count(); ++i) items += (i ? "|" : "") + Utf8(form3.BoxBat->itemText(i));
  std::printf("boxbat index=%d items=%s\n", form3.BoxBat->currentIndex(), testdrive::Quoted(items).c_str());
}

}  // namespace

int CaptionsCommand(const Args& given) {
  Args args = given;
  std::string switchTag;
  bool switching = false;
  testdrive::CircuitOptions options;
  std::string error;
  std::optional<int> tag;
  if (!TakeOption(args, "--switch", switchTag, switching) || (switching && !(tag = testdrive::ParseInt(switchTag))) ||
      !testdrive::ParseCircuitOptions(args, options, error, {"folder", "set", "second"}) ||
      !options.positional.empty()) {
    std::fprintf(stderr, "captions: %s\nusage: captions [--folder DIR] [--second] [--set CONTROL=VALUE]... [--switch TAG]\n",
                 error.empty() ? "wrong arguments" : error.c_str());
    return 2;
  }
  return testdrive::RunWithAnswers({}, [&]() -> int {
    auto session = testdrive::DriverSession::OpenWithoutCircuit(options, error);
    if (!session || !session->ApplySettings(options.settings, error)) {
      std::fprintf(stderr, "captions: %s\n", error.c_str());
      return 2;
    }
    if (tag && !SwitchLanguage(session->form1(), *tag)) {
      std::fprintf(stderr, "captions: no language item has the tag %d\n", *tag);
      return 2;
    }
    PrintCaptions(session->form1(), session->form3());
    return 0;
  });
}

