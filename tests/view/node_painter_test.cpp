// The node painter's branches through the recording canvas: labels, ground
// marks, text notes, junctions, eyes, pictures, the open box, the gesture
// and selection marks, the shadows and the second build's differences.
#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/node_type_table.h"
#include "model/graph.h"
#include "platform/canvas_text.h"
#include "platform/recording_canvas.h"
#include "view/draw_context.h"
#include "view/node_painter.h"
#include "view/shadow.h"
#include "view/view_globals.h"

using namespace vemu;
using model::TheNode;
using model::TPoint;

namespace {

struct NodeScene {
  model::TheBaseOfGraf graph;
  catalogue::Settings settings;
  catalogue::NodeTypeTable table;
  view::TMyScale view;
  view::DrawRandom random{7};
  view::DrawContext dc;
  QImage openBox{32, 32, QImage::Format_ARGB32};
  platform::RecordingCanvas canvas{{400, 300}};

  explicit NodeScene(model::ModelVariant variant = model::ModelVariant::Full) {
    const auto catalogue =
        variant == model::ModelVariant::Second ? catalogue::TypeCatalogue::Second : catalogue::TypeCatalogue::Full;
    catalogue::InitNodeTypeTable(
        table, variant == model::ModelVariant::Second ? 36 : 39,
        [](int code) {
          if (code == 0 || code == 20) return QImage();  // types without a glyph
          QImage g(32, 32, QImage::Format_ARGB32);
          g.fill(Qt::gray);
          return g;
        },
        catalogue);
    openBox.fill(Qt::blue);
    dc.view = &view;
    dc.graph = &graph;
    dc.settings = &settings;
    dc.nodeTypes = &table;
    dc.random = &random;
    dc.Variant = variant;
    dc.MousePoint = {390, 290};
    settings.CheckEye = false;
  }
  TheNode* Node(int type, int x = 100, int y = 100, const char* name = "", const char* value = "") {
    TheNode* n = graph.AddNode(nullptr, static_cast<std::uint8_t>(type));
    n->X = x;
    n->Y = y;
    n->Name = name;
    n->Value = value;
    return n;
  }
  std::vector<std::string> Draw(TheNode* n) {
    canvas.calls.clear();
    view::DrawNode(dc, n, canvas);
    return canvas.calls;
  }
  std::vector<std::string> Shadow(const TheNode* n) {
    canvas.calls.clear();
    view::DrawNodeShadow(dc, n, canvas);
    return canvas.calls;
  }
};

int Count(const std::vector<std::string>& calls, const std::string& part) {
  return static_cast<int>(
      std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.find(part) != std::string::npos; }));
}

bool Has(const std::vector<std::string>& calls, const std::string& exact) {
  return std::find(calls.begin(), calls.end(), exact) != calls.end();
}

std::string Join(const std::vector<std::string>& calls) {
  std::string s;
  for (const auto& c : calls) s += c + "\n";
  return s;
}

}  // namespace

TEST(NodePainter, LabelTexts) {
  struct Case {
    int type;
    bool names, values, nodes;
    const char* name;
    const char* value;
    const char* label;
  };
  const Case cases[] = {
      {19, true, true, true, "", "", " "},          {19, true, true, true, "R1", "", "R1"},
      {19, true, true, true, "R1", "10k", "R1= 10k"}, {19, false, true, true, "R1", "10k", "10k"},
      {19, true, false, true, "R1", "10k", "R1"},   {19, true, true, true, "", "10k", "10k"},
      {2, true, true, true, "5", "x", "5"},         {2, true, true, false, "5", "x", " "},
      {32, false, false, false, "T1", "note", "note"}, {32, true, true, true, "T1", "", " "},
  };
  for (const Case& c : cases) {
    NodeScene scene;
    scene.settings.CheckNamesSee = c.names;
    scene.settings.CheckValues = c.values;
    scene.settings.Checknodes = c.nodes;
    EXPECT_EQ(view::NodeLabelText(scene.dc, *scene.Node(c.type, 0, 0, c.name, c.value)), c.label)
        << c.type << " " << c.name << " " << c.value;
  }
}

