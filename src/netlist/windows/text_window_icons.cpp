#include "netlist/windows/text_window_icons.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <cmath>

namespace {

constexpr int kSize = 32;

void DrawPage(QPainter& p, const char* label) {
  QPolygonF page;
  page << QPointF(3, 2) << QPointF(17, 2) << QPointF(23, 8) << QPointF(23, 29) << QPointF(3, 29);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(Qt::white);
  p.drawPolygon(page);
  p.setBrush(QColor(210, 210, 210));
  p.drawPolygon(QPolygonF() << QPointF(17, 2) << QPointF(17, 8) << QPointF(23, 8));
  p.setPen(QPen(QColor(150, 150, 150), 1));
  for (int y : {12, 15, 18}) p.drawLine(6, y, 19, y);
  QFont font;
  font.setPixelSize(9);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(0, 0, 128));
  p.drawText(QRectF(3, 19, 21, 10), Qt::AlignCenter, QString::fromLatin1(label));
}

void DrawLoadArrow(QPainter& p) {
  QPolygonF arrow;
  arrow << QPointF(24, 8) << QPointF(29, 8) << QPointF(29, 17) << QPointF(32, 17) << QPointF(26.5, 25)
        << QPointF(21, 17) << QPointF(24, 17);
  p.setPen(QPen(QColor(0, 40, 120), 1));
  p.setBrush(QColor(40, 110, 230));
  p.drawPolygon(arrow);
}

void DrawGear(QPainter& p) {
  const QPointF centre(24.5, 22.5);
  QPainterPath gear;
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 2; ++i) {
    const double angle = i * M_PI / kTeeth;
    const double r = i % 2 == 0 ? 7.5 : 5.5;
    const QPointF q(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
    if (i == 0) gear.moveTo(q);
    else gear.lineTo(q);
  }
  gear.closeSubpath();
  gear.addEllipse(centre, 2.2, 2.2);
  gear.setFillRule(Qt::OddEvenFill);
  p.setPen(QPen(QColor(110, 60, 0), 1));
  p.setBrush(QColor(240, 150, 20));
  p.drawPath(gear);
}

void DrawValuesIntoCircuit(QPainter& p) {
  p.setPen(QPen(QColor(0, 100, 0), 2));
  p.drawLine(1, 24, 8, 24);
  p.drawLine(24, 24, 31, 24);
  p.setBrush(QColor(255, 250, 200));
  p.drawRect(QRectF(8, 19, 16, 10));
  QFont font;
  font.setPixelSize(9);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(0, 0, 128));
  p.drawText(QRectF(0, 0, 20, 11), Qt::AlignCenter, QStringLiteral("1.5"));
  QPolygonF arrow;
  arrow << QPointF(22, 1) << QPointF(27, 1) << QPointF(27, 9) << QPointF(30, 9) << QPointF(24.5, 17)
        << QPointF(19, 9) << QPointF(22, 9);
  p.setPen(QPen(QColor(0, 40, 120), 1));
  p.setBrush(QColor(40, 110, 230));
  p.drawPolygon(arrow);
}

}  // namespace

QIcon TextWindowIcon(int tag) {
  QPixmap picture(kSize, kSize);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setRenderHint(QPainter::Antialiasing);
  switch (tag) {
    case 1: DrawPage(p, "CIR"); DrawLoadArrow(p); break;
    case 2: DrawPage(p, "OUT"); DrawLoadArrow(p); break;
    case 3: DrawPage(p, "CLC"); DrawLoadArrow(p); break;
    case 4: DrawPage(p, "CIR"); DrawGear(p); break;
    case 5: DrawPage(p, "OUT"); DrawGear(p); break;
    case 6: DrawPage(p, "CLC"); DrawGear(p); break;
    default: DrawValuesIntoCircuit(p); break;
  }
  p.end();
  return QIcon(picture);
}
