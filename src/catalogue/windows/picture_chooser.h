// The picture chooser: lists the bitmap files of one folder, previews the
// file of the line under the text caret (click or arrow keys) and hands back
// the chosen file name when closed with OK.
#pragma once

#include <QDialog>
#include <string>

#include "ui/app_windows.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

class TFormLoadImage : public QDialog {
  Q_OBJECT
 public:
  explicit TFormLoadImage(AppWindows& app, QWidget* parent = nullptr);

  // Prepares the window for `folder`: empties the choice and fills the list;
  // false (after an error box) when the folder does not exist.
  bool ShowFolder(const std::string& folder);
  // Preview of the file on the caret's line (Memo1KeyUp does the same).
  void Memo1Click();
  void Memo1KeyUp() { Memo1Click(); }
  // Esc: empty choice, closed without OK.
  void FormKeyPress(char key);
  void Button1Click() { done(QDialog::Accepted); }

  // The chosen file name (UTF-8, without folder); empty until a preview succeeded.
  const std::string& Choice() const { return choice_; }
  const std::string& Folder() const { return folder_; }

  QPlainTextEdit* Memo1 = nullptr;  // one file name a line
  QLabel* Image1 = nullptr;         // the preview
  QPushButton* Button1 = nullptr;   // "OK"

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  AppWindows& app_;
  std::string folder_;
  std::string choice_;
};
