// The link painters through the recording canvas: wires of every kind with
// their marks and shadows, probe links (one curve or a loop), the re-arm of
// a moved link's swing, the shadow offsets, the counters and the whirl.
// The drawn lists are compared with tests/view/wires_golden/*.txt; run with
// VEMU_UPDATE_GOLDEN=1 to write them afresh (then read the diff).
#include <gtest/gtest.h>

#include "support/golden_file.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "catalogue/settings.h"
#include "model/graph.h"
#include "platform/recording_canvas.h"
#include "view/draw_context.h"
#include "view/my_line.h"
#include "view/shadow.h"
#include "view/view_globals.h"
#include "view/wires.h"

using namespace vemu;
using model::TheNode;
using model::TPoint;
using view::TMyLine;

namespace {

void ExpectGolden(const std::string& name, const std::string& actual) {
  vemu::testing::ExpectGoldenFile(std::string(VEMU_SOURCE_DIR) + "/tests/view/wires_golden/" + name + ".txt", actual);
}

struct WireScene {
  model::TheBaseOfGraf graph;
  catalogue::Settings settings;
  view::TMyScale view;
  view::DrawContext dc;
  platform::RecordingCanvas canvas{{400, 300}};
  int savedArrow = view::ArrowSize;

  WireScene() {
    dc.view = &view;
    dc.graph = &graph;
    dc.settings = &settings;
    dc.canvas = &canvas;
    dc.Variant = model::ModelVariant::Full;
    view::ArrowSize = 6;
  }
  ~WireScene() { view::ArrowSize = savedArrow; }

