// geometry: answers JSON requests on the view transform, the drawing
// primitives, the drawn links, the link painters and the view commands,
// one request per line of stdin and one answer per line of stdout (see
// README.md).
#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/settings.h"
#include "model/graph.h"
#include "platform/recording_canvas.h"
#include "testdrive/commands.h"
#include "testdrive/gesture_geometry.h"
#include "view/draw_context.h"
#include "view/draw_primitives.h"
#include "view/my_line.h"
#include "view/my_scale.h"
#include "view/redraw.h"
#include "view/shadow.h"
#include "view/view_commands.h"
#include "view/view_globals.h"
#include "view/wires.h"

namespace {

using vemu::model::TPoint;
using vemu::platform::RecordingCanvas;
using vemu::view::TMyLine;
using vemu::view::TMyScale;
using vemu::view::TRect;

struct BadRequest : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// --- reading arguments ---

const QJsonValue& Need(const QJsonObject& o, const char* name, QJsonValue& holder) {
  holder = o.value(QLatin1String(name));
  if (holder.isUndefined()) throw BadRequest(std::string("missing argument: ") + name);
  return holder;
}

std::int32_t Int(const QJsonValue& v, const char* name) {
  const double d = v.toDouble(std::nan(""));
  if (!v.isDouble() || d != std::floor(d) || d < -2147483648.0 || d > 2147483647.0)
    throw BadRequest(std::string("not a 32-bit integer: ") + name);
  return static_cast<std::int32_t>(d);
}

std::int32_t Int(const QJsonObject& o, const char* name) {
  QJsonValue v;
  return Int(Need(o, name, v), name);
}

std::int32_t Int(const QJsonObject& o, const char* name, std::int32_t fallback) {
  return o.contains(QLatin1String(name)) ? Int(o, name) : fallback;
}

double Real(const QJsonObject& o, const char* name) {
  QJsonValue v;
  if (!Need(o, name, v).isDouble()) throw BadRequest(std::string("not a number: ") + name);
  return v.toDouble();
}

bool Flag(const QJsonObject& o, const char* name, bool fallback = false) {
  const QJsonValue v = o.value(QLatin1String(name));
  if (v.isUndefined()) return fallback;
  if (!v.isBool()) throw BadRequest(std::string("not true or false: ") + name);
  return v.toBool();
}

TPoint Point(const QJsonValue& v, const char* name) {
  const QJsonArray a = v.toArray();
  if (!v.isArray() || a.size() != 2) throw BadRequest(std::string("not a point [x, y]: ") + name);
  return {Int(a[0], name), Int(a[1], name)};
}

TPoint Point(const QJsonObject& o, const char* name) {
  QJsonValue v;
  return Point(Need(o, name, v), name);
}

// A list of points [[x, y], ...]; none when absent.
std::vector<TPoint> Points(const QJsonObject& o, const char* name) {
  const QJsonValue v = o.value(QLatin1String(name));
  if (v.isUndefined()) return {};
  if (!v.isArray()) throw BadRequest(std::string("not a list of points: ") + name);
  std::vector<TPoint> points;
  for (const QJsonValue& p : v.toArray()) points.push_back(Point(p, name));
  return points;
}

TRect Rect(const QJsonObject& o, const char* name) {
  const QJsonValue v = o.value(QLatin1String(name));
  if (v.isUndefined()) return {};
  const QJsonArray a = v.toArray();
  if (!v.isArray() || a.size() != 4) throw BadRequest(std::string("not a rectangle [l, t, r, b]: ") + name);
  return {Int(a[0], name), Int(a[1], name), Int(a[2], name), Int(a[3], name)};
}

// "view": {"Scale", "OriginX", "OriginY", "WinRect", "ItemsRect", "MaxRect"}; a new view when absent.
TMyScale View(const QJsonObject& request) {
  TMyScale v;
  const QJsonValue value = request.value(QLatin1String("view"));
  if (value.isUndefined()) return v;
  if (!value.isObject()) throw BadRequest("not an object: view");
  const QJsonObject o = value.toObject();
  if (o.contains(QLatin1String("Scale"))) v.Scale = Real(o, "Scale");
  if (!(v.Scale > 0) || !std::isfinite(v.Scale)) throw BadRequest("Scale must be positive");
  v.OriginX = Int(o, "OriginX", 0);
  v.OriginY = Int(o, "OriginY", 0);
  v.WinRect = Rect(o, "WinRect");
  v.ItemsRect = Rect(o, "ItemsRect");
  v.MaxRect = Rect(o, "MaxRect");
  return v;
}

// --- writing results ---

QJsonArray Json(TPoint p) { return {p.x, p.y}; }
QJsonArray Json(const TRect& r) { return {r.Left, r.Top, r.Right, r.Bottom}; }

QJsonObject Json(const TMyScale& v) {
  return {{"Scale", v.Scale},        {"OriginX", v.OriginX},           {"OriginY", v.OriginY},
          {"WinRect", Json(v.WinRect)}, {"ItemsRect", Json(v.ItemsRect)}, {"MaxRect", Json(v.MaxRect)}};
}

QJsonObject Json(const TMyLine& l) {
  return {{"Kind", l.Kind},
          {"Countdown", l.Countdown},
          {"SwingPoint", Json(l.SwingPoint)},
          {"RestPoint", Json(l.RestPoint)},
          {"CurPoint", Json(l.CurPoint)}};
}

QJsonArray Json(const vemu::view::CurveCall& c) { return {Json(c.A), Json(c.B), Json(c.C)}; }

QJsonObject Json(const vemu::platform::Pen& pen) {
  static const char* const kStyles[] = {"solid", "dot", "dashdot"};
  return {{"Color", static_cast<qint64>(pen.Color)},
          {"Width", pen.Width},
          {"Style", kStyles[static_cast<int>(pen.Style)]}};
}

// The line segments a recording canvas received, in order, as [x1, y1, x2, y2]
// (and the pen's width as a fifth value when withWidth).
QJsonArray Segments(const RecordingCanvas& canvas, std::size_t from = 0, bool withWidth = false) {
  QJsonArray segments;
  for (std::size_t i = from; i < canvas.calls.size(); ++i) {
    const std::string& call = canvas.calls[i];
    if (call.rfind("line ", 0) != 0) continue;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0, width = 0;
    unsigned color = 0;
    if (std::sscanf(call.c_str(), "line %d %d %d %d pen:%6x/%d", &x1, &y1, &x2, &y2, &color, &width) != 6) continue;
    QJsonArray segment{x1, y1, x2, y2};
    if (withWidth) segment.append(width);
    segments.append(segment);
  }
  return segments;
}

// ArrowSize for the length of one request.
struct ArrowSizeScope {
  int saved = vemu::view::ArrowSize;
  explicit ArrowSizeScope(const QJsonObject& request) {
    vemu::view::ArrowSize = Int(request, "ArrowSize", vemu::view::ArrowSize);
  }
  ~ArrowSizeScope() { vemu::view::ArrowSize = saved; }
};

// --- the functions ---

using Handler = std::function<QJsonObject(const QJsonObject&)>;

QJsonObject DrawSegments(const QJsonObject& r, const std::function<void(RecordingCanvas&)>& draw) {
  ArrowSizeScope arrow(r);
  RecordingCanvas canvas;
  draw(canvas);
  return {{"segments", Segments(canvas)}};
}

// A drawn link from "L": {"Kind", "Countdown", "SwingPoint", "RestPoint", "CurPoint"}.
void ReadLink(const QJsonObject& r, TMyLine& l) {
  QJsonValue v;
  if (!Need(r, "L", v).isObject()) throw BadRequest("not an object: L");
  const QJsonObject o = v.toObject();
  l.Kind = static_cast<std::uint8_t>(Int(o, "Kind", 6));
  l.Countdown = Int(o, "Countdown", 0);
  l.RestPoint = Point(o, "RestPoint");
  l.SwingPoint = o.contains(QLatin1String("SwingPoint")) ? Point(o, "SwingPoint") : l.RestPoint;
  l.CurPoint = o.contains(QLatin1String("CurPoint")) ? Point(o, "CurPoint") : l.RestPoint;
}

// "SecondBuild": true draws by the second build's rules.
vemu::model::ModelVariant Variant(const QJsonObject& r) {
  return Flag(r, "SecondBuild") ? vemu::model::ModelVariant::Second : vemu::model::ModelVariant::Full;
}

vemu::catalogue::Settings MarkSettings(const QJsonObject& r) {
  vemu::catalogue::Settings s;
  s.CheckPlusMines = Flag(r, "CheckPlusMines");
  s.CheckPMonCurrent = Flag(r, "CheckPMonCurrent");
  return s;
}

QJsonObject DrawWireRequest(const QJsonObject& r) {
  ArrowSizeScope arrow(r);
  const TMyScale view = View(r);
  const vemu::catalogue::Settings settings = MarkSettings(r);
  vemu::view::DrawContext dc;
  dc.view = &view;
  dc.settings = &settings;
  dc.ShadowPhase = Int(r, "ShadowPhase", 0);
  dc.RedrawRequest = Flag(r, "RedrawRequest");
  dc.Variant = Variant(r);
  TMyLine l(nullptr, nullptr);
  ReadLink(r, l);
  const TPoint p = Point(r, "P");
  const TPoint q = Point(r, "Q");
  const bool shadow = Flag(r, "Shadow");
  const bool current = Flag(r, "Current");

  QJsonObject answer;
  const std::optional<vemu::view::CurveCall> curve = vemu::view::WireCurve(dc, l, p, q, shadow);
  std::size_t curveCalls = 0;
  if (curve) {
    answer["curve"] = Json(*curve);
    RecordingCanvas scratch;
    vemu::view::DrawCurvedArrow(curve->A, curve->B, curve->C, scratch);
    curveCalls = scratch.calls.size();
  }
  RecordingCanvas canvas;
  vemu::view::DrawWire(dc, l, p, q, canvas, shadow, current);
  answer["L"] = Json(l);
  answer["segments"] = Segments(canvas);
  answer["marks"] = Segments(canvas, curveCalls);
  answer["Pen"] = Json(canvas.pen);
  return answer;
}

// "N": {"NodeType", "X", "Y", "lines": [{"Kind", "target"}]} where target is
// an index into "nodes" ([[x, y], ...]) or null for a link without target.
QJsonObject DrawProbeLinkRequest(const QJsonObject& r) {
  ArrowSizeScope arrow(r);
  const TMyScale view = View(r);
  vemu::view::DrawContext dc;
  dc.view = &view;
  dc.ShadowPhase = Int(r, "ShadowPhase", 0);
  dc.Variant = Variant(r);
  const bool shadow = Flag(r, "Shadow");

  std::vector<std::unique_ptr<vemu::model::TheNode>> nodes;
  for (const QJsonValue& v : r.value(QLatin1String("nodes")).toArray()) {
    const TPoint at = Point(v, "nodes");
    nodes.push_back(std::make_unique<vemu::model::TheNode>());
    nodes.back()->X = at.x;
    nodes.back()->Y = at.y;
    nodes.back()->NodeType = 2;
  }
  QJsonValue nv;
  if (!Need(r, "N", nv).isObject()) throw BadRequest("not an object: N");
  const QJsonObject no = nv.toObject();
  vemu::model::TheNode n;
  n.NodeType = static_cast<std::uint8_t>(Int(no, "NodeType", 31));
  n.X = Int(no, "X", 0);
  n.Y = Int(no, "Y", 0);
  std::unique_ptr<vemu::model::TheLine>* tail = &n.FirstLine;
  for (const QJsonValue& lv : no.value(QLatin1String("lines")).toArray()) {
    const QJsonObject lo = lv.toObject();
    auto line = std::make_unique<TMyLine>(nullptr, nullptr);
    line->Kind = static_cast<std::uint8_t>(Int(lo, "Kind", 6));
    const QJsonValue target = lo.value(QLatin1String("target"));
    if (!target.isNull() && !target.isUndefined()) {
      const std::int32_t index = Int(target, "target");
      if (index < 0 || static_cast<std::size_t>(index) >= nodes.size()) throw BadRequest("no such node: target");
      line->Node = nodes[static_cast<std::size_t>(index)].get();
    }
    *tail = std::move(line);
    tail = &(*tail)->Next;
  }

  RecordingCanvas canvas;
  if (no.contains(QLatin1String("PenColor"))) canvas.pen.Color = static_cast<std::uint32_t>(Int(no, "PenColor"));
  vemu::view::DrawProbeLink(dc, &n, shadow, canvas);
  const vemu::view::ProbeCurves curves = vemu::view::ProbeLinkCurves(dc, &n, shadow);
  QJsonArray calls;
  for (int i = 0; i < curves.count; ++i) calls.append(Json(curves.calls[static_cast<std::size_t>(i)]));
  return {{"curves", calls}, {"segments", Segments(canvas)}, {"Pen", Json(canvas.pen)}};
}

// "N1", "N2": [x, y] or null; "steps": how many Steps; "LineSpeed", "LineMoves".
QJsonObject MyLineRequest(const QJsonObject& r) {
  auto node = [&](const char* name) -> std::unique_ptr<vemu::model::TheNode> {
    const QJsonValue v = r.value(QLatin1String(name));
    if (v.isNull() || v.isUndefined()) return nullptr;
    const TPoint at = Point(v, name);
    auto n = std::make_unique<vemu::model::TheNode>();
    n->X = at.x;
    n->Y = at.y;
    return n;
  };
  const auto n1 = node("N1");
  const auto n2 = node("N2");
  TMyLine l(n1.get(), n2.get());
  QJsonObject answer = Json(l);
  answer.remove("Kind");
  const int steps = Int(r, "steps", 0);
  if (steps < 0 || steps > 100000) throw BadRequest("steps must be 0 to 100000");
  const int saved = vemu::view::LineSpeed;
  vemu::view::LineSpeed = Int(r, "LineSpeed", saved);
  const bool moves = Flag(r, "LineMoves", true);
  QJsonArray stepped;
  for (int i = 0; i < steps; ++i) {
    l.Step(moves);
    stepped.append(QJsonObject{{"Countdown", l.Countdown}, {"CurPoint", Json(l.CurPoint)}});
  }
  answer["steps"] = stepped;
  answer["LineSpeed"] = vemu::view::LineSpeed;
  vemu::view::LineSpeed = saved;
  return answer;
}

// --- the view commands ---

using vemu::view::ScrollBarState;

// The window the view commands act on: a view, a paint box of "PaintBox"
// [w, h] (default: the view's WinRect right and bottom), a shown level with
// junctions at "members" ([[x, y], ...]; "level": false for none) and
// "SecondBuild" for the second build's scroll-bar rule.
class DriverViewHost final : public vemu::view::ViewHost {
 public:
  explicit DriverViewHost(const QJsonObject& r) : view_(::View(r)) {
    const TPoint size = r.contains(QLatin1String("PaintBox")) ? Point(r, "PaintBox")
                                                              : TPoint{view_.WinRect.Right, view_.WinRect.Bottom};
    box_ = {0, 0, size.x, size.y};
    rule_ = Flag(r, "SecondBuild") ? vemu::view::ScrollRule::SecondBuild : vemu::view::ScrollRule::Full;
    if (Flag(r, "level", true)) {
      level_ = graph_.AddNode(nullptr, 1);
      const QJsonValue members = r.value(QLatin1String("members"));
      if (!members.isUndefined() && !members.isArray()) throw BadRequest("not a list of points: members");
      for (const QJsonValue& v : members.toArray()) {
        const TPoint at = Point(v, "members");
        vemu::model::TheNode* n = graph_.AddNode(level_, 2);
        n->X = at.x;
        n->Y = at.y;
        graph_.AddLine(-1, level_, n, vemu::model::alHaveItem);
      }
    }
  }
  TMyScale& View() override { return view_; }
  TRect PaintBoxRect() const override { return box_; }
  const vemu::model::TheNode* ShownLevel() const override { return level_; }
  vemu::view::ScrollRule Rule() const override { return rule_; }
  void SetStatusText(int panel, const std::string& text) override {
    if (panel >= 0 && panel < 3) status_[panel] = text;
  }
  void ShowScrollBars(const ScrollBarState&, const ScrollBarState&) override {}
  void Redraw() override { ++redraws_; }

