// The About window: a picture (IMAGES/About2.bmp, when it exists) stretched
// over the area left of the credits text.
#pragma once

#include <QDialog>
#include <QImage>
#include <memory>

#include "ui/app_windows.h"

class QTextEdit;

class TForm4 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm4(AppWindows& app, QWidget* parent = nullptr);
  ~TForm4() override;

  QWidget* PaintBox1 = nullptr;  // left of the memo; shows the picture
  QTextEdit* Memo1 = nullptr;    // the credits text, read-only
  // The picture; made only when the file exists (and could be read).
  std::unique_ptr<QImage> Picture;

  // The credits text, one entry a line.
  static const char* const kCreditsLines[];

  // The picture stretched over the whole client rectangle of PaintBox1.
  void PaintBox1Paint(QPainter& painter);
  // Esc closes the window.
  void FormKeyPress(char key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void FormCreate();

  AppWindows& app_;
};
