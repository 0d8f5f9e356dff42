#include "catalogue/windows/node_type_window.h"

TFormAddNewNodeType::TFormAddNewNodeType(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormAddNewNodeType");
  app_.FormAddNewNodeType = this;
}
