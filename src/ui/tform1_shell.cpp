// The element-type window's command and the commands that reach outside the
// program: registering the circuit file type with the desktop, fetching the
// web page, bringing the plot program's window to the front, and window
// message 1025 shown in the caption.
#include <QAction>

#include "catalogue/windows/node_type_window.h"
#include "ui/tform1.h"

void TForm1::AddNewNodeTypeClick() {
  TFormAddNewNodeType* window = App().FormAddNewNodeType;
  if (!window) return;
  window->FillTypeList();
  ShowModalWindow(*window);
}

void TForm1::ConnectShellControls() {
  if (AddNewNodeType) {
    AddNewNodeType->setEnabled(Profile().hasElementTypeWindow);
    connect(AddNewNodeType, &QAction::triggered, this, [this] { AddNewNodeTypeClick(); });
  }
}
