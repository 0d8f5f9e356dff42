#include "ui/paint_box.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

PaintBox::PaintBox(QWidget* parent) : QWidget(parent) {
  // Every pixel is painted from the back buffer: no background erase.
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void PaintBox::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = event->rect();
  if (!picture_ || picture_->isNull()) {
    painter.fillRect(area, Qt::white);
    return;
  }
  painter.drawImage(area.topLeft(), *picture_, area);
  // What the picture does not cover (right after a resize) stays white.
  const QRect covered = picture_->rect();
  if (!covered.contains(area)) {
    const QRegion rest = QRegion(area).subtracted(QRegion(covered));
    for (const QRect& r : rest) painter.fillRect(r, Qt::white);
  }
}

void PaintBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (OnResize) OnResize();
}

void PaintBox::mousePressEvent(QMouseEvent* event) {
  if (OnMouseDown) OnMouseDown(event);
}

void PaintBox::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(event);
}

void PaintBox::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseUp) OnMouseUp(event);
}

void PaintBox::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && OnDblClick) OnDblClick();
  if (OnMouseDown) OnMouseDown(event);
}