TEST(NodePainter, TextNoteLinesAndPointerHeadSize) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(view::TextNoteLines("a/b"), (Lines{"a", "b"}));
  EXPECT_EQ(view::TextNoteLines("a/"), (Lines{"a"}));
  EXPECT_EQ(view::TextNoteLines("a//b"), (Lines{"a", "", "b"}));
  EXPECT_EQ(view::TextNoteLines("/x"), (Lines{"", "x"}));
  EXPECT_EQ(view::TextNoteLines("/"), (Lines{""}));
  const std::pair<const char*, int> heads[] = {{"0", 0},   {"7", 7},    {" 12", 12}, {"+3", 3},  {"abc", 15},
                                               {"", 15},   {"12x", 15}, {"500", 100}, {"-3", 0}, {"99999999999", 15}};
  for (const auto& [text, size] : heads) EXPECT_EQ(view::TextPointerHeadSize(text), size) << text;
}

TEST(NodePainter, GroundMarks) {
  const std::pair<int, std::vector<std::string>> cases[] = {
      {1, {"line 100 100 100 120 pen:000000/1/solid", "line 88 120 112 120 pen:000000/3/solid"}},
      {2, {"line 100 100 100 80 pen:000000/1/solid", "line 88 80 112 80 pen:000000/3/solid"}},
      {3, {"line 100 100 80 100 pen:000000/1/solid", "line 80 88 80 112 pen:000000/3/solid"}},
      {4, {"line 100 100 120 100 pen:000000/1/solid", "line 120 112 120 88 pen:000000/3/solid"}},
  };
  for (const auto& [ground, lines] : cases) {
    NodeScene scene;
    TheNode* j = scene.Node(2);
    j->Ground = ground;
    const auto calls = scene.Draw(j);
    for (const auto& l : lines) EXPECT_TRUE(Has(calls, l)) << ground << "\n" << Join(calls);
    EXPECT_EQ(scene.canvas.pen.Width, 1);
    // The shadow's mark lies at the shadow's position, in the shadow colour.
    const TPoint o = view::ShadowOffset(0, {100, 100});
    EXPECT_EQ(Count(scene.Shadow(j), "line " + std::to_string(o.x) + " " + std::to_string(o.y) + " "), 1);
  }
  for (int ground : {0, 5, -1}) {
    NodeScene scene;
    TheNode* j = scene.Node(2);
    j->Ground = ground;
    EXPECT_EQ(Count(scene.Draw(j), "line"), 0) << ground;
  }
}

TEST(NodePainter, JunctionBoxAndEye) {
  NodeScene scene;
  scene.settings.CheckEye = true;
  TheNode* j = scene.Node(2, 100, 100, "12");
  const platform::TSize e = platform::DrawingTextExtent("12");
  const int hw = e.cx / 2 + 4, hh = e.cy / 2;
  auto calls = scene.Draw(j);
  EXPECT_EQ(calls[0], "roundrect " + std::to_string(100 - hw) + " " + std::to_string(100 - hh) + " " +
                          std::to_string(100 + hw) + " " + std::to_string(100 + hh) +
                          " 25 15 pen:008000/1/solid brush:008000");
  EXPECT_EQ(calls[1], "text " + std::to_string(100 - e.cx / 2) + " " + std::to_string(100 - hh) +
                          " font:FFFFFF brush:008000 \"12\"");
  EXPECT_EQ(calls.size(), 2u) << "no eye without a ground mark";
  j->Ground = 1;
  EXPECT_EQ(Count(scene.Draw(j), "ellipse"), 2);
  scene.settings.CheckEye = false;
  EXPECT_EQ(Count(scene.Draw(j), "ellipse"), 0) << "no eye with \"Eye\" unchecked";
  scene.settings.CheckEye = true;
  j->Selected = 1;  // a selected junction's eye is shut, only the highlight is left
  calls = scene.Draw(j);
  EXPECT_EQ(Count(calls, "ellipse"), 0);
  EXPECT_EQ(Count(calls, "pixel"), 1);
  EXPECT_EQ(Count(calls, "pen:0000FF"), 5) << "the selection pentagon, r = 10";
  EXPECT_TRUE(Has(calls, "move 100 110")) << Join(calls);
}

