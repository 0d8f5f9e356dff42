#include "ui/value_window.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QLabel* NewLabel(QWidget* window, const char* name, const char* caption) {
  auto* label = new QLabel(QString::fromUtf8(caption), window);
  label->setObjectName(name);
  return label;
}

}  // namespace

TFormInputValue::TFormInputValue(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormInputValue");
  app_.FormInputValue = this;

  auto* grid = new QGridLayout(this);
  Label1 = NewLabel(this, "Label1", "Name");
  Label2 = NewLabel(this, "Label2", "Type");
  Label4 = NewLabel(this, "Label4", "Number");
  Value = NewLabel(this, "Value", "Value");
  Label4->hide();
  grid->addWidget(Label1, 0, 0);
  grid->addWidget(Label2, 1, 0);
  grid->addWidget(Label4, 2, 0);
  grid->addWidget(Value, 3, 0);
}