  const std::string& Status(int panel) const { return status_[panel]; }
  int Redraws() const { return redraws_; }

 private:
  TMyScale view_;
  TRect box_;
  vemu::view::ScrollRule rule_ = vemu::view::ScrollRule::Full;
  vemu::model::TheBaseOfGraf graph_;
  vemu::model::TheNode* level_ = nullptr;
  std::string status_[3];
  int redraws_ = 0;
};

QJsonObject Json(const ScrollBarState& bar) {
  return {{"Position", bar.Position}, {"PageSize", bar.PageSize}, {"LargeChange", bar.LargeChange}};
}

// "ScrollBar1" / "ScrollBar2": {"Position", "PageSize", "LargeChange"}, each optional.
void ReadBar(const QJsonObject& r, const char* name, ScrollBarState& bar) {
  const QJsonValue v = r.value(QLatin1String(name));
  if (v.isUndefined()) return;
  if (!v.isObject()) throw BadRequest(std::string("not an object: ") + name);
  const QJsonObject o = v.toObject();
  bar.Position = Int(o, "Position", bar.Position);
  bar.PageSize = Int(o, "PageSize", bar.PageSize);
  bar.LargeChange = Int(o, "LargeChange", bar.LargeChange);
}

// Runs one view command and answers with the view, both bars, status panel
// 2 and the number of redraws it asked for.
QJsonObject ViewCommandRequest(const QJsonObject& r,
                               const std::function<void(vemu::view::ViewCommands&, DriverViewHost&)>& command) {
  DriverViewHost host(r);
  vemu::view::ViewCommands commands(host);
  ReadBar(r, "ScrollBar1", commands.ScrollBar1);
  ReadBar(r, "ScrollBar2", commands.ScrollBar2);
  command(commands, host);
  return {{"view", Json(host.View())},        {"ScrollBar1", Json(commands.ScrollBar1)},
          {"ScrollBar2", Json(commands.ScrollBar2)}, {"status", QString::fromStdString(host.Status(2))},
          {"redraws", host.Redraws()}};
}

// "steps" zoom steps in (or out) from the view's scale: the scale and
// status panel 2 after each step.
QJsonObject ZoomStepsRequest(const QJsonObject& r, bool in) {
  const int steps = Int(r, "steps", 1);
  if (steps < 0 || steps > 1000) throw BadRequest("steps must be 0 to 1000");
  QJsonArray after;
  QJsonObject answer = ViewCommandRequest(r, [&](vemu::view::ViewCommands& c, DriverViewHost& host) {
    for (int i = 0; i < steps; ++i) {
      if (in) c.ZoomIn();
      else c.ZoomOut();
      after.append(QJsonObject{{"Scale", host.View().Scale}, {"status", QString::fromStdString(host.Status(2))}});
    }
  });
  answer["steps"] = after;
  return answer;
}

void AddViewCommands(std::map<std::string, Handler>& table) {
  table["SnapToGrid"] = [](const QJsonObject& r) {
    return QJsonObject{{"result", vemu::view::SnapToGrid(Int(r, "v"), Int(r, "GridStep", 15))}};
  };
  table["ComputeItemsRect"] = [](const QJsonObject& r) {
    return ViewCommandRequest(r, [](vemu::view::ViewCommands& c, DriverViewHost&) { c.ComputeItemsRect(); });
  };
  table["UpdateScrollBars"] = [](const QJsonObject& r) {
    return ViewCommandRequest(r, [](vemu::view::ViewCommands& c, DriverViewHost&) { c.UpdateScrollBars(); });
  };
  table["ScrollBar1Scroll"] = [](const QJsonObject& r) {
    // The scroll's first step on a copy shows the bars as held and the
    // origin moved before the bars are recomputed.
    QJsonObject held, moved;
    QJsonObject answer = ViewCommandRequest(r, [&](vemu::view::ViewCommands& c, DriverViewHost& host) {
      TMyScale view = host.View();
      ScrollBarState horizontal = c.ScrollBar1, vertical = c.ScrollBar2;
      vemu::view::ScrollViewToBars(view, horizontal, vertical);
      held = {{"ScrollBar1", Json(horizontal)}, {"ScrollBar2", Json(vertical)}};
      moved = {{"OriginX", view.OriginX}, {"OriginY", view.OriginY}};
      c.Scroll();
    });
    answer["held"] = held;
    answer["moved"] = moved;
    return answer;
  };
  table["SetZoom"] = [](const QJsonObject& r) {
    const double value = Real(r, "Value");
    if (!(value > 0) || !std::isfinite(value)) throw BadRequest("Value must be positive");
    return ViewCommandRequest(r, [value](vemu::view::ViewCommands& c, DriverViewHost&) { c.SetZoom(value); });
  };
  table["SpeedZoominClick"] = [](const QJsonObject& r) { return ZoomStepsRequest(r, true); };
  table["SpeedZumoutClick"] = [](const QJsonObject& r) { return ZoomStepsRequest(r, false); };
  table["Default1Click"] = [](const QJsonObject& r) {
    return ViewCommandRequest(r, [](vemu::view::ViewCommands& c, DriverViewHost&) { c.DefaultScale(); });
  };
  table["Centerscreen1Click"] = [](const QJsonObject& r) {
    const TPoint mouse = Point(r, "MousePoint");
    return ViewCommandRequest(r, [mouse](vemu::view::ViewCommands& c, DriverViewHost&) { c.CenterScreen(mouse); });
  };
}

// --- the canvas gestures ---

// The zoom of a gesture request: the view's, like every other routine's. A
// "Scale" beside the view is refused rather than ignored.
double GestureScale(const QJsonObject& r) {
  if (r.contains(QLatin1String("Scale"))) throw BadRequest("Scale belongs inside view");
  return View(r).Scale;
}

QJsonObject NodeAtRequest(const QJsonObject& r) {
  const std::vector<TPoint> members = Points(r, "members");
  const TPoint p = Point(r, "P");
  const auto hit = testdrive::NodeAtAmong(members, p, GestureScale(r));
  return {{"hit", hit ? QJsonValue(static_cast<int>(*hit)) : QJsonValue(QJsonValue::Null)}};
}

QJsonObject FindFreePlaceRequest(const QJsonObject& r) {
  const std::vector<TPoint> members = Points(r, "members");
  const TPoint p1 = Point(r, "P1");
  const TPoint p2 = Point(r, "P2");
  const std::int32_t gridStep = Int(r, "GridStep", 15);
  std::vector<TPoint> tried;
  const TPoint result = testdrive::FreePlaceAmong(members, p1, p2, gridStep, GestureScale(r), tried);
  QJsonArray points;
  for (const TPoint& t : tried) points.append(Json(t));
  return {{"tried", points}, {"result", Json(result)}};
}

// "nodes": the members' positions; "links": [from, to] or [from, to, Kind]
// (indices into nodes; Kind 6 when absent); "current": the node made current.
QJsonObject SetCurrentNodeRequest(const QJsonObject& r) {
  const std::vector<TPoint> nodes = Points(r, "nodes");
  const auto index = [&](const QJsonValue& v, const char* name) {
    const std::int32_t i = Int(v, name);
    if (i < 0 || static_cast<std::size_t>(i) >= nodes.size()) throw BadRequest(std::string("no such node: ") + name);
    return static_cast<std::size_t>(i);
  };
  std::vector<testdrive::LinkSpec> links;
  const QJsonValue lv = r.value(QLatin1String("links"));
  if (!lv.isUndefined() && !lv.isArray()) throw BadRequest("not a list of links: links");
  for (const QJsonValue& v : lv.toArray()) {
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() < 2 || a.size() > 3) throw BadRequest("not a link [from, to, Kind]: links");
    const std::int32_t kind = a.size() == 3 ? Int(a[2], "links") : 6;
    if (kind < 0 || kind > 255) throw BadRequest("not a link kind: links");
    links.push_back({index(a[0], "links"), index(a[1], "links"), static_cast<std::uint8_t>(kind)});
  }
  QJsonValue cv;
  const std::size_t current = index(Need(r, "current", cv), "current");
  QJsonArray after;
  for (const testdrive::LinkSwing& l : testdrive::KickAtCurrent(nodes, links, current))
    after.append(QJsonObject{{"Countdown", l.Countdown},
                             {"SwingPoint", Json(l.SwingPoint)},
                             {"RestPoint", Json(l.RestPoint)},
                             {"CurPoint", Json(l.CurPoint)}});
  return {{"links", after}};
}

