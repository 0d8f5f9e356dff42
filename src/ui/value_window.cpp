#include "ui/value_window.h"

TFormInputValue::TFormInputValue(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormInputValue");
  app_.FormInputValue = this;
}
