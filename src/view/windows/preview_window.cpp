#include "view/windows/preview_window.h"

TFormSubCircuit::TFormSubCircuit(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormSubCircuit");
  setWindowTitle("SubCircuit");
  app_.FormSubCircuit = this;
}

void TFormSubCircuit::SetNode(vemu::model::TheNode* n) {
  if (!n || n == ShownNode) return;
  ShownNode = n;
}
