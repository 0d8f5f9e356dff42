// The main window's view commands.
#include <QWidget>

#include "ui/paint_box.h"
#include "ui/tform1.h"

using vemu::model::TheNode;

void TForm1::CenterOnNode(TheNode* node) {
  if (!node) return;
  Graph->MainNode = node->Upper ? node->Upper : node;
  // The node lands at half the width and a quarter of the height of the paint box.
  const int w = PaintBox1->width();
  const int h = PaintBox1->height();
  const vemu::model::TPoint at = View->LogicalToScreen(node->GetPos());
  View->MoveBy(w / 2 - at.x, h / 4 - at.y);
  PaintBox1->update();
}
