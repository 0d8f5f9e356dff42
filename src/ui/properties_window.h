// The properties window of a node: name, value and the "Invertion" box; the
// second build's value entry of an amplifier fills it in and runs it.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

class TFrm_Properties : public QDialog {
  Q_OBJECT
 public:
  explicit TFrm_Properties(AppWindows& app, QWidget* parent = nullptr);

  QLineEdit* EditName = nullptr;
  QLineEdit* EditValue = nullptr;
  QCheckBox* Check1Info = nullptr;   // "Invertion", ticked at the start
  QPushButton* ButtonOk = nullptr;   // modal result 1
  QPushButton* ButtonCansel = nullptr;  // modal result 2

  // Enter clicks ButtonOk, Esc clicks ButtonCansel.
  void FormKeyPress(char key);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  AppWindows& app_;
};
