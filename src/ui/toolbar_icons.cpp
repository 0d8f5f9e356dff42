#include "ui/toolbar_icons.h"

#include <QIcon>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QToolBar>
#include <QToolButton>

#include <cmath>
#include <functional>
#include <map>

namespace {

// Every picture is drawn on a 24 x 24 grid and scaled to the size asked for.
using Painter = std::function<void(QPainter&)>;

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kFolder(232, 184, 64);
const QColor kBlue(40, 90, 200);
const QColor kGreen(30, 150, 60);
const QColor kRed(210, 40, 40);

QPen Pen(const QColor& color, double width = 1.6) {
  return QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Page(QPainter& p, bool lines) {
  QPainterPath page;
  page.moveTo(5, 2);
  page.lineTo(15, 2);
  page.lineTo(20, 7);
  page.lineTo(20, 22);
  page.lineTo(5, 22);
  page.closeSubpath();
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawPath(page);
  p.drawPolyline(QPolygonF({QPointF(15, 2), QPointF(15, 7), QPointF(20, 7)}));
  if (lines) {
    p.setPen(Pen(kBlue, 1.2));
    for (int y = 10; y <= 19; y += 3) p.drawLine(QPointF(8, y), QPointF(17, y));
  }
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& color) {
  p.setPen(Pen(color, 2.2));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::hypot(d.x(), d.y());
  if (len <= 0) return;
  const QPointF u = d / len, n(-u.y(), u.x());
  p.setBrush(color);
  p.setPen(Pen(color, 1.0));
  p.drawPolygon(QPolygonF({to + u * 2.0, to - u * 4.0 + n * 3.5, to - u * 4.0 - n * 3.5}));
}

void CurvedArrow(QPainter& p, bool toLeft) {
  QPainterPath path;
  if (toLeft) {
    path.moveTo(19, 19);
    path.cubicTo(21, 10, 14, 6, 7, 9);
  } else {
    path.moveTo(5, 19);
    path.cubicTo(3, 10, 10, 6, 17, 9);
  }
  p.setPen(Pen(kBlue, 2.4));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  const QPointF tip = toLeft ? QPointF(3, 10) : QPointF(21, 10);
  const double s = toLeft ? 1 : -1;
  p.setBrush(kBlue);
  p.setPen(Pen(kBlue, 1.0));
  p.drawPolygon(QPolygonF({tip, tip + QPointF(s * 7, -5), tip + QPointF(s * 6, 5)}));
}

void Magnifier(QPainter& p, const char* mark) {
  p.setPen(Pen(kInk, 2.0));
  p.setBrush(QColor(225, 240, 255));
  p.drawEllipse(QPointF(10, 10), 7, 7);
  p.setPen(Pen(kInk, 3.4));
  p.drawLine(QPointF(15.5, 15.5), QPointF(21, 21));
  p.setPen(Pen(kBlue, 2.0));
  const QString m = QString::fromLatin1(mark);
  if (m.contains('+') || m.contains('-')) p.drawLine(QPointF(6.5, 10), QPointF(13.5, 10));
  if (m.contains('+')) p.drawLine(QPointF(10, 6.5), QPointF(10, 13.5));
  if (m == "1") {
    p.drawLine(QPointF(10, 6), QPointF(10, 14));
    p.drawLine(QPointF(10, 6), QPointF(8, 8));
  }
}

// A small window frame with a title band.
void Frame(QPainter& p, QRectF r) {
  p.setPen(Pen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setBrush(kBlue);
  p.drawRect(QRectF(r.left(), r.top(), r.width(), 4));
}

// A resistor zigzag between x0 and x1 at height y.
void Resistor(QPainter& p, double x0, double x1, double y) {
  QPolygonF zig;
  zig << QPointF(x0, y);
  const double step = (x1 - x0) / 6;
  for (int i = 1; i < 6; ++i) zig << QPointF(x0 + step * i, y + (i % 2 ? -3 : 3));
  zig << QPointF(x1, y);
  p.setPen(Pen(kInk, 1.6));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(zig);
}

const std::map<QString, Painter>& Painters() {
  static const std::map<QString, Painter> painters{
      {"ToolButtonNew", [](QPainter& p) {
         Page(p, false);
         p.setPen(Pen(kGreen, 2.2));
         p.drawLine(QPointF(12.5, 11), QPointF(12.5, 19));
         p.drawLine(QPointF(8.5, 15), QPointF(16.5, 15));
       }},
      {"ToolButtonLoad", [](QPainter& p) {
         p.setPen(Pen(kInk, 1.2));
         p.setBrush(kFolder.darker(115));
         p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(8, 6), QPointF(10, 8), QPointF(20, 8), QPointF(20, 20),
                                  QPointF(2, 20)}));
         p.setBrush(kFolder);
         p.drawPolygon(QPolygonF({QPointF(5, 11), QPointF(23, 11), QPointF(20, 20), QPointF(2, 20)}));
         Arrow(p, QPointF(17, 2), QPointF(17, 9), kGreen);
       }},
      {"ToolButtonSaveAs", [](QPainter& p) {
         p.setPen(Pen(kInk, 1.2));
         p.setBrush(kBlue);
         p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
         p.setBrush(kPaper);
         p.drawRect(QRectF(6, 3, 12, 7));
         p.setBrush(QColor(200, 200, 200));
         p.drawRect(QRectF(7, 14, 10, 7));
         p.setBrush(kInk);
         p.drawRect(QRectF(14, 4.5, 2, 4));
       }},
      {"SpeedButtonUndo", [](QPainter& p) { CurvedArrow(p, true); }},
      {"SpeedButtonRedo", [](QPainter& p) { CurvedArrow(p, false); }},
      {"SpeedButtonDelete", [](QPainter& p) {
         p.setPen(Pen(kRed, 3.2));
         p.drawLine(QPointF(5, 5), QPointF(19, 19));
         p.drawLine(QPointF(19, 5), QPointF(5, 19));
       }},
      {"SpeedButton43", [](QPainter& p) {
         p.setPen(Pen(kBlue.darker(120), 1.2));
         p.setBrush(kBlue);
         p.drawEllipse(QPointF(12, 12), 10, 10);
         p.setPen(Pen(kPaper, 3.0));
         p.drawPoint(QPointF(12, 6.5));
         p.drawLine(QPointF(12, 10.5), QPointF(12, 18));
       }},
      {"ToolButtonSettings", [](QPainter& p) {
         p.setPen(Pen(kInk, 1.0));
         p.setBrush(QColor(150, 150, 160));
         QPolygonF gear;
         for (int i = 0; i < 32; ++i) {
           const double a = i * 3.14159265358979 / 16;
           const double r = (i / 2) % 2 ? 7.0 : 10.0;
           gear << QPointF(12 + r * std::cos(a), 12 + r * std::sin(a));
         }
         p.drawPolygon(gear);
         p.setBrush(kPaper);
         p.drawEllipse(QPointF(12, 12), 3, 3);
       }},
      {"ToolButtonSubWin", [](QPainter& p) {
         Frame(p, QRectF(2, 3, 20, 18));
         p.setPen(Pen(kInk, 1.2));
         p.setBrush(QColor(255, 255, 200));
         p.drawRect(QRectF(7, 10, 10, 8));
         p.drawLine(QPointF(3, 14), QPointF(7, 14));
         p.drawLine(QPointF(17, 14), QPointF(21, 14));
       }},
      {"ToolButtonMainWin", [](QPainter& p) {
         Frame(p, QRectF(2, 3, 20, 18));
         Resistor(p, 4, 20, 14);
       }},
      {"ToolButtonTextWin", [](QPainter& p) {
         Frame(p, QRectF(2, 3, 20, 18));
         p.setPen(Pen(kInk, 1.2));
         for (int y = 11; y <= 19; y += 4) p.drawLine(QPointF(5, y), QPointF(y == 19 ? 13 : 19, y));
       }},
      {"SpeedZoomin", [](QPainter& p) { Magnifier(p, "+"); }},
      {"SpeedZumout", [](QPainter& p) { Magnifier(p, "-"); }},
      {"SpeedButton33", [](QPainter& p) { Magnifier(p, "1"); }},
      {"SBUpHieracy", [](QPainter& p) {
         p.setPen(Pen(kInk, 1.2));
         p.setBrush(QColor(255, 255, 200));
         p.drawRect(QRectF(3, 15, 18, 7));
         Arrow(p, QPointF(12, 14), QPointF(12, 3), kGreen);
       }},
      {"SBDownHieracy", [](QPainter& p) {
         p.setPen(Pen(kInk, 1.2));
         p.setBrush(QColor(255, 255, 200));
         p.drawRect(QRectF(3, 15, 18, 7));
         Arrow(p, QPointF(12, 2), QPointF(12, 13), kBlue);
       }},
      {"FromCtoMButton", [](QPainter& p) {
         Resistor(p, 1, 11, 6);
         Arrow(p, QPointF(6, 10), QPointF(6, 17), kGreen);
         p.setPen(Pen(kInk, 1.2));
         p.setBrush(kPaper);
         p.drawRect(QRectF(11, 9, 11, 13));
         p.setPen(Pen(kBlue, 1.2));
         for (int y = 12; y <= 19; y += 3) p.drawLine(QPointF(13, y), QPointF(20, y));
       }},
      {"RunButton", [](QPainter& p) {
         p.setPen(Pen(kGreen.darker(130), 1.2));
         p.setBrush(kGreen);
         p.drawPolygon(QPolygonF({QPointF(6, 3), QPointF(21, 12), QPointF(6, 21)}));
       }},
      {"SpeedButton1", [](QPainter& p) {
         Page(p, true);
         Arrow(p, QPointF(4, 4), QPointF(4, 17), kRed);
       }},
  };
  return painters;
}

}  // namespace

QImage ToolButtonPicture(const QString& buttonName, int size) {
  const auto it = Painters().find(buttonName);
  if (it == Painters().end() || size < 1) return QImage();
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / 24.0, size / 24.0);
  it->second(painter);
  painter.end();
  return image;
}

void ShowToolButtonPictures(QToolBar* bar) {
  if (!bar) return;
  for (QToolButton* button : bar->findChildren<QToolButton*>()) {
    const QImage picture = ToolButtonPicture(button->objectName());
    if (picture.isNull()) continue;
    QIcon icon;
    icon.addPixmap(QPixmap::fromImage(picture));
    icon.addPixmap(QPixmap::fromImage(ToolButtonPicture(button->objectName(), 48)));
    button->setIcon(icon);
    button->setIconSize(QSize(24, 24));
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
  }
}
