// The About window.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class TForm4 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm4(AppWindows& app, QWidget* parent = nullptr);

 private:
  AppWindows& app_;
};
