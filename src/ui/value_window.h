// The value window: every field of one node.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class TFormInputValue : public QDialog {
  Q_OBJECT
 public:
  explicit TFormInputValue(AppWindows& app, QWidget* parent = nullptr);

 private:
  AppWindows& app_;
};
