#include "view/windows/preview_window.h"

#include <QAction>
#include <QMenu>

namespace {

QAction* AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(QString::fromUtf8(caption));
  item->setObjectName(name);
  return item;
}

}  // namespace

TFormSubCircuit::TFormSubCircuit(AppWindows& app, QWidget* parent) : QDialog(parent), app_(app) {
  setObjectName("FormSubCircuit");
  setWindowTitle("SubCircuit");
  app_.FormSubCircuit = this;

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  ZoomIn1 = AddItem(PopupMenu1, "ZoomIn1", "ZoomIn");
  ZoomOut1 = AddItem(PopupMenu1, "ZoomOut1", "ZoomOut");
  DefaultScale1 = AddItem(PopupMenu1, "DefaultScale1", "Default Scale");
}

void TFormSubCircuit::SetNode(vemu::model::TheNode* n) {
  if (!n || n == ShownNode) return;
  ShownNode = n;
}
