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
  page << QPointF(1.5, 1.5) << QPointF(15, 1.5) << QPointF(21, 7.5) << QPointF(21, 30.5) << QPointF(1.5, 30.5);
  p.setPen(QPen(QColor(40, 40, 40), 1));
  p.setBrush(Qt::white);
  p.drawPolygon(page);
  p.setBrush(QColor(210, 210, 210));
  p.drawPolygon(QPolygonF() << QPointF(15, 1.5) << QPointF(15, 7.5) << QPointF(21, 7.5));
  QFont font;
  font.setPixelSize(8);
  font.setBold(true);
  p.setFont(font);
  p.setPen(QColor(0, 0, 128));
  p.drawText(QRectF(1.5, 8, 19.5, 10), Qt::AlignCenter, QString::fromLatin1(label));
  p.setPen(QPen(QColor(150, 150, 150), 1));
  for (int y : {21, 24, 27}) p.drawLine(4, y, 15, y);
}

void DrawLoadArrow(QPainter& p) {
  QPolygonF arrow;
  arrow << QPointF(24, 12) << QPointF(29, 12) << QPointF(29, 21) << QPointF(32, 21) << QPointF(26.5, 30)
        << QPointF(21, 21) << QPointF(24, 21);
  p.setPen(QPen(QColor(0, 40, 120), 1));
  p.setBrush(QColor(40, 110, 230));
  p.drawPolygon(arrow);
}

void DrawGear(QPainter& p) {
  const QPointF centre(24.5, 24);
  QPainterPath gear;
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 2; ++i) {
    const double angle = i * M_PI / kTeeth;
    const double r = i % 2 == 0 ? 7.3 : 5.3;
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