TEST(NodePainter, Eyes) {
  struct Case {
    TPoint mouse;
    bool closed;
    int ellipses;
    const char* pixel;
  };
  const Case cases[] = {
      {{300, 50}, false, 2, "pixel 203 50 FFFFFF"},  // looks 3 pixels toward the mouse
      {{200, 10}, false, 2, "pixel 200 47 FFFFFF"},
      {{205, 50}, false, 0, "pixel 203 50 FFFFFF"},  // nearer than 8: shut
      {{200, 50}, false, 0, "pixel 200 50 FFFFFF"},  // on the eye: r counts as 1
      {{300, 50}, true, 0, "pixel 203 50 FFFFFF"},
  };
  for (const Case& c : cases) {
    NodeScene scene;
    scene.dc.MousePoint = c.mouse;
    view::DrawEye(scene.dc, c.closed, 200, 50, scene.canvas, 0x00FFFF, 0x654321);
    EXPECT_EQ(Count(scene.canvas.calls, "ellipse"), c.ellipses) << c.mouse.x << "," << c.mouse.y;
    EXPECT_TRUE(Has(scene.canvas.calls, c.pixel)) << Join(scene.canvas.calls);
    EXPECT_EQ(scene.canvas.pen.Color, 0x654321u);
  }
  // The highlight pixel is clipped to the surface.
  NodeScene scene;
  view::DrawEye(scene.dc, false, -50, -50, scene.canvas, 0, 0);
  view::DrawEye(scene.dc, false, 1 << 30, 1 << 30, scene.canvas, 0, 0);
  EXPECT_EQ(Count(scene.canvas.calls, "pixel"), 0);
}

TEST(NodePainter, RollingEyeCycle) {
  struct Case {
    int angle;  // with x + y = 50: c = angle + 50
    const char* pupil;
  };
  const Case cases[] = {
      {0, "ellipse 31 16 35 24"},     // c = 50: toward the mouse at (100, 20): 3 right
      {100, "ellipse 28 12 32 20"},   // c = 150: (-round(4 cos 1.5 pi), round(4 sin 1.5 pi)) = (0, -4)
      {50, "ellipse 32 16 36 24"},    // c = 100: (4, 0)
      {300, "ellipse 28 16 32 24"},   // c = 350: resting in the middle
      {-200, "ellipse 31 16 35 24"},  // c = -150: looks at the mouse
  };
  for (const Case& c : cases) {
    NodeScene scene;
    scene.dc.MousePoint = {100, 20};
    scene.dc.AnimAngle = c.angle;
    view::DrawEyeRolling(scene.dc, true, 30, 20, scene.canvas, 0xFF0000, view::kShadowColor);
    ASSERT_EQ(Count(scene.canvas.calls, "ellipse"), 2) << c.angle;
    EXPECT_EQ(scene.canvas.calls[1].substr(0, std::string(c.pupil).size()), c.pupil) << c.angle;
  }
}

