#include "ui/about_window.h"

TForm4::TForm4(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("Form4");
  app_.Form4 = this;
}
