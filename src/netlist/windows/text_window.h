// The text window: its memo holds the netlist, the analysis output and the run log.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class QPlainTextEdit;

class TForm6 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm6(AppWindows& app, QWidget* parent = nullptr);

  QPlainTextEdit* Memo1 = nullptr;

 private:
  AppWindows& app_;
};
