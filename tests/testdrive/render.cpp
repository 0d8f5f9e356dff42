// render IN.dag OUT.png [--size WxH] [--folder DIR] [--second] [--set CONTROL=VALUE]... [--ticks N]:
// starts the program's windows offscreen, opens IN as Load does, runs N
// ticks of the main timer and writes the main window's picture of the
// shown level as a PNG file; with --calls, the list of canvas calls of one
// more redraw instead (one line per call, as the recording canvas writes them).
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <tuple>

#include "catalogue/windows/settings_window.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/recording_canvas.h"
#include "platform/text_file.h"
#include "testdrive/commands.h"
#include "testdrive/driver_support.h"
#include "ui/paint_box.h"
#include "ui/program_profile.h"
#include "ui/tform1.h"
#include "ui/window_set.h"

namespace {

struct RenderOptions {
  std::string in;
  std::string out;
  int width = 800;
  int height = 600;
  std::string folder;
  std::vector<std::pair<std::string, std::string>> settings;
  int ticks = 0;
  bool calls = false;
  bool second = false;  // vemu's windows
};

std::optional<RenderOptions> ParseRenderArgs(const Args& args) {
  RenderOptions o;
  std::vector<std::string> files;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--size" && hasValue) {
      const auto size = testdrive::ParseSize(args[++i]);
      if (!size) return std::nullopt;
      std::tie(o.width, o.height) = *size;
    } else if (a == "--folder" && hasValue) {
      o.folder = args[++i];
    } else if (a == "--set" && hasValue) {
      const std::string setting = args[++i];
      const std::size_t eq = setting.find('=');
      if (eq == std::string::npos || eq == 0) return std::nullopt;
      o.settings.emplace_back(setting.substr(0, eq), setting.substr(eq + 1));
    } else if (a == "--ticks" && hasValue) {
      const auto n = testdrive::ParseInt(args[++i]);
      if (!n || *n < 0) return std::nullopt;
      o.ticks = *n;
    } else if (a == "--calls") {
      o.calls = true;
    } else if (a == "--second") {
      o.second = true;
    } else if (a.rfind("--", 0) == 0) {
      return std::nullopt;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) return std::nullopt;
  o.in = files[0];
  o.out = files[1];
  return o;
}

// Sets a control of the settings window by its name, as a user would.
bool SetControl(TForm3& form3, const std::string& name, const std::string& value) {
  const QString objectName = QString::fromStdString(name);
  if (auto* box = form3.findChild<QCheckBox*>(objectName)) {
    box->setChecked(value == "1" || value == "true" || value == "on");
    return true;
  }
  if (auto* edit = form3.findChild<QLineEdit*>(objectName)) {
    edit->setText(vemu::platform::fromUtf8(value));
    return true;
  }
  if (auto* combo = form3.findChild<QComboBox*>(objectName)) {
    const auto index = testdrive::ParseInt(value);
    if (!index || *index < 0 || *index >= combo->count()) return false;
    combo->setCurrentIndex(*index);
    return true;
  }
  return false;
}

}  // namespace

int RenderCommand(const Args& args) {
  const std::optional<RenderOptions> parsed = ParseRenderArgs(args);
  if (!parsed) {
    std::fprintf(stderr,
                 "render: expected IN.dag OUT.png [--size WxH] [--folder DIR] [--second] [--set CONTROL=VALUE]... "
                 "[--ticks N] [--calls]\n");
    return 2;
  }
  const RenderOptions& o = *parsed;
  // The program enters its own folder at start-up: take the paths first.
  std::error_code ec;
  const std::string in = std::filesystem::absolute(o.in, ec).string();
  const std::string out = std::filesystem::absolute(o.out, ec).string();
  if (!vemu::platform::fileExists(in)) {
    std::fprintf(stderr, "render: cannot read %s\n", o.in.c_str());
    return 2;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!o.folder.empty()) {
    std::string folder = std::filesystem::absolute(o.folder, ec).string();
    if (folder.empty() || folder.back() != '/') folder += '/';
    vemu::platform::setProgramFolder(folder);
  }
  int argc = 1;
  char name[] = "vemu-testdrive";
  char* argv[] = {name, nullptr};
  QApplication application(argc, argv);

  const std::unique_ptr<WindowSet> windows = testdrive::MakeProgramWindows(o.second);
  TForm1& form = *windows->windows().Form1;
  TForm3& form3 = *windows->windows().Form3;
  for (const auto& [control, value] : o.settings) {
    if (!SetControl(form3, control, value)) {
      std::fprintf(stderr, "render: no settings control %s takes %s\n", control.c_str(), value.c_str());
      return 2;
    }
  }
  // The numbers of the settings are copied out as by the window's OK.
  form3.ButtonOKClick();

  // The picture takes exactly the size asked for, below the window's minimum too.
  form.PaintBox1->setMinimumSize(1, 1);
  form.PaintBox1->resize(o.width, o.height);
  form.FormResize();
  if (!form.ReadCircuitFile(in)) return 2;
  // The ticks come from here, not from the clock.
  form.Timer1->stop();
  for (int i = 0; i < o.ticks; ++i) {
    form.Timer1Timer();
    if (!form.Memo1->isHidden()) break;  // the redraw failed and stopped the timer
    form.Timer1->stop();
  }
  if (o.calls) {
    // The canvas calls of one more redraw, as a list.
    vemu::platform::RecordingCanvas recording({o.width, o.height});
    form.DrawAllOn(recording, nullptr, true);
    vemu::platform::SafeFileWriter writer(out);
    writer.write(recording.Text() + "\n");
    if (!writer.commit()) {
      std::fprintf(stderr, "render: cannot write %s\n", o.out.c_str());
      return 3;
    }
    return 0;
  }
  if (o.ticks == 0) form.DrawAll(form.BackBuffer, form.PaintBox1, true);
  if (form.BackBuffer.isNull() || !form.BackBuffer.save(QString::fromStdString(out), "PNG")) {
    std::fprintf(stderr, "render: cannot write %s\n", o.out.c_str());
    return 3;
  }
  return 0;
}