TEST(NodePainter, SingleLineTextNote) {
  for (const auto& [headText, head] : {std::pair{"0", 0}, std::pair{"x", 15}, std::pair{"1000", 100}}) {
    NodeScene scene;
    scene.settings.EditTLine = headText;
    scene.settings.CheckEye = true;
    TheNode* t = scene.Node(32, 100, 100, "", "hello");
    t->Wx = 50;
    t->Wy = -40;
    view::ArrowSize = 6;
    const auto calls = scene.Draw(t);
    EXPECT_EQ(view::ArrowSize, 6);
    const platform::TSize e = platform::DrawingTextExtent("hello");
    const int hw = e.cx / 2 + 4, hh = e.cy / 2;
    // The pointer: shaft to (150, 60), barbs of the head size.
    const std::string shaft = "line " + std::to_string(100 + hw) + " " + std::to_string(100 + hh) + " 150 60 pen:";
    ASSERT_EQ(calls[1].substr(0, shaft.size()), shaft) << Join(calls);
    EXPECT_EQ(calls[2], "move 150 60");
    if (head == 0) EXPECT_EQ(calls[3].substr(0, 18), "line 150 60 150 60");
    else EXPECT_NE(calls[3].substr(0, 18), "line 150 60 150 60");
    EXPECT_TRUE(Has(calls, "roundrect 97 97 " + std::to_string(100 + 2 * hw + 3) + " " +
                               std::to_string(100 + 2 * hh + 3) + " 25 15 pen:sys00001C/1/solid brush:sys000018"))
        << Join(calls);
    EXPECT_TRUE(Has(calls, "text 105 100 font:000000 brush:sys000018 \"hello\""));
    EXPECT_EQ(Count(calls, "ellipse"), 2) << "one eye";
  }
  // A selected note's pointer is blue and it gets both pentagons.
  NodeScene scene;
  TheNode* t = scene.Node(32, 100, 100, "", "hello");
  t->Selected = 1;
  const auto calls = scene.Draw(t);
  EXPECT_EQ(Count(calls, "pen:FF0000"), 3);
  EXPECT_EQ(Count(calls, "pen:0000FF"), 10);
}

TEST(NodePainter, MultiLineTextNoteTakesItsBlockSize) {
  NodeScene scene;
  scene.settings.CheckEye = true;
  TheNode* t = scene.Node(32, 100, 100, "", "first line//x/");
  t->Wx = -10;  // a new note still holds the label offset
  t->Wy = -10;
  auto calls = scene.Draw(t);
  EXPECT_EQ(Count(calls, "roundrect"), 1);
  EXPECT_EQ(calls[0].substr(0, 26), "roundrect 97 97 101 101 25");  // hw = hh = -10 div 2 + 4 = -1
  EXPECT_EQ(Count(calls, "text "), 3);
  EXPECT_EQ(Count(calls, "line "), 0) << "no pointer";
  const platform::TSize first = platform::DrawingTextExtent("first line");
  const platform::TSize x = platform::DrawingTextExtent("x");
  EXPECT_EQ(t->Wx, first.cx);
  EXPECT_EQ(t->Wy, 3 * first.cy);
  // Lines are centred in the width of the frame before.
  EXPECT_TRUE(Has(calls, "text " + std::to_string(100 + 3 + (-10 - x.cx) / 2) + " " + std::to_string(100 + 2 * first.cy) +
                             " font:000000 brush:sys000018 \"x\""))
      << Join(calls);
  EXPECT_EQ(Count(calls, "ellipse"), 4) << "two eyes";
  calls = scene.Draw(t);
  EXPECT_TRUE(Has(calls, "text " + std::to_string(103 + (first.cx - x.cx) / 2) + " " + std::to_string(100 + 2 * first.cy) +
                             " font:000000 brush:sys000018 \"x\""));
  EXPECT_EQ(calls[0].substr(0, 16 + std::to_string(100 + 2 * (first.cx / 2 + 4) + 3).size()),
            "roundrect 97 97 " + std::to_string(100 + 2 * (first.cx / 2 + 4) + 3));
  // Its shadow is a white box with a money-green border sized from the block.
  const TPoint o = view::ShadowOffset(0, {100, 100});
  calls = scene.Shadow(t);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], "roundrect " + std::to_string(o.x) + " " + std::to_string(o.y) + " " +
                          std::to_string(o.x + 2 * (t->Wx / 2 + 7)) + " " + std::to_string(o.y + 2 * (t->Wy / 2 + 7)) +
                          " 25 15 pen:C0DCC0/1/solid brush:FFFFFF");
}

