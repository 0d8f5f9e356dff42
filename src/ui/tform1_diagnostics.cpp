// The diagnostic memo: its pop-up menu, the node tree dump, the listings, the
// Debug command and the memo's toggle on the tool-bar area. The commands
// themselves are plain code (ui/diagnostics.h); the window lends them its
// memo, windows and caption.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QToolBar>

#include "platform/qt/application_window.h"
#include "platform/qt/qt_text.h"
#include "ui/diagnostics.h"
#include "ui/tform1.h"

namespace platform = vemu::platform;
using vemu::ui::ComponentKind;
using vemu::ui::ComponentRecord;
using vemu::ui::FormRecord;

namespace {

bool IsMenuItem(const QAction* action) {
  for (const QObject* holder : action->associatedObjects())
    if (qobject_cast<const QMenu*>(holder)) return true;
  return false;
}

ComponentRecord RecordOf(QObject* component) {
  ComponentRecord record{component->metaObject()->className(), platform::toUtf8(component->objectName()),
                         ComponentKind::Other, {}};
  auto* control = qobject_cast<QWidget*>(component);
  if (control && !control->toolTip().isEmpty()) {
    record.kind = ComponentKind::HintedControl;
    record.text = platform::toUtf8(control->toolTip());
  } else if (auto* label = qobject_cast<QLabel*>(component)) {
    record.kind = ComponentKind::Label;
    record.text = platform::toUtf8(label->text());
  } else if (auto* action = qobject_cast<QAction*>(component); action && IsMenuItem(action)) {
    record.kind = ComponentKind::MenuItem;
    record.text = platform::toUtf8(action->text());
  }
  return record;
}

// The window's own named components; the toolkit's inner parts ("qt_...") are none.
FormRecord FormRecordOf(QWidget& window) {
  FormRecord form{platform::toUtf8(window.objectName()), window.metaObject()->className(),
                  platform::toUtf8(window.windowTitle()), {}};
  for (QObject* component : window.findChildren<QObject*>()) {
    const QString name = component->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_"))) continue;
    form.components.push_back(RecordOf(component));
  }
  return form;
}

class WindowDiagnosticsHost final : public vemu::ui::DiagnosticsHost {
 public:
  explicit WindowDiagnosticsHost(TForm1& form) : form_(form) {}

  vemu::model::TheBaseOfGraf& Graph() override { return *form_.Graph; }
  const vemu::catalogue::NodeTypeTable& NodeTypes() override { return form_.NodeTypes; }
  bool SecondBuild() override { return form_.Profile().kind == ProgramKind::Second; }
  void SetMemoLines(const std::vector<std::string>& lines) override {
    // One text built in place: a long listing is held once, not once more
    // as a list of lines.
    QString text;
    qsizetype bytes = 0;  // UTF-8 bytes: never fewer than the UTF-16 units they give
    for (const std::string& line : lines) bytes += static_cast<qsizetype>(line.size()) + 1;
    text.reserve(bytes);
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (i > 0) text += QLatin1Char('\n');
      text += platform::fromUtf8(lines[i]);
    }
    form_.Memo1->setPlainText(text);
  }
  void AddMemoLine(const std::string& line) override { form_.Memo1->appendPlainText(platform::fromUtf8(line)); }
  bool MemoVisible() override { return !form_.Memo1->isHidden(); }
  void ShowMemo(bool shown, bool withSplitter) override {
    form_.Memo1->setVisible(shown);
    if (shown) form_.Memo1->setEnabled(true);
    if (withSplitter) form_.Splitter1->setVisible(shown);
  }
  std::vector<FormRecord> Forms() override {
    std::vector<FormRecord> forms;
    for (QWidget* window : form_.App().InCreationOrder) forms.push_back(FormRecordOf(*window));
    return forms;
  }
  vemu::ui::WindowHandles Handles() override {
    return {platform::ApplicationWindowHandle(form_), form_.Profile().applicationTitle,
            form_.windowHandle() ? static_cast<std::uint64_t>(form_.winId()) : 0,
            platform::toUtf8(form_.windowTitle())};
  }
  int FileToolBarTop() override { return form_.ToolBarPlace(form_.ToolBarNewSaveLoad).second; }
  void SetCaption(const std::string& text) override { form_.SetCaption(text); }
  void RepairSubCircuitLines() override { form_.CorrectSubCircuitLines(); }

 private:
  TForm1& form_;
};

template <typename Command>
void RunDiagnostics(TForm1& form, Command command) {
  WindowDiagnosticsHost host(form);
  vemu::ui::Diagnostics diagnostics(host);
  (diagnostics.*command)();
}

}  // namespace

void TForm1::Memo1DblClick() { RunDiagnostics(*this, &vemu::ui::Diagnostics::DumpNodeTree); }
void TForm1::ListAllCOmponents1Click() { RunDiagnostics(*this, &vemu::ui::Diagnostics::ListAllComponents); }
void TForm1::DEBUGAllunits1Click() { RunDiagnostics(*this, &vemu::ui::Diagnostics::ListAllTypes); }
void TForm1::DENUGHWND1Click() { RunDiagnostics(*this, &vemu::ui::Diagnostics::ListWindowHandles); }
void TForm1::ToolBarTop1Click() { RunDiagnostics(*this, &vemu::ui::Diagnostics::ReportToolBarTop); }
void TForm1::Debug1Click() { RunDiagnostics(*this, &vemu::ui::Diagnostics::Debug); }

void TForm1::N15Click() { Memo1->copy(); }

void TForm1::ControlBar1MouseDown(Qt::MouseButtons buttons, Qt::KeyboardModifiers keys) {
  if ((buttons & Qt::RightButton) && (keys & Qt::ControlModifier))
    RunDiagnostics(*this, &vemu::ui::Diagnostics::ToggleMemo);
}

bool TForm1::InToolBarArea(const QPoint& at) const {
  const QWidget* central = centralWidget();
  const int top = menuBar() ? menuBar()->geometry().bottom() + 1 : 0;
  return central && at.y() >= top && at.y() < central->geometry().top();
}

void TForm1::ConnectDiagnosticsControls() {
  connect(Debug1, &QAction::triggered, this, [this] { Debug1Click(); });
  if (N14) connect(N14, &QAction::triggered, this, [this] { Memo1DblClick(); });
  if (N15) connect(N15, &QAction::triggered, this, [this] { N15Click(); });
  connect(ListAllCOmponents1, &QAction::triggered, this, [this] { ListAllCOmponents1Click(); });
  connect(DEBUGAllunits1, &QAction::triggered, this, [this] { DEBUGAllunits1Click(); });
  connect(DENUGHWND1, &QAction::triggered, this, [this] { DENUGHWND1Click(); });
  connect(ToolBarTop1, &QAction::triggered, this, [this] { ToolBarTop1Click(); });
}
