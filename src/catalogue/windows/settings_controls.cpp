// The controls of the settings window and their ties to the Settings.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QVBoxLayout>

#include "catalogue/windows/settings_updown.h"
#include "catalogue/windows/settings_window.h"
#include "platform/qt/qt_text.h"
#include "platform/text_file.h"

using vemu::catalogue::Settings;
namespace platform = vemu::platform;

namespace {

QGroupBox* NewGroup(QWidget* parent, const char* name, const char* caption) {
  auto* group = new QGroupBox(QString::fromUtf8(caption), parent);
  group->setObjectName(name);
  new QGridLayout(group);
  return group;
}

QGridLayout* GridOf(QGroupBox* group) { return static_cast<QGridLayout*>(group->layout()); }

void AddRow(QGroupBox* group, QWidget* wide) {
  QGridLayout* grid = GridOf(group);
  grid->addWidget(wide, grid->rowCount(), 0, 1, 3);
}

void AddRow(QGroupBox* group, QWidget* label, QWidget* edit, QWidget* arrows = nullptr) {
  QGridLayout* grid = GridOf(group);
  const int row = grid->rowCount();
  grid->addWidget(label, row, 0);
  grid->addWidget(edit, row, 1);
  if (arrows) grid->addWidget(arrows, row, 2);
}

QLabel* NewLabel(QWidget* parent, const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(name);
  return label;
}

UpDownArrows* NewArrows(QLineEdit* edit, const char* name, int minimum, int maximum) {
  auto* arrows = new UpDownArrows(edit, minimum, maximum, edit->parentWidget());
  arrows->setObjectName(name);
  return arrows;
}

}  // namespace

QCheckBox* TForm3::AddCheck(QGroupBox* box, const char* name, const char* caption, bool Settings::*field) {
  auto* check = new QCheckBox(QString::fromUtf8(caption), box);
  check->setObjectName(name);
  AddRow(box, check);
  connect(check, &QCheckBox::toggled, this, [this, field](bool on) {
    if (!showing_) settings().*field = on;
  });
  checks_.push_back({check, field});
  return check;
}

QLineEdit* TForm3::AddTextEdit(const char* name, std::string Settings::*field) {
  auto* edit = new QLineEdit(this);
  edit->setObjectName(name);
  connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
    // Each text is one line of start.txt (and one of the netlist): a pasted
    // line break becomes a blank.
    if (!showing_) settings().*field = platform::oneLine(platform::toCp1251(text));
  });
  texts_.push_back({edit, field});
  return edit;
}

QLineEdit* TForm3::AddColourEdit(QLineEdit* edit, const char* name, std::uint32_t Settings::*field) {
  if (!edit) {
    // A colour only: its text is a caption, not a setting.
    edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setReadOnly(true);
  }
  edit->installEventFilter(this);
  colours_.push_back({edit, field});
  return edit;
}

void TForm3::ShowColour(QLineEdit* edit, std::uint32_t colour) {
  QPalette palette = edit->palette();
  const QColor shown = platform::colorFromRef(colour);
  palette.setColor(QPalette::Base, shown);
  palette.setColor(QPalette::Window, shown);
  edit->setPalette(palette);
}