  TheNode* Node(int type, int x, int y) {
    TheNode* n = graph.AddNode(nullptr, static_cast<std::uint8_t>(type));
    n->X = x;
    n->Y = y;
    return n;
  }
  // A link at rest between its ends, as one read from a file.
  TMyLine* Link(TheNode* from, TheNode* to, std::uint8_t kind) {
    TMyLine* l = view::AsMyLine(graph.AddLine(-2, from, to, kind));
    l->SetAtRest();
    l->Countdown = 0;
    return l;
  }
};

struct WireCase {
  const char* name;
  std::uint8_t kind;
  bool shadow = false;
  bool current = false;
  bool plusMinusAll = false;
  bool plusMinusOnCurrent = false;
  double scale = 1.0;
};

TEST(Wires, EveryKindWithItsMarksAndShadow) {
  const WireCase cases[] = {
      {"wire", model::alWire},
      {"control", model::alControl},
      {"output terminal", model::alOutPin},
      {"output terminal, marks on all", model::alOutPin, false, false, true},
      {"input terminal, marks on all", model::alInPin, false, false, true},
      {"input terminal, marks on all, shadow pass", model::alInPin, true, false, true},
      {"input terminal of the current node", model::alInPin, false, true, false, true},
      {"input terminal, marks on the current node only, not current", model::alInPin, false, false, false, true},
      {"output terminal, current, marks off", model::alOutPin, false, true},
      {"containment", model::alHaveItem},
      {"unknown kind 9", 9},
      {"wire, shadow pass", model::alWire, true},
      {"wire at scale 2", model::alWire, false, false, false, false, 2.0},
  };
  std::string listing;
  for (const WireCase& c : cases) {
    WireScene s;
    s.dc.ShadowPhase = 40;
    s.settings.CheckPlusMines = c.plusMinusAll;
    s.settings.CheckPMonCurrent = c.plusMinusOnCurrent;
    s.view.Scale = c.scale;
    TheNode* a = s.Node(2, 20, 30);
    TheNode* b = s.Node(19, 140, 90);
    TMyLine* l = s.Link(a, b, c.kind);
    l->CurPoint = {70, 40};  // mid-swing, off the straight line
    l->RestPoint = {80, 60};
    view::DrawWire(s.dc, *l, a->GetPos(), b->GetPos(), s.canvas, c.shadow, c.current);
    listing += std::string("# ") + c.name + "\n" + s.canvas.Text();
    EXPECT_EQ(l->RestPoint, (TPoint{80, 60})) << c.name;  // the ends did not move
  }
  ExpectGolden("wires", listing);
}

TEST(Wires, InputTerminalRunsFromTheNetToTheElement) {
  WireScene s;
  TheNode* element = s.Node(3, 0, 0);
  TheNode* net = s.Node(2, 100, 0);
  const TMyLine* in = s.Link(element, net, model::alInPin);
  const TMyLine* out = s.Link(element, net, model::alOutPin);
  const auto inCurve = view::WireCurve(s.dc, *in, element->GetPos(), net->GetPos(), false);
  const auto outCurve = view::WireCurve(s.dc, *out, element->GetPos(), net->GetPos(), false);
  ASSERT_TRUE(inCurve && outCurve);
  EXPECT_EQ(*inCurve, (view::CurveCall{{100, 0}, {50, 0}, {0, 0}}));
  EXPECT_EQ(*outCurve, (view::CurveCall{{0, 0}, {50, 0}, {100, 0}}));
  // The shadow moves every point by its own wobble.
  const auto shadowed = view::WireCurve(s.dc, *out, element->GetPos(), net->GetPos(), true);
  EXPECT_EQ(shadowed->A, view::ShadowOffset(0, {0, 0}));
  EXPECT_EQ(shadowed->C, view::ShadowOffset(0, {100, 0}));
}

TEST(Wires, MovingANodeRearmsOnlyTheLinksAtIt) {
  WireScene s;
  TheNode* a = s.Node(2, 0, 0);
  TheNode* b = s.Node(2, 100, 0);
  TheNode* c = s.Node(2, 0, 100);
  TMyLine* ab = s.Link(a, b, model::alWire);
  TMyLine* ca = s.Link(c, a, model::alWire);  // held by the other end
  TMyLine* bc = s.Link(b, c, model::alWire);
  auto drawAll = [&](bool shadow) {
    for (TheNode* n : {a, b, c})
      n->forEachLine([&](model::TheLine* l) {
        view::DrawWire(s.dc, *view::AsMyLine(l), n->GetPos(), l->Node->GetPos(), s.canvas, shadow, false);
      });
  };
  drawAll(true);
  for (const TMyLine* l : {ab, ca, bc}) EXPECT_EQ(l->Countdown, 0);

  a->X = -40;
  a->Y = 20;
  ca->CurPoint = {3, 4};
  drawAll(true);  // the shadow pass re-arms ...
  EXPECT_EQ(ab->Countdown, 100);
  EXPECT_EQ(ab->RestPoint, (TPoint{30, 10}));
  EXPECT_EQ(ab->SwingPoint, (TPoint{50, 0}));  // from where the middle was
  EXPECT_EQ(ca->Countdown, 100);
  EXPECT_EQ(ca->RestPoint, (TPoint{-20, 60}));
  EXPECT_EQ(ca->SwingPoint, (TPoint{3, 4}));
  EXPECT_EQ(bc->Countdown, 0);
  EXPECT_EQ(bc->RestPoint, (TPoint{50, 50}));
  ab->Countdown = 77;
  drawAll(false);  // ... and the normal pass of the same frame finds nothing to change
  EXPECT_EQ(ab->Countdown, 77);

  // Right after undo or redo a moved link swings only briefly.
  s.dc.RedrawRequest = true;
  b->X = 200;
  drawAll(false);
  EXPECT_EQ(ab->Countdown, 10);
  EXPECT_EQ(bc->Countdown, 10);
  EXPECT_EQ(ca->Countdown, 100);

  // The second build re-arms with the full swing every time.
  s.dc.Variant = model::ModelVariant::Second;
  b->X = 300;
  drawAll(false);
  EXPECT_EQ(ab->Countdown, 100);
  EXPECT_EQ(bc->Countdown, 100);
}

TEST(Wires, WithoutLineMovesANewLinkIsDrawnThroughTheMidpointAtOnce) {
  WireScene s;
  TheNode* a = s.Node(2, 0, 0);
  TheNode* b = s.Node(2, 100, 0);
  TMyLine* l = view::AsMyLine(s.graph.AddLine(-2, a, b, model::alWire));
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->CurPoint, (TPoint{50, -25}));  // a new link is kicked sideways
  l->Step(false);
  const auto curve = view::WireCurve(s.dc, *l, a->GetPos(), b->GetPos(), false);
  EXPECT_EQ(curve->B, (TPoint{50, 0}));
  view::DrawWire(s.dc, *l, a->GetPos(), b->GetPos(), s.canvas, false, false);
  const std::string drawn = s.canvas.Text();
  EXPECT_NE(drawn.find("line 35 0 50 0 "), std::string::npos) << drawn;  // straight through the middle
  EXPECT_NE(drawn.find("line 50 0 65 0 "), std::string::npos) << drawn;
}