TEST(NodePainter, ElementSymbolOrPicture) {
  struct Case {
    int type;
    bool images, transparency;
    const char* picture;  // expected picture call, or "" for the vector symbol
  };
  const Case cases[] = {
      {19, false, false, ""},
      {19, true, false, "draw 84 84 32x32 opaque"},
      {19, true, true, "draw 84 84 32x32 transparent"},
      {36, false, false, "draw 84 84 32x32 opaque"},  // a probe type has no symbol
      {29, false, true, "draw 84 84 32x32 transparent"},  // a sub-circuit with lines
  };
  for (const Case& c : cases) {
    NodeScene scene;
    scene.settings.CheckImages = c.images;
    scene.settings.CheckTransparency = c.transparency;
    TheNode* e = scene.Node(c.type, 100, 100, "R1", "5");
    e->Wx = 0;
    e->Wy = -20;
    scene.graph.AddLine(-2, e, scene.Node(2, 160, 100), model::alOutPin);
    const auto calls = scene.Draw(e);
    if (*c.picture) EXPECT_TRUE(Has(calls, c.picture)) << c.type << "\n" << Join(calls);
    else EXPECT_EQ(Count(calls, "draw "), 0) << Join(calls);
    const platform::TSize ext = platform::DrawingTextExtent("R1= 5");
    const std::string font = scene.table[static_cast<std::size_t>(c.type)].V ? "000000" : "0000FF";
    EXPECT_EQ(calls.back(), "text " + std::to_string(100 - ext.cx / 2) + " " + std::to_string(80 - ext.cy / 2) +
                                " font:" + font + " brush:clear \"R1= 5\"")
        << c.type;
    EXPECT_EQ(scene.canvas.brush.Style, platform::BrushStyle::Solid);
  }
  // A null picture draws nothing.
  NodeScene none;
  view::DrawNodePicture(none.dc, 0, 0, none.canvas, nullptr);
  EXPECT_TRUE(none.canvas.calls.empty());
  // A type without a glyph draws neither picture nor label; a type outside the table nothing at all.
  NodeScene scene;
  EXPECT_TRUE(scene.Draw(scene.Node(20, 100, 100, "g1", "1")).empty());
  EXPECT_TRUE(scene.Shadow(scene.Node(20)).empty());
  TheNode* odd = scene.Node(120);
  odd->Ground = 1;
  odd->Selected = 1;
  EXPECT_TRUE(scene.Draw(odd).empty());
  EXPECT_TRUE(scene.Shadow(odd).empty());
  EXPECT_TRUE(scene.Draw(nullptr).empty());
}

TEST(NodePainter, OpenBoxOfAnEmptySubCircuit) {
  for (bool withPicture : {true, false}) {
    NodeScene scene;
    scene.dc.OpenBoxBitmap = withPicture ? &scene.openBox : nullptr;
    TheNode* s = scene.Node(29);
    const auto calls = scene.Draw(s);
    EXPECT_EQ(Count(calls, "rect "), 6);
    EXPECT_EQ(Count(calls, "draw 84 84 32x32"), withPicture ? 1 : 0);
    // At AnimAngle 0 the tokens sit at 60 k degrees: k = 2, 3, 4 behind the box
    // (lines to the centre), k = 0, 1, 5 in front (stubs three fifths of the way).
    const std::vector<std::string> expected = {
        "line 122 95 100 100 pen:000000/1/solid", "line 100 87 100 100 pen:000000/1/solid",
        "line 78 95 100 100 pen:000000/1/solid",  "line 100 119 100 108 pen:000000/1/solid",
        "line 122 111 109 105 pen:000000/1/solid", "line 78 111 91 105 pen:000000/1/solid"};
    for (const auto& l : expected) EXPECT_TRUE(Has(calls, l)) << l << "\n" << Join(calls);
    if (withPicture) {
      const auto box = std::find(calls.begin(), calls.end(), "draw 84 84 32x32 opaque");
      EXPECT_LT(std::find(calls.begin(), calls.end(), "line 78 95 100 100 pen:000000/1/solid"), box);
      EXPECT_GT(std::find(calls.begin(), calls.end(), "line 100 119 100 108 pen:000000/1/solid"), box);
    }
  }
}