void TForm3::CreateControls() {
  setObjectName("Form3");
  setWindowTitle("Settings");

  GroupBox1 = NewGroup(this, "GroupBox1", "Shadow settings");
  GroupBox2 = NewGroup(this, "GroupBox2", "Other");
  GroupBox3 = NewGroup(this, "GroupBox3", "Nodes");
  GroupBox4 = NewGroup(this, "GroupBox4", "Lines");

  // The edits first: the check boxes and rows below are laid out group by group.
  EditTimer = AddTextEdit("EditTimer", &Settings::EditTimer);
  EditSpeedLines = AddTextEdit("EditSpeedLines", &Settings::EditSpeedLines);
  Edit1 = AddTextEdit("Edit1", &Settings::Edit1);
  EditArrowSize = AddTextEdit("EditArrowSize", &Settings::EditArrowSize);
  EditLine1Color = AddTextEdit("EditLine1Color", &Settings::EditLine1Color);
  EditLine2Color = AddTextEdit("EditLine2Color", &Settings::EditLine2Color);
  EditLine3Color = AddTextEdit("EditLine3Color", &Settings::EditLine3Color);
  EditGrid = AddTextEdit("EditGrid", &Settings::EditGrid);
  EditTLine = AddTextEdit("EditTLine", &Settings::EditTLine);
  EditAdditionalStr = AddTextEdit("EditAdditionalStr", &Settings::EditAdditionalStr);
  // The arrows are the only way to change these.
  for (QLineEdit* e : {EditTimer, EditSpeedLines, Edit1, EditArrowSize, EditLine1Color, EditLine2Color,
                       EditLine3Color})
    e->setReadOnly(true);

  AddColourEdit(EditLine1Color, "EditLine1Color", &Settings::Line1Color);
  AddColourEdit(EditLine2Color, "EditLine2Color", &Settings::Line2Color);
  AddColourEdit(EditLine3Color, "EditLine3Color", &Settings::Line3Color);
  EditInfoColor = AddColourEdit(nullptr, "EditInfoColor", &Settings::InfoColor);
  AddColourEdit(EditGrid, "EditGrid", &Settings::GridColor);
  AddColourEdit(EditTLine, "EditTLine", &Settings::TLineColor);
  EditTBrush = AddColourEdit(nullptr, "EditTBrush", &Settings::TBrushColor);
  EditTColor = AddColourEdit(nullptr, "EditTColor", &Settings::TColorColor);
  EditInfoColor->setText("Dependently line");
  EditTBrush->setText("TextBrush");
  EditTColor->setText("TextColor");

  UpDownTimer = NewArrows(EditTimer, "UpDownTimer", 1, 40);
  UpDownSpeedLines = NewArrows(EditSpeedLines, "UpDownSpeedLines", 1, 10);
  UpDown1 = NewArrows(Edit1, "UpDown1", 1, 10);
  UpDownArrowSize = NewArrows(EditArrowSize, "UpDownArrowSize", 0, 30);
  UpDownLine1 = NewArrows(EditLine1Color, "UpDownLine1", 1, 10);
  UpDownLine2 = NewArrows(EditLine2Color, "UpDownLine2", 1, 10);
  UpDownLine3 = NewArrows(EditLine3Color, "UpDownLine3", 1, 10);
  UpDownGrid = NewArrows(EditGrid, "UpDownGrid", 0, 100);
  UpDownTLine = NewArrows(EditTLine, "UpDownTLine", 0, 100);

  Label1 = NewLabel(this, "Label1", "Speed of timer num/sec");
  Label2 = NewLabel(this, "Label2", "Speed of lines");
  Label3 = NewLabel(this, "Label3", "After point");
  Label4 = NewLabel(this, "Label4", "Arrow size");
  Label5 = NewLabel(this, "Label5", "Color and width of line 0");
  Label6 = NewLabel(this, "Label6", "Color and width of line 1");
  Label7 = NewLabel(this, "Label7", "Color and width of line 2");
  Label8 = NewLabel(this, "Label8", "Size of Grid");
  LabelText = NewLabel(this, "LabelText", "Text Line clolor");
  LabelBatBox = NewLabel(this, "LabelBatBox", "Computation Type");

  BoxBat = new QComboBox(this);
  BoxBat->setObjectName("BoxBat");
  connect(BoxBat, &QComboBox::currentIndexChanged, this, [this](int index) {
    // While the list is refilled it has no selection for a moment; the
    // computation type stays meanwhile.
    if (!showing_ && index >= 0) settings().BoxBat = index;
  });

  // Shadows and the decoration.
  CheckShadow = AddCheck(GroupBox1, "CheckShadow", "Shadow on/off", &Settings::CheckShadow);
  CheckShadowMoving = AddCheck(GroupBox1, "CheckShadowMoving", "Shadow Moving", &Settings::CheckShadowMoving);
  CheckCross = AddCheck(GroupBox1, "CheckCross", "Cross on/off", &Settings::CheckCross);
  AddRow(GroupBox1, Label1, EditTimer, UpDownTimer);

  // Nodes and text notes.
  CheckNodeMove = AddCheck(GroupBox3, "CheckNodeMove", "Node Moves", &Settings::CheckNodeMove);
  CheckNamesSee = AddCheck(GroupBox3, "CheckNamesSee", "Names visible", &Settings::CheckNamesSee);
  CheckValues = AddCheck(GroupBox3, "CheckValues", "Values visible", &Settings::CheckValues);
  Checknodes = AddCheck(GroupBox3, "Checknodes", "Nodes visible", &Settings::Checknodes);
  CheckTransparency = AddCheck(GroupBox3, "CheckTransparency", "transparency", &Settings::CheckTransparency);
  CheckImages = AddCheck(GroupBox3, "CheckImages", "CheckImages", &Settings::CheckImages);
  CheckEye = AddCheck(GroupBox3, "CheckEye", "Eye", &Settings::CheckEye);
  CheckDrawAndCreate =
      AddCheck(GroupBox3, "CheckDrawAndCreate", "Automaticaly Create Node", &Settings::CheckDrawAndCreate);
  CheckDoubleIn = AddCheck(GroupBox3, "CheckDoubleIn", "Test DoubleNodes", &Settings::CheckDoubleIn);
  CheckBox1 = AddCheck(GroupBox3, "CheckBox1", "EnableEqualNames", &Settings::CheckBox1);
  AddRow(GroupBox3, LabelText, EditTLine, UpDownTLine);
  AddRow(GroupBox3, EditTBrush);
  AddRow(GroupBox3, EditTColor);

  // Lines.
  CheckLineMove = AddCheck(GroupBox4, "CheckLineMove", "Line Moves", &Settings::CheckLineMove);
  CheckPlusMines = AddCheck(GroupBox4, "CheckPlusMines", "(+,-) On ALL", &Settings::CheckPlusMines);
  CheckPMonCurrent = AddCheck(GroupBox4, "CheckPMonCurrent", "(+,-) On selected", &Settings::CheckPMonCurrent);
  AddRow(GroupBox4, Label2, EditSpeedLines, UpDownSpeedLines);
  AddRow(GroupBox4, Label4, EditArrowSize, UpDownArrowSize);
  AddRow(GroupBox4, Label5, EditLine1Color, UpDownLine1);
  AddRow(GroupBox4, Label6, EditLine2Color, UpDownLine2);
  AddRow(GroupBox4, Label7, EditLine3Color, UpDownLine3);
  AddRow(GroupBox4, EditInfoColor);

  // Grid, netlist, results and the rest.
  CheckSeeGrid = AddCheck(GroupBox2, "CheckSeeGrid", "CheckSeeGrid", &Settings::CheckSeeGrid);
  CheckUseGrid = AddCheck(GroupBox2, "CheckUseGrid", "CheckUseGrid", &Settings::CheckUseGrid);
  CheckFitToGridOnMoving =
      AddCheck(GroupBox2, "CheckFitToGridOnMoving", "CheckFitToGridOnMoving", &Settings::CheckFitToGridOnMoving);
  AddRow(GroupBox2, Label8, EditGrid, UpDownGrid);
  CheckAdditionalString =
      AddCheck(GroupBox2, "CheckAdditionalString", "CheckAdditionalString", &Settings::CheckAdditionalString);
  AddRow(GroupBox2, EditAdditionalStr);
  CheckBox2 = AddCheck(GroupBox2, "CheckBox2", "Need Ground Node", &Settings::CheckBox2);
  CheckNodeToCenterIfError = AddCheck(GroupBox2, "CheckNodeToCenterIfError", "Node To Center If Error",
                                      &Settings::CheckNodeToCenterIfError);
  CheckTreeActionByOnePress = AddCheck(GroupBox2, "CheckTreeActionByOnePress", "TreeActionByOnePress",
                                       &Settings::CheckTreeActionByOnePress);
  CheckAutoLoadOutFile =
      AddCheck(GroupBox2, "CheckAutoLoadOutFile", "CheckAutoLoadOutFile", &Settings::CheckAutoLoadOutFile);
  CheckLoadDigitAnywere =
      AddCheck(GroupBox2, "CheckLoadDigitAnywere", "CheckLoadDigitAnywere", &Settings::CheckLoadDigitAnywere);
  CheckUpdateDigitsOnCircuit = AddCheck(GroupBox2, "CheckUpdateDigitsOnCircuit", "CheckUpdateDigitsOnCircuit",
                                        &Settings::CheckUpdateDigitsOnCircuit);
  CheckAutoLoadClcFile =
      AddCheck(GroupBox2, "CheckAutoLoadClcFile", "CheckAutoLoadClcFile", &Settings::CheckAutoLoadClcFile);
  AddRow(GroupBox2, Label3, Edit1, UpDown1);
  CheckWindowDelete = AddCheck(GroupBox2, "CheckWindowDelete", "Window On Delete", &Settings::CheckWindowDelete);
  AddRow(GroupBox2, LabelBatBox, BoxBat);

  ButtonOK = new QPushButton("OK", this);
  ButtonOK->setObjectName("ButtonOK");
  ButtonSAVE = new QPushButton("SAVE", this);
  ButtonSAVE->setObjectName("ButtonSAVE");
  Button1 = new QPushButton("setup.sym", this);
  Button1->setObjectName("Button1");
  // Enter in an edit presses none of them.
  for (QPushButton* b : {ButtonOK, ButtonSAVE, Button1}) b->setAutoDefault(false);
  connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(ButtonSAVE, &QPushButton::clicked, this, [this] { ButtonSAVEClick(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

  // Rows keep their natural height; the space left goes below them.
  for (QGroupBox* group : {GroupBox1, GroupBox2, GroupBox3, GroupBox4})
    GridOf(group)->setRowStretch(GridOf(group)->rowCount(), 1);
  auto* groups = new QGridLayout();
  groups->addWidget(GroupBox1, 0, 0);
  groups->addWidget(GroupBox4, 1, 0);
  groups->addWidget(GroupBox3, 0, 1, 2, 1);
  groups->addWidget(GroupBox2, 0, 2, 2, 1);
  auto* buttons = new QHBoxLayout();
  buttons->addWidget(Button1);
  buttons->addStretch(1);
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonSAVE);
  auto* column = new QVBoxLayout(this);
  column->addLayout(groups);
  column->addLayout(buttons);
}
