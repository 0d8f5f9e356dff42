// The properties window of a node.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class TFrm_Properties : public QDialog {
  Q_OBJECT
 public:
  explicit TFrm_Properties(AppWindows& app, QWidget* parent = nullptr);

 private:
  AppWindows& app_;
};
