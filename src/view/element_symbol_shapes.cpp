#include "view/element_symbol_shapes.h"

#include <iterator>

namespace vemu::view::symbol_shapes {

// A line through the symbol points, from the first on.
void SymPath(const SymbolFrame& f, std::initializer_list<TPoint> pts) {
  bool first = true;
  for (const TPoint& p : pts) {
    if (first) f.SymMoveTo(p.x, p.y);
    else f.SymLineTo(p.x, p.y);
    first = false;
  }
}

void SymPolygon(const SymbolFrame& f, std::initializer_list<TPoint> pts) {
  TPoint screen[8];
  std::size_t n = 0;
  for (const TPoint& p : pts) {
    if (n == std::size(screen)) break;
    screen[n++] = f.SymRotate(p.x, p.y);
  }
  f.canvas().Polygon(std::span<const TPoint>(screen, n));
}

void Circle(const SymbolFrame& f) {
  const TPoint o = f.Origin();
  f.canvas().RoundRect(o.x - 11, o.y - 11, o.x + 11, o.y + 11, 20, 20);
}

void VoltageSourceStrokes(const SymbolFrame& f) {
  SymPath(f, {{-3, 0}, {0, 0}, {0, 1}, {1, 0}, {0, -1}, {0, 0}});
  SymPath(f, {{1, 0}, {3, 0}});
}

void CurrentSourceStrokes(const SymbolFrame& f) {
  SymPath(f, {{-3, 0}, {0, 0}, {-1, 1}});
  SymPath(f, {{-1, -1}, {0, 0}});
  SymPath(f, {{0, 1}, {1, 0}, {0, -1}});
  SymPath(f, {{1, 0}, {3, 0}});
}

void MeterArrow(const SymbolFrame& f) {
  SymPath(f, {{2, 0}, {4, 0}, {3, 1}});
  SymPath(f, {{4, 0}, {3, -1}});
}

// The upright V of the voltmeter and A of the ammeter.
void MeterLetter(const SymbolFrame& f, bool ammeter) {
  Canvas& c = f.canvas();
  if (ammeter) {
    c.pen.Width = 1;
    f.SymGridMoveTo(-1, 0);
    f.SymGridLineTo(1, 0);
    c.pen.Width = 2;
    f.SymGridMoveTo(-1, -1);
    f.SymGridLineTo(0, 1);
    c.pen.Width = 3;
    f.SymGridLineTo(1, -1);
  } else {
    c.pen.Width = 2;
    f.SymGridMoveTo(-1, 1);
    f.SymGridLineTo(0, -1);
    c.pen.Width = 3;
    f.SymGridLineTo(1, 1);
  }
  c.pen.Width = 1;
}

void FilledArrowSensor(const SymbolFrame& f) {
  Canvas& c = f.canvas();
  c.pen.Width = 2;
  SymPath(f, {{-3, 0}, {3, 0}});
  SymPolygon(f, {{2, 1}, {3, 0}, {2, -1}});
  c.pen.Width = 1;
}

void ChevronSensor(const SymbolFrame& f) {
  Canvas& c = f.canvas();
  c.pen.Width = 2;
  SymPath(f, {{-3, 0}, {3, 0}});
  SymPath(f, {{0, 1}, {1, 0}, {0, -1}});
  c.pen.Width = 1;
}

void NullatorNorator(const SymbolFrame& f, bool norator) {
  Canvas& c = f.canvas();
  c.pen.Width = 2;
  SymPath(f, {{-3, 0}, {3, 0}});
  c.pen.Width = 1;
  if (norator) SymPolygon(f, {{-1, 2}, {0, 0}, {-1, -2}});
  SymPolygon(f, {{0, 2}, {1, 0}, {0, -2}});
}

void Resistor(const SymbolFrame& f) {
  SymPath(f, {{3, 0}, {-3, 0}});
  SymPolygon(f, {{2, 1}, {-2, 1}, {-2, -1}, {2, -1}});
}

void BoxOutline(const SymbolFrame& f) { SymPath(f, {{2, 1}, {-2, 1}, {-2, -1}, {2, -1}, {2, 1}}); }

void InductorLeads(const SymbolFrame& f) {
  SymPath(f, {{-4, 0}, {-3, 0}});
  SymPath(f, {{3, 0}, {4, 0}});
}

// Three humps: arcs of radius 5 pixels around (-2, 0), (0, 0) and (2, 0),
// counter-clockwise from the ray toward (4, 1) to the ray toward (-4, 1).
void InductorHumps(const SymbolFrame& f) {
  const TPoint s = f.SymRotate(4, 1);
  const TPoint e = f.SymRotate(-4, 1);
  for (std::int32_t a : {-2, 0, 2}) {
    const TPoint c = f.SymRotate(a, 0);
    f.canvas().Arc(c.x - 5, c.y - 5, c.x + 5, c.y + 5, s.x, s.y, e.x, e.y);
  }
}

void CapacitorPlates(const SymbolFrame& f) {
  SymPath(f, {{1, 2}, {1, -2}});
  SymPath(f, {{0, -2}, {0, 2}});
}

void CapacitorLeads(const SymbolFrame& f) {
  SymPath(f, {{-2, 0}, {0, 0}});
  SymPath(f, {{1, 0}, {3, 0}});
}

void AmplifierBody(const SymbolFrame& f, int type) {
  Canvas& c = f.canvas();
  c.pen.Width = 2;
  SymPath(f, {{-4, 0}, {4, 0}});
  c.pen.Width = 1;
  if (type == 25) SymPolygon(f, {{-2, 4}, {2, 1}, {2, -1}, {-2, -4}});
  else SymPolygon(f, {{-2, 4}, {2, 0}, {-2, -4}});
}

void OuterFrame(const SymbolFrame& f) {
  Canvas& c = f.canvas();
  c.MoveTo(f.SymRotateF(2.5, 1.5));
  c.LineTo(f.SymRotateF(-2.5, 1.5));
  c.LineTo(f.SymRotateF(-2.5, -1.5));
  c.LineTo(f.SymRotateF(2.5, -1.5));
  c.LineTo(f.SymRotateF(2.5, 1.5));
}

// The second build draws the current sensor (5) with the chevron and the
// voltage sensor (6) with the filled arrowhead.
bool FilledArrowSensorType(int type, bool second) {
  if (type == 5) return !second;
  if (type == 6) return second;
  return type == 11 || type == 15;
}

}  // namespace vemu::view::symbol_shapes
