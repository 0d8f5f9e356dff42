// The main window's netlist commands.
#include <QPlainTextEdit>

#include "ui/tform1.h"

void TForm1::BuildNetlist(QPlainTextEdit* memo) {
  if (memo) memo->clear();
}
