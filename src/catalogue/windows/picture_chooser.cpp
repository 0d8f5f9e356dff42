#include "catalogue/windows/picture_chooser.h"

TFormLoadImage::TFormLoadImage(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormLoadImage");
  app_.FormLoadImage = this;
}
