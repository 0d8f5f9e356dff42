#include "catalogue/windows/picture_chooser.h"

#include <QFile>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

#include "catalogue/picture_files.h"
#include "platform/dialogs.h"
#include "platform/text_file.h"

namespace {

QString FromFileName(const std::string& name) { return QFile::decodeName(QByteArray::fromStdString(name)); }
std::string ToFileName(const QString& name) { return QFile::encodeName(name).toStdString(); }

}  // namespace

TFormLoadImage::TFormLoadImage(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormLoadImage");
  setWindowTitle("Load Image from directory");
  app_.FormLoadImage = this;
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  // Read-only, yet the arrow keys move the caret (and so the preview).
  Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->installEventFilter(this);
  Memo1->viewport()->installEventFilter(this);
  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setMinimumSize(160, 160);
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  auto* column = new QVBoxLayout;
  column->addWidget(Image1, 1);
  column->addWidget(Button1);
  auto* row = new QHBoxLayout(this);
  row->addWidget(Memo1, 1);
  row->addLayout(column, 1);
  resize(420, 280);
}

bool TFormLoadImage::ShowFolder(const std::string& folder) {
  choice_.clear();
  Memo1->clear();
  Image1->clear();
  if (!vemu::platform::directoryExists(folder)) {
    vemu::platform::dialogs().messageBox("Vemu", "Cannot Find Directry\r" + folder, vemu::platform::MsgButtons::Ok,
                                         vemu::platform::MsgIcon::Error);
    return false;
  }
  folder_ = folder;
  for (const std::string& name : vemu::catalogue::ListBitmapFiles(folder)) Memo1->appendPlainText(FromFileName(name));
  Memo1->moveCursor(QTextCursor::Start);
  return true;
}

void TFormLoadImage::Memo1Click() {
  const QString line = Memo1->textCursor().block().text();
  const std::string path = folder_ + (folder_.empty() || folder_.back() == '/' ? "" : "/") + ToFileName(line);
  QImage picture;
  if (!line.isEmpty() && vemu::platform::fileExists(path)) picture.load(QFile::decodeName(QByteArray::fromStdString(path)));
  if (picture.isNull()) {
    setWindowTitle("Erroro image [" + line + "]");
    return;
  }
  choice_ = ToFileName(line);
  setWindowTitle(line);
  Image1->setPixmap(QPixmap::fromImage(picture));
}

void TFormLoadImage::FormKeyPress(char key) {
  if (key != 27) return;
  choice_.clear();
  done(QDialog::Rejected);
}

bool TFormLoadImage::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && watched == Memo1->viewport()) Memo1Click();
  else if (event->type() == QEvent::KeyRelease && watched == Memo1) Memo1KeyUp();
  else if (event->type() == QEvent::KeyPress && watched == Memo1 &&
           static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    FormKeyPress(27);
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

void TFormLoadImage::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    FormKeyPress(27);
    return;
  }
  QDialog::keyPressEvent(event);
}