const std::map<std::string, Handler>& Handlers() {
  using namespace vemu::view;
  static const std::map<std::string, Handler> table = [] {
    std::map<std::string, Handler> t{
        {"XToScreen", [](const QJsonObject& r) { return QJsonObject{{"result", View(r).XToScreen(Int(r, "x"))}}; }},
        {"YToScreen", [](const QJsonObject& r) { return QJsonObject{{"result", View(r).YToScreen(Int(r, "y"))}}; }},
        {"XToLogical", [](const QJsonObject& r) { return QJsonObject{{"result", View(r).XToLogical(Int(r, "x"))}}; }},
        {"YToLogical", [](const QJsonObject& r) { return QJsonObject{{"result", View(r).YToLogical(Int(r, "y"))}}; }},
        {"LogicalToScreen",
         [](const QJsonObject& r) { return QJsonObject{{"result", Json(View(r).LogicalToScreen(Point(r, "P")))}}; }},
        {"ScreenToLogical",
         [](const QJsonObject& r) { return QJsonObject{{"result", Json(View(r).ScreenToLogical(Point(r, "P")))}}; }},
        {"SetScale",
         [](const QJsonObject& r) {
           TMyScale v = View(r);
           v.SetScale(Real(r, "Value"));
           return QJsonObject{{"view", Json(v)}};
         }},
        {"MoveBy",
         [](const QJsonObject& r) {
           TMyScale v = View(r);
           v.MoveBy(Int(r, "dx"), Int(r, "dy"));
           return QJsonObject{{"view", Json(v)}};
         }},
        {"PointsEqual",
         [](const QJsonObject& r) { return QJsonObject{{"result", PointsEqual(Point(r, "A"), Point(r, "B"))}}; }},
        {"PointAdd",
         [](const QJsonObject& r) {
           TPoint a = Point(r, "A");
           PointAdd(a, Point(r, "B"));
           return QJsonObject{{"A", Json(a)}};
         }},
        {"PointSub",
         [](const QJsonObject& r) {
           TPoint a = Point(r, "A");
           PointSub(a, Point(r, "B"));
           return QJsonObject{{"A", Json(a)}};
         }},
        {"PointDiff", [](const QJsonObject& r) { return QJsonObject{{"R", Json(PointDiff(Point(r, "A"), Point(r, "B")))}}; }},
        {"PointMul", [](const QJsonObject& r) { return QJsonObject{{"R", Json(PointMul(Point(r, "A"), Real(r, "k")))}}; }},
        {"DrawLine",
         [](const QJsonObject& r) {
           return DrawSegments(r, [&](RecordingCanvas& c) { DrawLine(Point(r, "A"), Point(r, "B"), c); });
         }},
        {"DrawArrow",
         [](const QJsonObject& r) {
           return DrawSegments(r, [&](RecordingCanvas& c) { DrawArrow(Point(r, "A"), Point(r, "B"), c); });
         }},
        {"DrawArrowAt",
         [](const QJsonObject& r) {
           return DrawSegments(r, [&](RecordingCanvas& c) { DrawArrowAt(Point(r, "A"), Point(r, "B"), c, Real(r, "t")); });
         }},
        {"DrawCurvedArrow",
         [](const QJsonObject& r) {
           return DrawSegments(
               r, [&](RecordingCanvas& c) { DrawCurvedArrow(Point(r, "A"), Point(r, "B"), Point(r, "C"), c); });
         }},
        {"TMyLine", MyLineRequest},
        {"DrawWire", DrawWireRequest},
        {"DrawProbeLink", DrawProbeLinkRequest},
        {"ShadowX", [](const QJsonObject& r) { return QJsonObject{{"result", ShadowX(Int(r, "Phase"), Int(r, "x"))}}; }},
        {"ShadowY", [](const QJsonObject& r) { return QJsonObject{{"result", ShadowY(Int(r, "Phase"), Int(r, "y"))}}; }},
        {"ShadowOffset",
         [](const QJsonObject& r) { return QJsonObject{{"result", Json(ShadowOffset(Int(r, "Phase"), Point(r, "S")))}}; }},
        {"ResetPhase",
         [](const QJsonObject& r) {
           std::int32_t phase = Int(r, "Phase");
           ResetPhase(phase);
           return QJsonObject{{"Phase", phase}};
         }},
        {"AdvancePhase",
         [](const QJsonObject& r) {
           std::int32_t phase = Int(r, "Phase");
           AdvancePhase(phase);
           return QJsonObject{{"Phase", phase}};
         }},
        {"TickCounter",
         [](const QJsonObject& r) {
           std::int32_t c = Int(r, "C");
           TickCounter(c);
           return QJsonObject{{"C", c}};
         }},
        {"DrawWhirl",
         [](const QJsonObject& r) {
           const TPoint size = r.contains(QLatin1String("size")) ? Point(r, "size") : TPoint{1280, 900};
           RecordingCanvas canvas({size.x, size.y});
           DrawWhirl(Int(r, "Counter"), canvas);
           return QJsonObject{{"segments", Segments(canvas, 0, true)}, {"Pen", Json(canvas.pen)}};
         }},
        {"NodeAt", NodeAtRequest},
        {"FindFreePlace", FindFreePlaceRequest},
        {"SetCurrentNode", SetCurrentNodeRequest},
    };
    AddViewCommands(t);
    return t;
  }();
  return table;
}

