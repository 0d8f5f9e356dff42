#include "catalogue/windows/node_type_window.h"

#include <QCheckBox>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "catalogue/glyphs.h"
#include "catalogue/nodes_info_file.h"
#include "catalogue/picture_files.h"
#include "catalogue/windows/picture_chooser.h"
#include "platform/dialogs.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/text_file.h"
#include "ui/tform1.h"

namespace platform = vemu::platform;
namespace catalogue = vemu::catalogue;

namespace {

constexpr int kGlyphBox = 40;

QLabel* NewImage(QWidget* parent, const char* name, int size) {
  auto* image = new QLabel(parent);
  image->setObjectName(name);
  image->setFixedSize(size, size);
  image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  image->setFrameShape(QFrame::Box);
  return image;
}

template <typename T>
T* Named(T* control, const char* name) {
  control->setObjectName(name);
  return control;
}

// A glyph drawn transparently at (0, 0) on white.
QPixmap OnWhite(const QImage& glyph) {
  QPixmap pixmap(kGlyphBox, kGlyphBox);
  pixmap.fill(Qt::white);
  if (!glyph.isNull()) {
    QPainter painter(&pixmap);
    painter.drawImage(0, 0, catalogue::TransparentGlyph(glyph));
  }
  return pixmap;
}

}  // namespace

TFormAddNewNodeType::TFormAddNewNodeType(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormAddNewNodeType");
  setWindowTitle("Add new node type");
  app_.FormAddNewNodeType = this;
  CreateControls();
}

