#include "ui/value_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "catalogue/messages.h"
#include "platform/dialogs.h"
#include "platform/qt/qt_text.h"
#include "ui/tform1.h"
#include "ui/value_fields.h"

using vemu::model::TheNode;
using vemu::platform::fromUtf8;
using vemu::platform::toUtf8;

namespace {

QLabel* NewLabel(QWidget* window, const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromUtf8(caption), window);
  label->setObjectName(name);
  return label;
}

QLineEdit* NewEdit(QWidget* window, const char* name, bool readOnly) {
  auto* edit = new QLineEdit(window);
  edit->setObjectName(name);
  edit->setReadOnly(readOnly);
  return edit;
}

QPushButton* NewButton(QWidget* window, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromUtf8(caption), window);
  button->setObjectName(name);
  button->setAutoDefault(false);
  return button;
}

char KeyChar(const QKeyEvent* key) {
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return 13;
  if (key->key() == Qt::Key_Escape) return 27;
  return 0;
}

// The stores reach the main window through it.
class WindowValueStoreHost final : public vemu::ui::ValueStoreHost {
 public:
  explicit WindowValueStoreHost(TForm1& form) : form_(form) {}
  void PushUndoSnapshot() override { form_.PushUndoSnapshot(); }
  std::string Msg(int index) override { return vemu::catalogue::GetMsg(index); }
  void ShowMessage(const std::string& text) override { vemu::platform::dialogs().showMessage(text); }
  void NumberNets() override { form_.NumberNets(); }
  void SortByName() override { form_.SortByName(); }
  void SetCurrentNode(TheNode* n) override { form_.SetCurrentNode(n); }

 private:
  TForm1& form_;
};

}  // namespace

TFormInputValue::TFormInputValue(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormInputValue");
  app_.FormInputValue = this;

  auto* grid = new QGridLayout(this);
  Label1 = NewLabel(this, "Label1", "Name");
  Label2 = NewLabel(this, "Label2", "Type");
  Label4 = NewLabel(this, "Label4", "Number");
  Value = NewLabel(this, "Value", "Value");
  Image1 = NewLabel(this, "Image1", "");
  Image1->setFixedSize(32, 32);
  Edit1 = NewEdit(this, "Edit1", false);
  Edit2 = NewEdit(this, "Edit2", true);
  Edit3 = NewEdit(this, "Edit3", true);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setFixedHeight(70);
  Memo2 = new QPlainTextEdit(this);
  Memo2->setObjectName("Memo2");
  Memo2->setReadOnly(true);
  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  for (const char* item : vemu::ui::kGroundItems) ComboBox1->addItem(QString::fromUtf8(item));
  CheckBox1 = new QCheckBox(QStringLiteral("Invertion"), this);
  CheckBox1->setObjectName("CheckBox1");
  SpeedButton1 = new QToolButton(this);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setText(QStringLiteral("X"));
  ButtonOK = NewButton(this, "ButtonOK", "OK");
  ButtonCansel = NewButton(this, "ButtonCansel", "Cansel");
  Button1 = NewButton(this, "Button1", "Debug ONLY");

  grid->addWidget(Image1, 0, 0);
  grid->addWidget(SpeedButton1, 0, 1, Qt::AlignLeft);
  grid->addWidget(Label1, 1, 0);
  grid->addWidget(Edit1, 1, 1);
  grid->addWidget(Label2, 2, 0);
  grid->addWidget(Edit2, 2, 1);
  grid->addWidget(Label4, 3, 0);
  grid->addWidget(Edit3, 3, 1);
  grid->addWidget(Value, 4, 0, Qt::AlignTop);
  grid->addWidget(Memo1, 4, 1);
  grid->addWidget(ComboBox1, 5, 1);
  grid->addWidget(CheckBox1, 6, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCansel);
  buttons->addWidget(Button1);
  grid->addLayout(buttons, 7, 0, 1, 2);
  grid->addWidget(Memo2, 8, 0, 1, 2);

  connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(ButtonCansel, &QPushButton::clicked, this, [this] { ButtonCanselClick(); });
  connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  Edit1->installEventFilter(this);
  Memo1->installEventFilter(this);
  FormCreate();
}

void TFormInputValue::FormCreate() {
  Node = nullptr;
  Label4->hide();
  Edit3->hide();
  ComboBox1->hide();
  CheckBox1->hide();
  SpeedButton1->hide();
}

