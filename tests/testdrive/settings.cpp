// settings [--folder DIR] [--second] [--save]: the start.txt settings as
// the program holds them and the values it applied; --save presses SAVE
// and lists the file it wrote, read back.
#include <QTimer>
#include <cstdio>
#include <string>

#include "catalogue/settings_file.h"
#include "catalogue/windows/settings_window.h"
#include "platform/text_codec.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/tform1.h"
#include "view/view_globals.h"

namespace {

bool TakeFlag(Args& args, const std::string& name) {
  for (auto it = args.begin(); it != args.end(); ++it) {
    if (*it != name) continue;
    args.erase(it);
    return true;
  }
  return false;
}

void PrintSettings(const vemu::catalogue::Settings& settings, TForm1& form) {
  using Kind = vemu::catalogue::StartSetting::Kind;
  for (const auto& s : vemu::catalogue::StartSettings(settings)) {
    const std::string name(s.control);
    switch (s.kind) {
      case Kind::Check: std::printf("%s check=%s\n", name.c_str(), s.line == "1" ? "1" : "0"); break;
      case Kind::Colour: std::printf("%s colour=%s\n", name.c_str(), s.line.c_str()); break;
      case Kind::Index: std::printf("%s index=%s\n", name.c_str(), s.line.c_str()); break;
      case Kind::Text:
        std::printf("%s text=%s\n", name.c_str(), testdrive::Quoted(vemu::platform::cp1251ToUtf8(s.line)).c_str());
        break;
    }
  }
  std::printf("LineWidth=%d,%d,%d GridStep=%d LineSpeed=%d ArrowSize=%d Timer1=%d\n", form.LineWidth0,
              form.LineWidth1, form.LineWidth2, form.GridStep, vemu::view::LineSpeed, vemu::view::ArrowSize,
              form.Timer1->interval());
}

}  // namespace

int SettingsCommand(const Args& given) {
  Args args = given;
  const bool save = TakeFlag(args, "--save");
  testdrive::CircuitOptions options;
  std::string error;
  if (!testdrive::ParseCircuitOptions(args, options, error, {"folder", "second"}) || !options.positional.empty()) {
    std::fprintf(stderr, "settings: %s\nusage: settings [--folder DIR] [--second] [--save]\n",
                 error.empty() ? "wrong arguments" : error.c_str());
    return 2;
  }
  return testdrive::RunWithAnswers({}, [&]() -> int {
    auto session = testdrive::DriverSession::OpenWithoutCircuit(options, error);
    if (!session) {
      std::fprintf(stderr, "settings: %s\n", error.c_str());
      return 2;
    }
    TForm3& form3 = session->form3();
    PrintSettings(form3.settings(), session->form1());
    if (save) {
      form3.ButtonSAVEClick();
      vemu::catalogue::Settings saved;
      if (!vemu::catalogue::ReadStartFile(saved, vemu::catalogue::StartFileToWrite()).read) {
        std::fprintf(stderr, "settings: SAVE wrote no start.txt\n");
        return 1;
      }
      PrintSettings(saved, session->form1());
    }
    return 0;
  });
}
