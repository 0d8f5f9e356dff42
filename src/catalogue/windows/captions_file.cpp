// The captions file: IMAGES/language2.txt applied to every window. Its
// line order is its only structure (catalogue/captions_table.h); each line
// goes to the targets listed for it. A target whose window or control does
// not exist in this build is passed over.
#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "catalogue/captions_table.h"
#include "catalogue/windows/captions_file.h"
#include "catalogue/windows/settings_window.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/text_codec.h"
#include "platform/text_file.h"
#include "ui/about_window.h"
#include "ui/tform1.h"
#include "ui/value_window.h"
#include "view/windows/preview_window.h"

namespace {

using vemu::catalogue::CaptionKind;
using vemu::catalogue::CaptionWindow;
namespace platform = vemu::platform;

// The longest description a type keeps; its button's hint shows the whole line.
constexpr std::size_t kDescriptionLength = 100;

QObject* FindTarget(QWidget* window, std::string_view name) {
  if (!window) return nullptr;
  if (name.empty()) return window;
  return window->findChild<QObject*>(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
}

void SetCaption(QObject* target, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(target)) action->setText(text);
  else if (auto* menu = qobject_cast<QMenu*>(target)) menu->setTitle(text);
  else if (auto* group = qobject_cast<QGroupBox*>(target)) group->setTitle(text);
  else if (auto* button = qobject_cast<QAbstractButton*>(target)) button->setText(text);
  else if (auto* label = qobject_cast<QLabel*>(target)) label->setText(text);
  else if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->setText(text);
  else if (auto* widget = qobject_cast<QWidget*>(target); widget && widget->isWindow()) widget->setWindowTitle(text);
}

void SetHint(QObject* target, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(target)) {
    action->setToolTip(text);
    action->setStatusTip(text);
  } else if (auto* widget = qobject_cast<QWidget*>(target)) {
    widget->setToolTip(text);
  }
}

void SetText(QObject* target, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(target)) edit->setText(text);
  else SetCaption(target, text);
}

// The windows the lines go to; null where a window does not exist (yet).
struct CaptionWindows {
  TForm1* main = nullptr;
  QWidget* settings = nullptr;
  QWidget* about = nullptr;
  QWidget* preview = nullptr;
  QWidget* value = nullptr;

  QWidget* of(CaptionWindow w) const {
    switch (w) {
      case CaptionWindow::Main: return main;
      case CaptionWindow::Settings: return settings;
      case CaptionWindow::About: return about;
      case CaptionWindow::Preview: return preview;
      case CaptionWindow::Value: return value;
    }
    return nullptr;
  }
};

CaptionWindows WindowsOf(AppWindows& app, QWidget* settings) {
  return {app.Form1, settings, app.Form4, app.FormSubCircuit, app.FormInputValue};
}

bool IsSecondBuild(const TForm1* main) { return main && main->Profile().kind == ProgramKind::Second; }

const vemu::catalogue::CaptionLayout& LayoutFor(bool second) {
  return second ? vemu::catalogue::SecondCaptionLayout() : vemu::catalogue::FullCaptionLayout();
}

std::string CaptionsPath() { return platform::programFolder() + "IMAGES/language2.txt"; }

// The first `count` lines of the file; lines past its end read as empty.
std::vector<std::string> FirstLines(const std::string& bytes, int count) {
  platform::LineReader reader(platform::splitLines(platform::decodeFileText(bytes)));
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int n = 0; n < count; ++n) lines.push_back(reader.next());
  return lines;
}