void TFormInputValue::ShowNode(TheNode* n) {
  Node = n;
  Memo1->clear();
  Memo2->clear();
  SpeedButton1->hide();
  if (!n || !app_.Form1) return;
  TForm1& form = *app_.Form1;
  const vemu::ui::ValueTypeFacts facts{
      [&form](std::uint8_t t) { return static_cast<std::size_t>(t) < form.NodeTypes.size() && form.NodeTypes[t].V; },
      [&form](std::uint8_t t) {
        return static_cast<std::size_t>(t) < form.NodeTypes.size() ? form.NodeTypes[t].Uinfo : std::string();
      }};
  const vemu::ui::ValueWindowFields fields = vemu::ui::FieldsOfNode(*form.Graph, *n, facts);

  SpeedButton1->setVisible(fields.subCircuitButton);
  ComboBox1->setVisible(fields.groundVisible);
  if (fields.groundVisible) ComboBox1->setCurrentIndex(fields.groundIndex);
  CheckBox1->setVisible(fields.inversionVisible);
  if (fields.inversionVisible) CheckBox1->setChecked(fields.inversionChecked);

  const bool text = fields.memoStyle == vemu::ui::ValueMemoStyle::Text;
  const auto bars = text ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  Memo1->setHorizontalScrollBarPolicy(bars);
  Memo1->setVerticalScrollBarPolicy(bars);
  Memo1->setLineWrapMode(text ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
  QPalette palette = Memo1->palette();
  palette.setColor(QPalette::Base,
                   fields.memoStyle == vemu::ui::ValueMemoStyle::Result ? QColor(255, 255, 0) : QColor(Qt::white));
  Memo1->setPalette(palette);
  Memo1->setReadOnly(!fields.valueEditable);
  Memo1->setToolTip(fields.hintMessage ? fromUtf8(vemu::catalogue::GetMsg(fields.hintMessage)) : QString());

  Edit1->setText(fromUtf8(fields.name));
  Edit2->setText(fromUtf8(fields.type));
  Edit3->setText(fromUtf8(fields.number));
  QStringList lines;
  for (const std::string& line : fields.valueLines) lines << fromUtf8(line);
  Memo1->setPlainText(lines.join(QLatin1Char('\n')));
  QStringList info;
  for (const std::string& line : fields.info) info << fromUtf8(line);
  Memo2->setPlainText(info.join(QLatin1Char('\n')));
  setWindowTitle(fromUtf8(vemu::catalogue::GetMsg(51)));
  ShowTypePicture(n->NodeType);
}

void TFormInputValue::ShowTypePicture(int type) {
  QImage picture(32, 32, QImage::Format_RGB32);
  picture.fill(Qt::white);
  TForm1& form = *app_.Form1;
  const QAbstractButton* button = nullptr;
  if (vemu::ui::HasSign(type)) {
    button = form.SpeedButton42;
  } else {
    for (const QAbstractButton* b : form.ButtonOfType)
      if (b && ControlTag(b) == type) {
        button = b;
        break;
      }
  }
  if (button) {
    const QImage glyph = button->property("glyph").value<QImage>();
    if (!glyph.isNull()) {
      QPainter painter(&picture);
      painter.drawImage(QPoint(0, 0), glyph, QRect(0, 0, 32, 32));
    }
  }
  Image1->setPixmap(QPixmap::fromImage(picture));
}

void TFormInputValue::ButtonOKClick() {
  TForm1* form = app_.Form1;
  if (!form) return;
  // A node the circuit no longer holds (a circuit replaced meanwhile) is not written to.
  TheNode* n = Node && form->Graph->Contains(Node) ? Node : nullptr;
  vemu::ui::ValueWindowEdits edits;
  edits.name = toUtf8(Edit1->text());
  edits.groundIndex = ComboBox1->currentIndex();
  edits.inversionChecked = CheckBox1->isChecked();
  const QString value = Memo1->toPlainText();
  if (!value.isEmpty())
    for (const QString& line : value.split(QLatin1Char('\n'))) edits.valueLines.push_back(toUtf8(line));
  WindowValueStoreHost host(*form);
  if (!vemu::ui::StoreValueWindow(*form->Graph, n, edits, host)) return;
  done(QDialog::Accepted);
}

void TFormInputValue::ButtonCanselClick() { done(QDialog::Rejected); }

void TFormInputValue::reject() { ButtonCanselClick(); }

void TFormInputValue::FormKeyPress(char key) {
  if (key == 27) ButtonCanselClick();
}

bool TFormInputValue::Edit1KeyPress(char key) {
  if (key != 13) return false;
  ButtonOKClick();
  return true;
}

bool TFormInputValue::Memo1KeyPress(char key) {
  if (key != 13 || !Node || !Node->IsElement() || Node->IsMultiLineText()) return false;
  ButtonOKClick();
  return true;
}

bool TFormInputValue::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const char key = KeyChar(static_cast<QKeyEvent*>(event));
    if (key == 27) {
      FormKeyPress(key);
      return true;
    }
    if (watched == Edit1 && Edit1KeyPress(key)) return true;
    if (watched == Memo1 && Memo1KeyPress(key)) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormInputValue::SpeedButton1Click() {
  // The sub-circuit window command (F8) shows the current container.
  if (app_.Form1 && app_.Form1->ActSubWin) app_.Form1->ActSubWin->trigger();
  done(QDialog::Accepted);
}

void TFormInputValue::Button1Click() {
  TForm1* form = app_.Form1;
  if (!form || !form->Memo1) return;
  const bool shown = !form->Memo1->isHidden();
  form->Memo1->setVisible(!shown);
  if (form->Splitter1) form->Splitter1->setVisible(!shown);
  Edit3->setVisible(!shown);
  Label4->setVisible(!shown);
  if (!shown) form->Memo1DblClick();
}