TEST(Wires, EveryLinkTheGraphMakesCarriesTheSwing) {
  WireScene s;
  TheNode* a = s.Node(2, 0, 0);
  TheNode* b = s.Node(2, 0, 100);
  for (std::uint8_t kind : {model::alHaveItem, model::alOutPin, model::alInPin, model::alWire, model::alControl}) {
    const TMyLine* l = view::AsMyLine(s.graph.AddLine(1, a, b, kind));
    ASSERT_NE(l, nullptr) << int(kind);
    EXPECT_EQ(l->Countdown, 100);
    EXPECT_EQ(l->SwingPoint, (TPoint{50, 50}));
    EXPECT_EQ(l->RestPoint, (TPoint{0, 50}));
  }
  const model::TheLine plain;
  EXPECT_EQ(view::AsMyLine(&plain), nullptr);
  EXPECT_EQ(view::AsMyLine(static_cast<model::TheLine*>(nullptr)), nullptr);
}

struct ProbeCase {
  const char* name;
  int type;
  // Links of the probe: kind and the index of the target (-1: none).
  std::vector<std::pair<std::uint8_t, int>> links;
  bool shadow = false;
};

TEST(ProbeLinks, CurvesOfEveryShape) {
  const ProbeCase cases[] = {
      {"no link", 31, {}},
      {"one input link", 31, {{model::alInPin, 0}}},
      {"one output link: from the probe to the net", 35, {{model::alOutPin, 0}}},
      {"input then output", 36, {{model::alInPin, 0}, {model::alOutPin, 1}}},
      {"output then input", 37, {{model::alOutPin, 1}, {model::alInPin, 0}}},
      {"only the first two count", 38, {{model::alInPin, 0}, {model::alOutPin, 1}, {model::alOutPin, 2}}},
      {"both links into one net: a loop", 31, {{model::alInPin, 0}, {model::alOutPin, 0}}},
      {"loop, shadow pass", 31, {{model::alInPin, 0}, {model::alOutPin, 0}}, true},
      {"other type keeps the pen colour", 12, {{model::alInPin, 0}}},
      {"links without target are left out", 31, {{model::alInPin, -1}, {model::alInPin, 0}, {model::alOutPin, -1}, {model::alOutPin, 1}}},
  };
  std::string listing;
  for (const ProbeCase& c : cases) {
    WireScene s;
    s.dc.ShadowPhase = 20;
    s.canvas.pen.Color = 0x404040;
    TheNode* nets[] = {s.Node(2, 10, 20), s.Node(2, 130, 50), s.Node(2, 300, 300)};
    TheNode* probe = s.Node(c.type, 70, 20);
    for (auto [kind, target] : c.links) {
      if (target >= 0) {
        s.graph.AddLine(-2, probe, nets[target], kind);
      } else {
        auto dangling = std::make_unique<TMyLine>(probe, nullptr);
        dangling->Kind = kind;
        model::TheLine* last = s.graph.GetLine(probe, -2);
        (last ? last->Next : probe->FirstLine) = std::move(dangling);
      }
    }
    view::DrawProbeLink(s.dc, probe, c.shadow, s.canvas);
    listing += std::string("# ") + c.name + "\n" + s.canvas.Text();
    EXPECT_EQ(s.canvas.pen.Width, 1) << c.name;
  }
  ExpectGolden("probe_links", listing);
}

