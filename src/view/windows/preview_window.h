// The sub-circuit preview window: shows one container of the main circuit.
#pragma once

#include <QDialog>

#include "model/graph.h"
#include "ui/app_windows.h"

class TFormSubCircuit : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSubCircuit(AppWindows& app, QWidget* parent = nullptr);

  // The container shown; a reference into the main window's graph.
  vemu::model::TheNode* ShownNode = nullptr;

  // Shows n; nothing happens when n is null or already shown.
  void SetNode(vemu::model::TheNode* n);

 private:
  AppWindows& app_;
};