// Puts each line into its targets, in the order of the layout; with `only`
// set, just the targets in that window.
void ApplyLines(const CaptionWindows& windows, const vemu::catalogue::CaptionLayout& layout,
                const std::vector<std::string>& lines, bool second, std::optional<CaptionWindow> only) {
  TForm1* form1 = windows.main;
  for (const vemu::catalogue::CaptionTarget& target : layout.targets) {
    if (only && target.window != *only) continue;
    const std::string& line = lines[static_cast<std::size_t>(target.line - 1)];
    const QString text = platform::fromUtf8(line);
    QObject* control = FindTarget(windows.of(target.window), target.name);
    switch (target.kind) {
      case CaptionKind::Ignored: break;
      case CaptionKind::Caption: SetCaption(control, text); break;
      case CaptionKind::Hint:
      case CaptionKind::ActionHint: SetHint(control, text); break;
      case CaptionKind::Text: SetText(control, text); break;
      case CaptionKind::FixedTitle:
        if (form1) form1->setWindowTitle(platform::fromUtf8(vemu::catalogue::FixedMainTitle(second)));
        break;
      case CaptionKind::ClearItems:
        if (auto* box = qobject_cast<QComboBox*>(control)) box->clear();
        break;
      case CaptionKind::AddItem:
        if (auto* box = qobject_cast<QComboBox*>(control)) box->addItem(text);
        break;
      case CaptionKind::SelectFirst:
        if (auto* box = qobject_cast<QComboBox*>(control)) box->setCurrentIndex(0);
        break;
      case CaptionKind::Description:
      case CaptionKind::DescriptionText: {
        if (!form1 || target.typeCode < 0) break;
        const auto t = static_cast<std::size_t>(target.typeCode);
        if (t >= form1->NodeTypes.size()) break;
        form1->NodeTypes[t].Uinfo = platform::utf8Left(line, kDescriptionLength);
        // Types that share a button (0 to 2, 25 to 28) set its hint one
        // after another: the last of them wins.
        if (target.kind == CaptionKind::Description && t < form1->ButtonOfType.size() && form1->ButtonOfType[t])
          form1->ButtonOfType[t]->setToolTip(text);
        break;
      }
    }
  }

  // The second build copies descriptions into the palette's hints (and the
  // amplifier menu's captions) once the file has been read.
  if (!form1 || (only && *only != CaptionWindow::Main)) return;
  for (const vemu::catalogue::DescriptionCopy& copy : layout.afterwards) {
    const auto t = static_cast<std::size_t>(copy.typeCode);
    if (t >= form1->NodeTypes.size()) continue;
    const QString text = platform::fromUtf8(form1->NodeTypes[t].Uinfo);
    QObject* control = FindTarget(form1, copy.name);
    if (copy.kind == CaptionKind::Caption) SetCaption(control, text);
    else SetHint(control, text);
  }
}

}  // namespace

void TForm3::LoadLanguageFile() {
  const CaptionWindows windows = WindowsOf(app_, this);
  const bool second = IsSecondBuild(windows.main);

  auto* boxBat = findChild<QComboBox*>("BoxBat");
  const int rememberedBat = boxBat ? boxBat->currentIndex() : -1;

  const std::string path = CaptionsPath();
  const bool exists = platform::fileExists(path);
  std::string reason;
  const std::optional<std::string> bytes =
      exists ? platform::readFileBytes(path, platform::kSettingsReadLimit, &reason) : std::nullopt;
  if (!exists) {
    platform::dialogs().showMessage("Error:Cannot find\n\r" + path);
  } else if (!bytes) {
    // A file that exists but cannot be read changes nothing either.
    platform::dialogs().showMessage(platform::withSizeReason("Error:Cannot read\n\r" + path, reason));
  } else {
    const vemu::catalogue::CaptionLayout& layout = LayoutFor(second);
    ApplyLines(windows, layout, FirstLines(*bytes, layout.lineCount), second, std::nullopt);
  }

  if (boxBat) boxBat->setCurrentIndex(rememberedBat);
  if (windows.main) windows.main->repaint();
}

void ApplyCaptionsFileTo(AppWindows& app, CaptionWindow window) {
  const CaptionWindows windows = WindowsOf(app, app.Form3);
  const bool second = IsSecondBuild(windows.main);
  // A file that cannot be read was said when the captions were first loaded.
  const auto bytes = platform::readFileBytes(CaptionsPath(), platform::kSettingsReadLimit);
  if (!bytes) return;
  const vemu::catalogue::CaptionLayout& layout = LayoutFor(second);
  ApplyLines(windows, layout, FirstLines(*bytes, layout.lineCount), second, window);
}
