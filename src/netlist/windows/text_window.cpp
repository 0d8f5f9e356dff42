#include "netlist/windows/text_window.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

TForm6::TForm6(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("Form6");
  auto* layout = new QVBoxLayout(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName("Memo1");
  layout->addWidget(Memo1);
  app_.Form6 = this;
}
