// Name and value editing: the node fields Edit2 and Edit3 with "New"
// (Button2), the ground mark cycle, and the value entry of one node (the
// value window, or the second build's input box and properties window).
// The rules live in model/name_rules and model/value_entry.
#include <QCheckBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

#include "catalogue/messages.h"
#include "model/name_rules.h"
#include "model/value_entry.h"
#include "platform/dialogs.h"
#include "platform/qt/qt_dialogs.h"
#include "platform/qt/qt_text.h"
#include "ui/properties_window.h"
#include "ui/tform1.h"
#include "ui/tform1_editing_host.h"
#include "ui/value_window.h"

using vemu::model::TheNode;
namespace platform = vemu::platform;

int TForm1::ShowModalWindow(QDialog& dialog) {
  if (RunModalWindow) return RunModalWindow(dialog);
  // Without a display nobody could close the window: it counts as cancelled.
  if (QGuiApplication::platformName() == QLatin1String("offscreen")) return 2;
  platform::BelongToOpeningModal(dialog);
  return dialog.exec();
}

namespace {

// The modal result: 1 Ok, 2 cancel.
int RunModal(TForm1& form, QDialog& dialog) { return form.ShowModalWindow(dialog); }

std::string FieldText(const QLineEdit* edit) { return edit ? platform::toCp1251(edit->text()) : std::string(); }

// The properties window's controls (the window makes them).
struct PropertiesControls {
  QLineEdit* EditName = nullptr;
  QLineEdit* EditValue = nullptr;
  QCheckBox* Check1Info = nullptr;
};

PropertiesControls PropertiesControlsOf(TFrm_Properties& window) {
  return {window.EditName, window.EditValue, window.Check1Info};
}

// The second build's value entry, lent the main window.
class Form1ValueEntryHost final : public vemu::model::ValueEntryHost {
 public:
  explicit Form1ValueEntryHost(TForm1& form) : form_(form) {}

  std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                     const std::string& initial) override {
    return platform::dialogs().inputQuery(caption, prompt, initial);
  }
  bool AskAmplifierProperties(vemu::model::AmplifierProperties& fields) override {
    TFrm_Properties* window = form_.App().Frm_Properties;
    if (!window) return false;
    const PropertiesControls c = PropertiesControlsOf(*window);
    window->setWindowTitle(platform::fromUtf8(fields.caption));
    c.EditName->setText(platform::fromCp1251(fields.name));
    c.EditValue->setText(platform::fromCp1251(fields.value));
    c.Check1Info->setChecked(fields.inverted);
    const int result = RunModal(form_, *window);
    if (result != 1) return false;
    fields.name = platform::toCp1251(c.EditName->text());
    fields.value = platform::toCp1251(c.EditValue->text());
    fields.inverted = c.Check1Info->isChecked();
    return true;
  }
  std::string Msg(int index) override { return vemu::catalogue::GetMsg(index); }
  void ShowWarning(const std::string& text) override {
    platform::dialogs().messageBox("Vemu", text, platform::MsgButtons::Ok, platform::MsgIcon::Warning);
  }
  std::string TypeDescription(int type) override {
    if (type < 0 || static_cast<std::size_t>(type) >= form_.NodeTypes.size()) return std::string();
    return form_.NodeTypes[static_cast<std::size_t>(type)].Uinfo;
  }
  void PushUndoSnapshot() override { form_.PushUndoSnapshot(); }
  void SetModified() override { form_.Modified = 1; }
  void SetCurrentNode(TheNode* node) override { form_.SetCurrentNode(node); }
  void StoreThroughFields(const std::string& name, const std::string& value) override {
    form_.Edit2->setText(platform::fromCp1251(name));
    form_.Edit3->setText(platform::fromCp1251(value));
    form_.Button2Click();
  }
  void SetIgnoreMouseDown() override { form_.IgnoreMouseDown = 1; }
  void ResetMouseState() override { form_.MouseState = 0; }

 private:
  TForm1& form_;
};

// Enter and Space of the value field, Enter of the name field, the click
// into the value field.
class NamingFieldFilter final : public QObject {
 public:
  NamingFieldFilter(TForm1& form, QLineEdit* field) : QObject(field), form_(form), field_(field) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != field_) return false;
    if (event->type() == QEvent::MouseButtonRelease && field_ == form_.Edit3) {
      form_.Edit3Click();
      return false;
    }
    if (event->type() != QEvent::KeyPress) return false;
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    char key = 0;
    if (keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter) key = 13;
    else if (keyEvent->key() == Qt::Key_Space) key = ' ';
    else return false;
    if (field_ == form_.Edit3) {
      form_.Edit3KeyPress(key);
      return key == 0;
    }
    form_.Edit2KeyPress(key);
    return false;
  }

 private:
  TForm1& form_;
  QLineEdit* field_;
};

}  // namespace

void TForm1::Button2Click() {
  Form1EditingHost host(*this);
  vemu::model::StoreNameAndValue(*Graph, FieldText(Edit2), FieldText(Edit3), host);
}

void TForm1::Edit3KeyPress(char& key) {
  if ((key != 13 && key != ' ') || !Graph->CurrentNode) return;
  key = 0;
  Form1EditingHost host(*this);
  vemu::model::QuickStoreValue(*Graph, FieldText(Edit2), FieldText(Edit3), host);
}

void TForm1::Edit3Click() {
  char key = 13;
  Edit3KeyPress(key);
}

void TForm1::Edit2KeyPress(char& key) {
  if (key != 13 || !Graph->CurrentNode) return;
  Form1EditingHost host(*this);
  vemu::model::QuickStoreName(*Graph, FieldText(Edit2), host);
}

void TForm1::GroundNode1Click() {
  Form1EditingHost host(*this);
  vemu::model::CycleGround(*Graph, Graph->MainNode, host);
}

void TForm1::RenameClick() {
  TheNode* n = Graph->CurrentNode;
  if (Profile().kind == ProgramKind::Second) {
    EditNodeValue(n);
    return;
  }
  if (!n) {
    Form1EditingHost(*this).ShowWarning(vemu::catalogue::GetMsg(56));
    return;
  }
  EditNodeValue(n);
}

void TForm1::EditNodeValue(TheNode* n) {
  if (!n) return;
  if (Profile().kind == ProgramKind::Second) {
    Form1ValueEntryHost host(*this);
    vemu::model::EditNodeValue(n, host);
    return;
  }
  TFormInputValue* window = App().FormInputValue;
  if (!window) return;
  window->ShowNode(n);
  RunModal(*this, *window);
}

void ConnectNamingFields(TForm1& form) {
  if (form.Button2) QObject::connect(form.Button2, &QPushButton::clicked, &form, [&form] { form.Button2Click(); });
  for (QLineEdit* field : {form.Edit2, form.Edit3})
    if (field) field->installEventFilter(new NamingFieldFilter(form, field));
}
