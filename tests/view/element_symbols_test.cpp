// The element symbols: every type's shapes in two orientations against
// golden lists of canvas calls (tests/view/golden/symbol_<type>_<right|down>.txt;
// VEMU_UPDATE_GOLDEN=1 rewrites them), and the symbol frame's rules.
#include <gtest/gtest.h>

#include "support/golden_file.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "model/graph.h"
#include "platform/recording_canvas.h"
#include "view/draw_context.h"
#include "view/element_symbols.h"
#include "view/my_line.h"
#include "view/shadow.h"

using namespace vemu;
using model::TheNode;
using model::TPoint;

namespace {

constexpr int kSymbolTypes[] = {3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                                18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 30, 31, 33, 34};

struct SymbolScene {
  model::TheBaseOfGraf graph;
  catalogue::Settings settings;
  view::TMyScale view;
  view::DrawContext dc;
  platform::RecordingCanvas canvas;

  explicit SymbolScene(model::ModelVariant variant = model::ModelVariant::Full) {
    dc.view = &view;
    dc.graph = &graph;
    dc.settings = &settings;
    dc.Variant = variant;
  }
  TheNode* Node(int type, int x, int y) {
    TheNode* n = graph.AddNode(nullptr, static_cast<std::uint8_t>(type));
    n->X = x;
    n->Y = y;
    return n;
  }
  view::TMyLine* Link(TheNode* from, TheNode* to, std::uint8_t kind) {
    view::TMyLine* l = view::AsMyLine(graph.AddLine(-2, from, to, kind));
    l->SetAtRest();
    return l;
  }
  // An element at (100, 100) wired from a junction 40 units before it to one 40 units after it.
  TheNode* Element(int type, bool down) {
    TheNode* e = Node(type, 100, 100);
    Link(e, Node(2, down ? 100 : 60, down ? 60 : 100), model::alInPin);
    Link(e, Node(2, down ? 100 : 140, down ? 140 : 100), model::alOutPin);
    return e;
  }
  std::string Draw(const TheNode* e) {
    canvas.calls.clear();
    canvas.pen = {0x123456, 4, platform::PenStyle::Solid};
    canvas.brush = {0x654321, platform::BrushStyle::Solid};
    view::DrawElementSymbol(dc, e, canvas);
    canvas.calls.push_back("--- shadow");
    view::DrawElementSymbolShadow(dc, e, canvas);
    return canvas.Text();
  }
};

std::string GoldenPath(int type, const char* orientation) {
  return std::string(VEMU_SOURCE_DIR) + "/tests/view/golden/symbol_" + std::to_string(type) + "_" + orientation +
         ".txt";
}

int CountLines(const std::string& text, const std::string& part) {
  int n = 0;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);)
    if (line.find(part) != std::string::npos) ++n;
  return n;
}

std::string NormalPart(const std::string& text) { return text.substr(0, text.find("--- shadow")); }

}  // namespace

TEST(ElementSymbols, EveryTypeMatchesItsGoldenListInBothOrientations) {
  for (int type : kSymbolTypes) {
    for (const char* orientation : {"right", "down"}) {
      SymbolScene scene;
      const std::string calls = scene.Draw(scene.Element(type, std::string(orientation) == "down"));
      const std::string path = GoldenPath(type, orientation);
      vemu::testing::ExpectGoldenFile(path, calls, "type " + std::to_string(type) + " " + orientation);
      EXPECT_EQ(scene.canvas.pen.Color, view::kShadowColor);
    }
  }
}

TEST(ElementSymbols, NormalSymbolLeavesWhiteBrushAndThinPen) {
  for (int type : kSymbolTypes) {
    SymbolScene scene;
    view::DrawElementSymbol(scene.dc, scene.Element(type, false), scene.canvas);
    EXPECT_EQ(scene.canvas.brush, (platform::Brush{0xFFFFFF, platform::BrushStyle::Solid})) << type;
    EXPECT_EQ(scene.canvas.pen.Width, 1) << type;
  }
}

TEST(ElementSymbols, TypesWithoutSymbolDrawNothing) {
  for (int type : {0, 1, 2, 29, 32, 35, 36, 37, 38, 39, 200}) {
    SymbolScene scene;
    EXPECT_EQ(scene.Draw(scene.Element(type, false)), "--- shadow\n") << type;
  }
  SymbolScene scene;
  EXPECT_EQ(scene.Draw(nullptr), "--- shadow\n");
  // Type 31 has no shadow symbol.
  EXPECT_EQ(CountLines(scene.Draw(scene.Element(31, false)), "polygon"), 1);
}

TEST(ElementSymbols, AxisFollowsTheTerminals) {
  struct Case {
    const char* what;
    TPoint in, out;  // middle points of the input and output links (logical)
    TPoint u;
  };
  const Case cases[] = {
      {"right", {80, 100}, {120, 100}, {5, 0}},
      {"left", {120, 100}, {80, 100}, {-5, 0}},
      {"up", {100, 120}, {100, 80}, {0, -5}},
      {"diagonal", {80, 80}, {120, 120}, {4, 4}},  // 5 / sqrt 2 = 3.54 -> 4
      {"shallow", {0, 100}, {200, 110}, {5, 0}},
      {"swinging input", {100, 40}, {120, 100}, {2, 5}},  // d = (20, 60): 1.58 -> 2, 4.74 -> 5
  };
  for (const Case& c : cases) {
    SymbolScene scene;
    TheNode* e = scene.Element(19, false);
    view::AsMyLine(e->FirstLine.get())->CurPoint = c.in;
    view::AsMyLine(e->FirstLine->Next.get())->CurPoint = c.out;
    const view::SymbolAxis axis = view::NormalSymbolAxis(scene.dc, *e);
    EXPECT_EQ((TPoint{axis.ux, axis.uy}), c.u) << c.what;
    EXPECT_EQ(axis.O, (TPoint{100, 100})) << c.what;
    const view::SymbolAxis shadow = view::ShadowSymbolAxis(scene.dc, *e);
    EXPECT_EQ((TPoint{shadow.ux, shadow.uy}), c.u) << c.what;
  }
}

