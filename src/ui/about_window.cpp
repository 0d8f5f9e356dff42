#include "ui/about_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>

#include "catalogue/windows/captions_file.h"
#include "platform/program_folder.h"
#include "platform/qt/qt_text.h"
#include "platform/text_file.h"

namespace {

// The picture's area: paints through its window.
class AboutPicture final : public QWidget {
 public:
  explicit AboutPicture(TForm4& window) : QWidget(&window), window_(window) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    window_.PaintBox1Paint(painter);
  }

 private:
  TForm4& window_;
};

}  // namespace

const char* const TForm4::kCreditsLines[] = {
    "Vemu",
    "",
    "Circuit editor",
    "for symbolic circuit analysis",
    "",
    "Draw the circuit, build its netlist,",
    "run the analysis programs",
    "and read their results",
    "on the drawing.",
    nullptr,
};

TForm4::TForm4(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("Form4");
  setWindowTitle("About");
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  app_.Form4 = this;
  FormCreate();
  // The settings window applied the captions file before this window
  // existed: take this window's own lines now.
  ApplyCaptionsFileTo(app_, vemu::catalogue::CaptionWindow::About);
}

TForm4::~TForm4() = default;

void TForm4::FormCreate() {
  PaintBox1 = new AboutPicture(*this);
  PaintBox1->setObjectName("PaintBox1");
  PaintBox1->setMinimumSize(160, 160);
  Memo1 = new QTextEdit(this);
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(PaintBox1, 1);
  row->addWidget(Memo1);
  resize(480, 260);

  const std::string path = vemu::platform::programFolder() + "IMAGES/About2.bmp";
  if (vemu::platform::fileExists(path)) {
    auto picture = std::make_unique<QImage>(QString::fromStdString(path));
    if (!picture->isNull()) Picture = std::move(picture);
  }

  Memo1->clear();
  for (const char* const* line = kCreditsLines; *line; ++line) {
    Memo1->append(QString::fromUtf8(*line));
    Memo1->setAlignment(Qt::AlignCenter);
  }
}

void TForm4::PaintBox1Paint(QPainter& painter) {
  if (!Picture) return;
  painter.drawImage(PaintBox1->rect(), *Picture);
}

void TForm4::FormKeyPress(char key) {
  if (key == 27) close();
}

void TForm4::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    FormKeyPress(27);
    return;
  }
  QDialog::keyPressEvent(event);
}