TEST(NodePainter, GestureDustAndFrame) {
  struct Case {
    bool down, hover;
    const char* pen;
  };
  for (const Case c : {Case{true, false, "FF0000"}, Case{false, true, "000000"}, Case{true, true, "00FFFF"}}) {
    NodeScene scene;
    TheNode* j = scene.Node(2, 10, 10);  // near the corner: some dots fall outside and are clipped
    scene.dc.DownNode = c.down ? j : nullptr;
    scene.dc.HoverNode = c.hover ? j : nullptr;
    const auto calls = scene.Draw(j);
    EXPECT_GT(Count(calls, "pixel"), 0);
    EXPECT_LE(Count(calls, "pixel"), 20);
    EXPECT_EQ(calls.back(), "line -1 21 -1 -1 pen:" + std::string(c.pen) + "/1/solid");
  }
  NodeScene scene;
  EXPECT_EQ(Count(scene.Draw(scene.Node(2)), "pixel"), 0);
}

TEST(NodePainter, MarkersMoveWithTheAnimation) {
  NodeScene scene;
  scene.dc.AnimAngle = 0;
  view::DrawMovingArrows(scene.dc, scene.canvas, 100, 100);
  EXPECT_EQ(scene.canvas.calls[0], "polygon pen:808000/1/solid brush:C0DCC0 115,100 125,95 125,105");
  EXPECT_EQ(scene.canvas.calls[3], "polygon pen:808000/1/solid brush:C0DCC0 100,115 95,125 105,125");
  scene.canvas.calls.clear();
  scene.dc.AnimAngle = 39;  // t = 15 - 39 = -24
  view::DrawMovingArrows(scene.dc, scene.canvas, 100, 100);
  EXPECT_EQ(scene.canvas.calls[1], "polygon pen:808000/1/solid brush:C0DCC0 124,100 114,95 114,105");
  // The pentagon: (x + round((r + 5) sin t), y + round(r cos t)), closed.
  scene.canvas.calls.clear();
  scene.dc.AnimAngle = 90;
  view::DrawRotatingStarXY(scene.dc, scene.canvas, 100, 100, 5, 8);
  ASSERT_EQ(scene.canvas.calls.size(), 6u);
  EXPECT_EQ(scene.canvas.calls[0], "move 110 100");
  EXPECT_EQ(scene.canvas.calls[1], "line 110 100 103 92 pen:0000FF/1/solid");
  EXPECT_EQ(scene.canvas.calls[5], "line 103 108 110 100 pen:0000FF/1/solid");
}