TEST(ElementSymbols, WithoutWiresTheAxisPointsRight) {
  SymbolScene wired;
  SymbolScene bare;
  EXPECT_EQ(bare.Draw(bare.Node(23, 100, 100)), wired.Draw(wired.Element(23, false)));
  // A link without a target counts as absent.
  SymbolScene broken;
  TheNode* e = broken.Node(23, 100, 100);
  e->FirstLine = std::make_unique<view::TMyLine>(e, nullptr);
  e->FirstLine->Kind = model::alInPin;
  EXPECT_EQ(broken.Draw(e), wired.Draw(wired.Element(23, false)));
}

TEST(ElementSymbols, CoincidingTerminalsTurnTheAxisAcross) {
  SymbolScene scene;
  TheNode* e = scene.Node(19, 100, 100);
  TheNode* j = scene.Node(2, 100, 200);
  scene.Link(e, j, model::alInPin);
  scene.Link(e, j, model::alOutPin);
  // Both middles at (100, 150): d = (O.y - A.y, A.x - O.x) = (-50, 0).
  const view::SymbolAxis axis = view::NormalSymbolAxis(scene.dc, *e);
  EXPECT_EQ((TPoint{axis.ux, axis.uy}), (TPoint{-5, 0}));
  // The shadow collapses onto its centre.
  const view::SymbolAxis shadow = view::ShadowSymbolAxis(scene.dc, *e);
  EXPECT_EQ((TPoint{shadow.ux, shadow.uy}), (TPoint{0, 0}));
  const TPoint o = view::ShadowOffset(0, {100, 100});
  const std::string calls = scene.Draw(e);
  const std::string at = std::to_string(o.x) + "," + std::to_string(o.y);
  EXPECT_NE(calls.find("polygon pen:C0C0C0/1/solid brush:C0C0C0 " + at + " " + at + " " + at + " " + at),
            std::string::npos)
      << calls;
}

TEST(ElementSymbols, ProbeTakesItsTargetsNotTheMiddles) {
  SymbolScene scene;
  TheNode* e = scene.Element(31, false);
  view::AsMyLine(e->FirstLine.get())->CurPoint = {100, 0};
  const view::SymbolAxis axis = view::NormalSymbolAxis(scene.dc, *e);
  EXPECT_EQ((TPoint{axis.ux, axis.uy}), (TPoint{5, 0}));
  // The shadow has no probe rule (type 31 draws no shadow, the frame still exists).
  const view::SymbolAxis shadow = view::ShadowSymbolAxis(scene.dc, *e);
  EXPECT_NE((TPoint{shadow.ux, shadow.uy}), (TPoint{5, 0}));
}

TEST(ElementSymbols, SizeStaysInPixelsAtAnyZoom) {
  SymbolScene near;
  SymbolScene far;
  far.view.Scale = 2.0;
  TheNode* e = far.Node(21, 50, 50);
  far.Link(e, far.Node(2, 30, 50), model::alInPin);
  far.Link(e, far.Node(2, 70, 50), model::alOutPin);
  EXPECT_EQ(NormalPart(far.Draw(e)), NormalPart(near.Draw(near.Element(21, false))));
}

TEST(ElementSymbols, MeterLettersStayUpright) {
  for (int type : {7, 8}) {
    SymbolScene a;
    SymbolScene b;
    auto letters = [](const std::string& calls) {
      std::string out;
      std::istringstream in(calls);
      for (std::string line; std::getline(in, line);)
        if (line.rfind("line", 0) == 0 && (line.find("/2/") != std::string::npos || line.find("/3/") != std::string::npos))
          out += line + "\n";
      return out;
    };
    const std::string right = letters(NormalPart(a.Draw(a.Element(type, false))));
    EXPECT_FALSE(right.empty());
    EXPECT_EQ(right, letters(NormalPart(b.Draw(b.Element(type, true))))) << type;
  }
}

TEST(ElementSymbols, AmplifierSignFollowsPolarity) {
  for (int type : {25, 26, 27, 28, 30}) {
    for (int polarity : {0, 1}) {
      SymbolScene scene;
      TheNode* e = scene.Element(type, false);
      e->Polarity = polarity;
      const std::string calls = scene.Draw(e);
      EXPECT_EQ(CountLines(NormalPart(calls), "pen:0000FF"), polarity ? 2 : 1) << type;
      EXPECT_EQ(CountLines(calls, "pen:0000FF"), polarity ? 2 : 1) << "no sign in the shadow, type " << type;
    }
  }
}

TEST(ElementSymbols, SecondBuildExchangesTheSensorsAndDropsTheDoubleBoxes) {
  struct Case {
    int type;
    int drawnAs;  // the full program's type with the same shapes; 0: nothing
  };
  for (const Case c : {Case{5, 13}, Case{6, 11}, Case{33, 0}, Case{34, 0}, Case{19, 19}, Case{31, 31}}) {
    for (bool down : {false, true}) {
      SymbolScene second(model::ModelVariant::Second);
      const std::string calls = second.Draw(second.Element(c.type, down));
      if (c.drawnAs == 0) {
        EXPECT_EQ(calls, "--- shadow\n") << c.type;
        continue;
      }
      SymbolScene full;
      EXPECT_EQ(calls, full.Draw(full.Element(c.drawnAs, down))) << c.type;
    }
  }
}
