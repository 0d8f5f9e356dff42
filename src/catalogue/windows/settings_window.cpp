#include "catalogue/windows/settings_window.h"

#include <QTimer>

#include "ui/tform1.h"

TForm3::TForm3(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("Form3");
  app_.Form3 = this;
  if (app_.Form1) {
    app_.Form1->Timer1->setInterval(1000 / 20);
    app_.Form1->Timer1->start();
  }
}
