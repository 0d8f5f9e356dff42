// The move-to dialog: where a selection moved between levels goes.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class TAskInsertMove : public QDialog {
  Q_OBJECT
 public:
  explicit TAskInsertMove(AppWindows& app, QWidget* parent = nullptr);

 private:
  AppWindows& app_;
};
