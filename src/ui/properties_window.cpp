#include "ui/properties_window.h"

TFrm_Properties::TFrm_Properties(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("Frm_Properties");
  app_.Frm_Properties = this;
}