// One answer line: "ok" first, then the results (in the order of their names).
QByteArray AnswerLine(bool ok, const QJsonObject& results) {
  const QByteArray rest = QJsonDocument(results).toJson(QJsonDocument::Compact);
  QByteArray line = ok ? QByteArray("{\"ok\":true") : QByteArray("{\"ok\":false");
  if (rest.size() > 2) line += "," + rest.mid(1);
  else line += "}";
  return line;
}

QByteArray Answer(const std::string& line) {
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject())
    return AnswerLine(false, {{"error", "not a JSON object"}});
  const QJsonObject request = doc.object();
  const std::string fn = request.value(QLatin1String("fn")).toString().toStdString();
  const auto it = Handlers().find(fn);
  if (it == Handlers().end()) return AnswerLine(false, {{"error", QString::fromStdString("unknown function: " + fn)}});
  try {
    return AnswerLine(true, it->second(request));
  } catch (const BadRequest& e) {
    return AnswerLine(false, {{"error", QString::fromUtf8(e.what())}});
  }
}

}  // namespace

int GeometryCommand(const Args& args) {
  if (!args.empty()) {
    std::fprintf(stderr, "usage: geometry (requests on stdin)\n");
    return 2;
  }
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    const QByteArray out = Answer(line);
    std::fwrite(out.constData(), 1, static_cast<std::size_t>(out.size()), stdout);
    std::fputc('\n', stdout);
  }
  std::fflush(stdout);
  return 0;
}
