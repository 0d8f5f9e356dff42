// The picture chooser for element pictures.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class TFormLoadImage : public QDialog {
  Q_OBJECT
 public:
  explicit TFormLoadImage(AppWindows& app, QWidget* parent = nullptr);

 private:
  AppWindows& app_;
};
