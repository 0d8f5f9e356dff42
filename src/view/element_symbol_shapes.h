// The pieces the element symbols are made of, shared by the normal symbol
// and its shadow. Each draws with the canvas's pen and brush as they stand,
// except where it says it sets a pen width.
#pragma once

#include <initializer_list>

#include "view/element_symbols.h"

namespace vemu::view::symbol_shapes {

// A line through the symbol points, in order.
void SymPath(const SymbolFrame& f, std::initializer_list<TPoint> pts);
// A closed, filled figure through the symbol points (at most 8).
void SymPolygon(const SymbolFrame& f, std::initializer_list<TPoint> pts);
// The source circle: a rounded rectangle O - (11, 11) to O + (11, 11), corners 20 x 20.
void Circle(const SymbolFrame& f);
// The arrow and axis strokes of a voltage source (3) and a current source (4).
void VoltageSourceStrokes(const SymbolFrame& f);
void CurrentSourceStrokes(const SymbolFrame& f);
// The meters' arrow on the output side.
void MeterArrow(const SymbolFrame& f);
// The upright V (voltmeter) or A (ammeter) on the unturned grid; pen widths 1 to 3, 1 after.
void MeterLetter(const SymbolFrame& f, bool ammeter);
// Axis line at width 2 with the filled arrowhead, or with the open chevron; width 1 after.
void FilledArrowSensor(const SymbolFrame& f);
void ChevronSensor(const SymbolFrame& f);
// Axis at width 2, then at width 1 one (nullator) or two (norator) filled heads.
void NullatorNorator(const SymbolFrame& f, bool norator);
// Axis line through the box and the filled box.
void Resistor(const SymbolFrame& f);
// The box of a resistor as four lines, unfilled.
void BoxOutline(const SymbolFrame& f);
void InductorLeads(const SymbolFrame& f);
// Three arcs of radius 5 pixels around (-2, 0), (0, 0) and (2, 0).
void InductorHumps(const SymbolFrame& f);
void CapacitorPlates(const SymbolFrame& f);
void CapacitorLeads(const SymbolFrame& f);
// Axis at width 2, then at width 1 the amplifier's body: a blunt
// quadrilateral for 25, a triangle for the others.
void AmplifierBody(const SymbolFrame& f, int type);
// The frame of half-unit points around the box (types 33 and 34).
void OuterFrame(const SymbolFrame& f);
// Whether a sensor-like type draws the filled arrowhead (else the chevron).
// The second build exchanges the current sensor (5) and the voltage sensor (6).
bool FilledArrowSensorType(int type, bool second);

}  // namespace vemu::view::symbol_shapes
