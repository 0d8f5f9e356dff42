// The settings window. Its controls edit the run's Settings; its creation
// reads IMAGES/start.txt, applies the captions file and starts the main timer.
#pragma once

#include <QDialog>

#include "ui/app_windows.h"

class TForm3 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm3(AppWindows& app, QWidget* parent = nullptr);

  // Applies IMAGES/language2.txt to the captions, hints and type descriptions
  // of all windows.
  void LoadLanguageFile();

 private:
  AppWindows& app_;
};
