// The value window: every field of one node.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class QLabel;

class TFormInputValue : public QDialog {
  Q_OBJECT
 public:
  explicit TFormInputValue(AppWindows& app, QWidget* parent = nullptr);

  // Labels of the fields (captions from the captions file).
  QLabel* Value = nullptr;   // beside the value
  QLabel* Label1 = nullptr;  // beside the name
  QLabel* Label2 = nullptr;  // beside the type code
  QLabel* Label4 = nullptr;  // beside the number (hidden)

 private:
  AppWindows& app_;
};
