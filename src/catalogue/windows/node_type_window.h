// The element-type window: the table of element types.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class TFormAddNewNodeType : public QDialog {
  Q_OBJECT
 public:
  explicit TFormAddNewNodeType(AppWindows& app, QWidget* parent = nullptr);

 private:
  AppWindows& app_;
};