TEST(ProbeLinks, LoopIsTwoArcsBulgingToOppositeSides) {
  WireScene s;
  TheNode* net = s.Node(2, 0, 0);
  TheNode* probe = s.Node(31, 90, 0);
  s.graph.AddLine(-2, probe, net, model::alInPin);
  s.graph.AddLine(-2, probe, net, model::alOutPin);
  const view::ProbeCurves curves = view::ProbeLinkCurves(s.dc, probe, false);
  ASSERT_EQ(curves.count, 2);
  EXPECT_EQ(curves.calls[0], (view::CurveCall{{0, 0}, {45, 30}, {90, 0}}));
  EXPECT_EQ(curves.calls[1], (view::CurveCall{{90, 0}, {45, -30}, {0, 0}}));
  EXPECT_EQ(view::ProbeLinkCurves(s.dc, nullptr, false).count, 0);

  // The second build's probe link is blue whatever the type, silver in the shadow pass.
  s.dc.Variant = model::ModelVariant::Second;
  probe->NodeType = 35;
  view::DrawProbeLink(s.dc, probe, false, s.canvas);
  EXPECT_NE(s.canvas.calls.back().find("pen:FF0000/3/"), std::string::npos) << s.canvas.calls.back();
  view::DrawProbeLink(s.dc, probe, true, s.canvas);
  EXPECT_NE(s.canvas.calls.back().find("pen:C0C0C0/3/"), std::string::npos) << s.canvas.calls.back();
  s.canvas.calls.clear();
  view::DrawProbeLink(s.dc, nullptr, false, s.canvas);
  EXPECT_TRUE(s.canvas.calls.empty());
}

TEST(Shadow, OffsetWobblesWithinFivePixelsAlsoForNegativeSums) {
  std::set<int> wobbles;
  for (int phase : {0, 10, 180, 350, 360}) {
    for (int v = -3000; v <= 3000; v += 7) {
      const int dx = view::ShadowX(phase, v) - v - 15;
      const int dy = view::ShadowY(phase, v) - v - 15;
      ASSERT_LE(std::abs(dx), 5) << phase << " " << v;
      ASSERT_LE(std::abs(dy), 5) << phase << " " << v;
      wobbles.insert(dx);
    }
  }
  EXPECT_EQ(wobbles.size(), 11u);  // every offset from -5 to 5 occurs
  // A negative sum keeps its sign in the remainder: -390 rem 360 = -30, sin = -1/2, -2.5 rounds to -2.
  EXPECT_EQ(view::ShadowX(10, -400), -387);
  EXPECT_EQ(view::ShadowY(0, -180), -170);
  EXPECT_EQ(view::ShadowOffset(0, {90, 0}), (TPoint{110, 20}));
  EXPECT_EQ(view::ShadowX(0, INT32_MAX), INT32_MAX);  // saturates instead of wrapping
}

TEST(Counters, PhaseAndCounterWrapAboveThreeSixty) {
  std::int32_t phase = 123;
  view::ResetPhase(phase);
  EXPECT_EQ(phase, 0);
  for (int tick = 1; tick <= 36; ++tick) view::AdvancePhase(phase);
  EXPECT_EQ(phase, 360);  // 360 is not above 360
  view::AdvancePhase(phase);
  EXPECT_EQ(phase, 0);
  phase = 355;
  view::AdvancePhase(phase);
  EXPECT_EQ(phase, 0);

  std::int32_t counter = 359;
  view::TickCounter(counter);
  EXPECT_EQ(counter, 360);
  view::TickCounter(counter);
  EXPECT_EQ(counter, 0);
  counter = INT32_MAX;  // never overflows
  view::TickCounter(counter);
  EXPECT_EQ(counter, INT32_MIN);
}

TEST(Whirl, SixArmsFromTheCentreThinningOutward) {
  platform::RecordingCanvas canvas({300, 200});
  view::DrawWhirl(0, canvas);
  ExpectGolden("whirl", canvas.Text());
  int moves = 0;
  for (const std::string& call : canvas.calls) moves += call.rfind("move 150 100", 0) == 0;
  EXPECT_EQ(moves, 6);
  EXPECT_EQ(canvas.calls.size(), 6u * 23);
  EXPECT_EQ(canvas.pen.Color, 0xF0FBFFu);
  EXPECT_EQ(canvas.pen.Width, 1);

  platform::RecordingCanvas turned({300, 200});
  view::DrawWhirl(1, turned);
  EXPECT_NE(turned.calls, canvas.calls);  // the counter turns the arms
  platform::RecordingCanvas empty({0, 0});
  view::DrawWhirl(45, empty);  // a canvas without size: every point on the corner
  for (const std::string& call : empty.calls)
    if (call.rfind("line", 0) == 0) {
      EXPECT_EQ(call.substr(0, 13), "line 0 0 0 0 ");
    }
}

}  // namespace
