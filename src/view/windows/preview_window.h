// The sub-circuit preview window: shows one container of the main circuit.
#pragma once

#include <QDialog>

#include "model/graph.h"
#include "ui/app_windows.h"

class QAction;
class QMenu;

class TFormSubCircuit : public QDialog {
  Q_OBJECT
 public:
  explicit TFormSubCircuit(AppWindows& app, QWidget* parent = nullptr);

  // The container shown; a reference into the main window's graph.
  vemu::model::TheNode* ShownNode = nullptr;

  // The zoom menu (opened by a right click on the window).
  QMenu* PopupMenu1 = nullptr;
  QAction* ZoomIn1 = nullptr;
  QAction* ZoomOut1 = nullptr;
  QAction* DefaultScale1 = nullptr;

  // Shows n; nothing happens when n is null or already shown.
  void SetNode(vemu::model::TheNode* n);

 private:
  AppWindows& app_;
};
