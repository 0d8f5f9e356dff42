#include "ui/about_window.h"

#include "catalogue/windows/captions_file.h"

TForm4::TForm4(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("Form4");
  setWindowTitle("About");
  app_.Form4 = this;
  // The settings window applied the captions file before this window
  // existed: take this window's own lines now.
  ApplyCaptionsFileTo(app_, vemu::catalogue::CaptionWindow::About);
}