void TFormAddNewNodeType::CreateControls() {
  Memo1 = Named(new QPlainTextEdit(this), "Memo1");
  Memo1->setReadOnly(true);
  Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->viewport()->installEventFilter(this);
  Label4 = Named(new QLabel(this), "Label4");
  CheckBox1 = Named(new QCheckBox("UseInofLink", this), "CheckBox1");
  Edit1 = Named(new QLineEdit(this), "Edit1");
  Edit2 = Named(new QLineEdit(this), "Edit2");
  CheckBox2 = Named(new QCheckBox("Using Values", this), "CheckBox2");
  Edit3 = Named(new QLineEdit(this), "Edit3");
  CheckBox3 = Named(new QCheckBox("Arrow", this), "CheckBox3");
  CheckBox4 = Named(new QCheckBox("Two chars", this), "CheckBox4");
  Edit4 = Named(new QLineEdit(this), "Edit4");
  Edit5 = Named(new QLineEdit(this), "Edit5");
  Image1 = NewImage(this, "Image1", kGlyphBox);
  Image2 = NewImage(this, "Image2", kGlyphBox);
  Image3 = NewImage(this, "Image3", 96);
  Memo2 = Named(new QPlainTextEdit(this), "Memo2");
  Memo2->setReadOnly(true);
  ButtonOK = Named(new QPushButton("OK", this), "ButtonOK");
  ButtonCansel = Named(new QPushButton("Cansel", this), "ButtonCansel");
  ButtonSave = Named(new QPushButton("Save CFG", this), "ButtonSave");
  ButtonSave->setEnabled(false);
  ButtonLoadFile = Named(new QPushButton("Load CFG", this), "ButtonLoadFile");
  ButtonLoadImg = Named(new QPushButton("...", this), "ButtonLoadImg");
  ButtonLoadImg->setFixedWidth(30);
  for (QPushButton* b : {ButtonOK, ButtonCansel, ButtonSave, ButtonLoadFile, ButtonLoadImg}) b->setAutoDefault(false);

  connect(ButtonOK, &QPushButton::clicked, this, [this] { ButtonOKClick(); });
  connect(ButtonCansel, &QPushButton::clicked, this, [this] { ButtonCanselClick(); });
  connect(ButtonSave, &QPushButton::clicked, this, [this] { ButtonSaveClick(); });
  connect(ButtonLoadFile, &QPushButton::clicked, this, [this] { ButtonLoadFileClick(); });
  connect(ButtonLoadImg, &QPushButton::clicked, this, [this] { ButtonLoadImgClick(); });

  auto* fields = new QGridLayout;
  int row = 0;
  fields->addWidget(Label4, row++, 0, 1, 3);
  fields->addWidget(CheckBox1, row++, 0, 1, 3);
  fields->addWidget(new QLabel("L_in", this), row, 0);
  fields->addWidget(Edit1, row++, 1, 1, 2);
  fields->addWidget(new QLabel("L_out", this), row, 0);
  fields->addWidget(Edit2, row++, 1, 1, 2);
  fields->addWidget(CheckBox2, row++, 0, 1, 3);
  fields->addWidget(new QLabel("Name", this), row, 0);
  fields->addWidget(Edit3, row++, 1, 1, 2);
  fields->addWidget(CheckBox3, row++, 0, 1, 3);
  fields->addWidget(CheckBox4, row++, 0, 1, 3);
  fields->addWidget(new QLabel("File", this), row, 0);
  fields->addWidget(Edit4, row, 1);
  fields->addWidget(ButtonLoadImg, row++, 2);
  fields->addWidget(new QLabel("Info", this), row, 0);
  fields->addWidget(Edit5, row++, 1, 1, 2);
  auto* images = new QHBoxLayout;
  images->addWidget(Image1, 0, Qt::AlignTop);
  images->addWidget(Image2, 0, Qt::AlignTop);
  images->addWidget(Image3, 0, Qt::AlignTop);
  images->addStretch(1);
  fields->addLayout(images, row++, 0, 1, 3);
  fields->setRowStretch(row, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ButtonLoadFile);
  buttons->addWidget(ButtonSave);
  buttons->addStretch(1);
  buttons->addWidget(ButtonOK);
  buttons->addWidget(ButtonCansel);

  auto* right = new QVBoxLayout;
  right->addLayout(fields, 1);
  right->addWidget(Memo2, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(Memo1, 1);
  top->addLayout(right, 1);
  auto* whole = new QVBoxLayout(this);
  whole->addLayout(top, 1);
  whole->addLayout(buttons);
  resize(640, 460);
}

catalogue::NodeTypeTable* TFormAddNewNodeType::Table() const { return app_.Form1 ? &app_.Form1->NodeTypes : nullptr; }

void TFormAddNewNodeType::FillTypeList() {
  current_ = 0;
  ShowType(0);
  Memo1->clear();
  const catalogue::NodeTypeTable* table = Table();
  for (int i = 0; i < catalogue::kNodesInfoTypeCount; ++i) {
    const std::string description =
        table && static_cast<std::size_t>(i) < table->size() ? (*table)[static_cast<std::size_t>(i)].Uinfo : std::string();
    Memo1->appendPlainText(QString("[%1] ").arg(i) + platform::fromUtf8(description));
  }
  Memo1->moveCursor(QTextCursor::Start);
}

void TFormAddNewNodeType::ShowType(int i) {
  const catalogue::NodeTypeTable* table = Table();
  if (i < 0 || i >= catalogue::kNodesInfoTypeCount || !table || static_cast<std::size_t>(i) >= table->size()) {
    platform::dialogs().messageBox("Vemu", "Error unit type", platform::MsgButtons::Ok, platform::MsgIcon::Error);
    return;
  }
  current_ = i;
  const catalogue::TNodeTypeInfo& t = (*table)[static_cast<std::size_t>(i)];
  Label4->setText(QString("NAME: %1 type").arg(i));
  CheckBox1->setChecked(t.UseInfoLink);
  Edit1->setText(QString::number(t.L_in));
  Edit2->setText(QString::number(t.L_out));
  CheckBox2->setChecked(t.V);
  Edit3->setText(platform::fromCp1251(std::string(1, t.L_types)));
  CheckBox3->setChecked(t.Flag_Arrow);
  CheckBox4->setChecked(t.TwoChars);
  Edit4->setText(platform::fromCp1251(t.filename.str()));
  Edit5->setText(platform::fromUtf8(t.Uinfo));
  Edit4->setCursorPosition(0);
  Edit5->setCursorPosition(0);
  Image1->setPixmap(OnWhite(t.B0));
  Image2->setPixmap(OnWhite(t.BS));
  const std::string path = catalogue::PicturePath(platform::imagesFolder(), t.filename.str());
  QImage picture;
  if (!t.filename.empty() && platform::fileExists(path)) picture.load(platform::fromUtf8(path));
  if (picture.isNull()) Image3->clear();
  else Image3->setPixmap(QPixmap::fromImage(picture.width() > Image3->width() || picture.height() > Image3->height()
                                                ? picture.scaled(Image3->size(), Qt::KeepAspectRatio)
                                                : picture));
}

void TFormAddNewNodeType::Memo1Click() { ShowType(Memo1->textCursor().blockNumber()); }

void TFormAddNewNodeType::ButtonLoadImgClick() {
  TFormLoadImage* chooser = app_.FormLoadImage;
  if (!chooser || !app_.Form1 || !chooser->ShowFolder(platform::imagesFolder())) return;
  if (app_.Form1->ShowModalWindow(*chooser) != QDialog::Accepted) return;
  setWindowTitle(QFile::decodeName(QByteArray::fromStdString(chooser->Choice())));
  catalogue::NodeTypeTable* table = Table();
  if (table && current_ >= 0 && static_cast<std::size_t>(current_) < table->size())
    (*table)[static_cast<std::size_t>(current_)].filename = catalogue::PictureNameOf(chooser->Choice());
  ShowType(current_);
}

void TFormAddNewNodeType::ButtonSaveClick() {
  const std::string path = catalogue::NodesInfoPath();
  setWindowTitle(platform::fromUtf8(path));
  const catalogue::NodeTypeTable* table = Table();
  std::string error;
  if (!catalogue::WriteNodesInfo(table ? *table : catalogue::NodeTypeTable{}, path, error))
    platform::dialogs().messageBox("Vemu", error, platform::MsgButtons::Ok, platform::MsgIcon::Error);
}

void TFormAddNewNodeType::ButtonLoadFileClick() {
  const std::string path = catalogue::NodesInfoPath();
  std::string reason;
  const auto lines =
      platform::fileExists(path) ? platform::readLines(path, platform::kSettingsReadLimit, &reason) : std::nullopt;
  if (!lines) {
    platform::dialogs().messageBox("Vemu", platform::withSizeReason("Cannot open file\r" + path, reason),
                                   platform::MsgButtons::Ok, platform::MsgIcon::Error);
    return;
  }
  Memo2->clear();
  ButtonSave->setEnabled(true);
  catalogue::NodeTypeTable empty;
  catalogue::NodeTypeTable* table = Table();
  for (const std::string& line : catalogue::LoadPictureNames(table ? *table : empty, *lines))
    Memo2->appendPlainText(platform::fromCp1251(line));
}

void TFormAddNewNodeType::FormKeyPress(char key) {
  if (key == 27) done(QDialog::Rejected);
}

bool TFormAddNewNodeType::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && watched == Memo1->viewport()) Memo1Click();
  return QDialog::eventFilter(watched, event);
}

void TFormAddNewNodeType::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    FormKeyPress(27);
    return;
  }
  QDialog::keyPressEvent(event);
}