TEST(NodePainter, ShadowsOfJunctionElementAndProbe) {
  NodeScene scene;
  const TPoint o = view::ShadowOffset(0, {100, 100});
  const platform::TSize e = platform::DrawingTextExtent("7");
  TheNode* j = scene.Node(2, 100, 100, "7");
  auto calls = scene.Shadow(j);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0], "roundrect " + std::to_string(o.x - e.cx / 2 - 5) + " " + std::to_string(o.y - e.cy / 2 - 1) + " " +
                          std::to_string(o.x + e.cx / 2 + 5) + " " + std::to_string(o.y + e.cy / 2 + 1) +
                          " 25 15 pen:C0C0C0/1/solid brush:C0C0C0");
  // An element with its pictures on: the silhouette, always transparent; no label.
  scene.settings.CheckImages = true;
  calls = scene.Shadow(scene.Node(19, 100, 100, "R1", "1"));
  EXPECT_EQ(calls, (std::vector<std::string>{"draw " + std::to_string(o.x - 16) + " " + std::to_string(o.y - 16) +
                                             " 32x32 transparent"}));
  // Type 31 gets only its probe link's shadow, drawn with the shadow colour.
  TheNode* probe = scene.Node(31, 100, 100);
  scene.graph.AddLine(-2, probe, scene.Node(2, 40, 100), model::alInPin);
  scene.graph.AddLine(-2, probe, scene.Node(2, 160, 100), model::alOutPin);
  calls = scene.Shadow(probe);
  EXPECT_GT(Count(calls, "pen:C0C0C0/3/solid"), 0);
  EXPECT_EQ(Count(calls, "draw"), 0);
  // The probe's full-colour drawing starts with its blue link.
  scene.settings.CheckImages = false;
  calls = scene.Draw(probe);
  EXPECT_EQ(calls[1].find("pen:FF0000/3/solid") != std::string::npos, true) << Join(calls);
}

TEST(NodePainter, SubCircuitEyesInTheShadow) {
  for (bool hasLines : {true, false}) {
    NodeScene scene;
    scene.settings.CheckEye = true;
    scene.dc.MousePoint = {400, 0};
    scene.dc.AnimAngle = 250;  // empty: c = 250 + x + y (+- 6) within the rolling turn
    TheNode* s = scene.Node(29, 0, 0);
    if (hasLines) scene.graph.AddLine(-2, s, scene.Node(2, 50, 50), model::alOutPin);
    const auto calls = scene.Shadow(s);
    EXPECT_EQ(Count(calls, "ellipse"), 4);
    EXPECT_EQ(Count(calls, "brush:FF0000"), 2) << "blue pupils";
    EXPECT_EQ(scene.canvas.pen.Color, view::kShadowColor);
    const TPoint o = view::ShadowOffset(0, {0, 0});
    // Pupil of the left eye: toward the mouse (3 right) or turning.
    const std::string looking = "ellipse " + std::to_string(o.x - 6 + 3 - 2) + " " + std::to_string(o.y - 4);
    EXPECT_EQ(calls[2].rfind(looking, 0) == 0, hasLines) << Join(calls);
  }
}

TEST(NodePainter, SecondBuildMarksTheCurrentNodeWithTheNode) {
  struct Case {
    int type;
    int angle;
    std::string firstTip;
  };
  const Case cases[] = {{2, 0, "120,100"}, {2, 360, "90,100"}, {19, 0, "135,100"}};
  for (const Case& c : cases) {
    NodeScene scene(model::ModelVariant::Second);
    scene.dc.AnimAngle = c.angle;
    TheNode* n = scene.Node(c.type, 100, 100);
    scene.graph.CurrentNode = n;
    const auto calls = scene.Draw(n);
    EXPECT_EQ(Count(calls, "brush:F0CAA6"), 4) << c.type;
    EXPECT_TRUE(Has(calls, "polygon pen:808000/1/solid brush:F0CAA6 " + c.firstTip + " " +
                               calls[0].substr(calls[0].find(c.firstTip) + c.firstTip.size() + 1)))
        << Join(calls);
    EXPECT_EQ(calls[0].rfind("polygon pen:808000/1/solid brush:F0CAA6 " + c.firstTip, 0), 0u) << Join(calls);
  }
  // The full program leaves the marker to the redraw.
  NodeScene full;
  TheNode* n = full.Node(2);
  full.graph.CurrentNode = n;
  EXPECT_EQ(Count(full.Draw(n), "polygon"), 0);
  // The second build's spare codes 33 to 35 are no elements: neither symbol nor picture.
  NodeScene second(model::ModelVariant::Second);
  for (int spare : {33, 34, 35}) EXPECT_TRUE(second.Draw(second.Node(spare)).empty()) << spare;
}
