#include "ui/properties_window.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFrm_Properties::TFrm_Properties(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("Frm_Properties");
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  app_.Frm_Properties = this;

  auto* column = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  EditName = new QLineEdit(this);
  EditName->setObjectName("EditName");
  EditValue = new QLineEdit(this);
  EditValue->setObjectName("EditValue");
  form->addRow("Name", EditName);
  form->addRow("Value", EditValue);
  column->addLayout(form);
  Check1Info = new QCheckBox("Invertion", this);
  Check1Info->setObjectName("Check1Info");
  Check1Info->setChecked(true);
  column->addWidget(Check1Info);
  auto* buttons = new QHBoxLayout;
  ButtonOk = new QPushButton("Ok", this);
  ButtonOk->setObjectName("ButtonOk");
  ButtonCansel = new QPushButton("Cansel", this);
  ButtonCansel->setObjectName("ButtonCansel");
  // Enter is this window's own key (FormKeyPress), not a default button's.
  ButtonOk->setAutoDefault(false);
  ButtonCansel->setAutoDefault(false);
  connect(ButtonOk, &QPushButton::clicked, this, [this] { done(1); });
  connect(ButtonCansel, &QPushButton::clicked, this, [this] { done(2); });
  buttons->addWidget(ButtonOk);
  buttons->addWidget(ButtonCansel);
  column->addLayout(buttons);
}

void TFrm_Properties::FormKeyPress(char key) {
  if (key == 13) ButtonOk->click();
  else if (key == 27) ButtonCansel->click();
}

void TFrm_Properties::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: FormKeyPress(13); return;
    case Qt::Key_Escape: FormKeyPress(27); return;
    default: QDialog::keyPressEvent(event);
  }
}
