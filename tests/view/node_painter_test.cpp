// The node painter's branches through the recording canvas: labels, ground
// marks, text notes, junctions, eyes, pictures, the open box, the gesture
// and selection marks, the shadows and the second build's differences,
// against golden lists (tests/view/golden/node_<scene>.txt;
// VEMU_UPDATE_GOLDEN=1 rewrites them).
#include <gtest/gtest.h>

#include "support/golden_file.h"

#include <QImage>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "catalogue/node_type_table.h"
#include "model/graph.h"
#include "platform/canvas_text.h"
#include "platform/recording_canvas.h"
#include "view/draw_context.h"
#include "view/my_line.h"
#include "view/node_painter.h"
#include "view/shadow.h"
#include "view/view_globals.h"

using namespace vemu;
using model::TheNode;
using model::TPoint;

namespace {

struct NodeScene {
  int savedArrowSize = view::ArrowSize;
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
    view::ArrowSize = 6;  // as the main window sets it; the probe links' heads depend on it
  }
  ~NodeScene() { view::ArrowSize = savedArrowSize; }
  NodeScene(const NodeScene&) = delete;
  NodeScene& operator=(const NodeScene&) = delete;
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

// Each scene draws its nodes' shadows, then the nodes themselves (twice for
// the scenes marked so, as two frames), and compares the calls with
// tests/view/golden/node_<name>.txt.
struct PainterScene {
  const char* name;
  std::function<std::vector<TheNode*>(NodeScene&)> setup;
  model::ModelVariant variant = model::ModelVariant::Full;
  int frames = 1;
};

// An element between two junctions 40 units to its left and right, its links at rest.
std::vector<TheNode*> Wired(NodeScene& s, TheNode* e) {
  view::AsMyLine(s.graph.AddLine(-2, e, s.Node(2, e->X - 40, e->Y), model::alInPin))->SetAtRest();
  view::AsMyLine(s.graph.AddLine(-2, e, s.Node(2, e->X + 40, e->Y), model::alOutPin))->SetAtRest();
  return {e};
}

const PainterScene kPainterScenes[] = {
    {"ground_marks",
     [](NodeScene& s) {
       std::vector<TheNode*> nodes;
       for (int g = 0; g <= 5; ++g) {
         nodes.push_back(s.Node(2, 50 + 50 * g, 100, "", ""));
         nodes.back()->Ground = g;
       }
       return nodes;
     }},
    {"junction_label", [](NodeScene& s) { return std::vector<TheNode*>{s.Node(2, 100, 100, "12")}; }},
    {"junction_selected_eye",
     [](NodeScene& s) {
       s.settings.CheckEye = true;
       TheNode* j = s.Node(2, 100, 100, "0");
       j->Ground = 1;
       j->Selected = 1;
       TheNode* k = s.Node(2, 200, 100, "3");
       k->Ground = 2;
       return std::vector<TheNode*>{j, k};
     }},
    {"element_symbol_label",
     [](NodeScene& s) {
       TheNode* e = s.Node(19, 100, 100, "R1", "10k");
       e->Wx = 0;
       e->Wy = -20;
       e->Selected = 1;
       return Wired(s, e);
     }},
    {"element_picture_opaque",
     [](NodeScene& s) {
       s.settings.CheckImages = true;
       return std::vector<TheNode*>{s.Node(19, 100, 100, "R1", "")};
     }},
    {"element_picture_transparent",
     [](NodeScene& s) {
       s.settings.CheckImages = true;
       s.settings.CheckTransparency = true;
       return std::vector<TheNode*>{s.Node(21, 100, 100, "", "1m")};
     }},
    {"subcircuit_with_lines",
     [](NodeScene& s) {
       s.settings.CheckEye = true;
       TheNode* x = s.Node(29, 100, 100, "X1");
       x->Wx = 0;
       x->Wy = 28;
       s.graph.AddLine(-2, x, s.Node(2, 100, 200), model::alOutPin);
       return std::vector<TheNode*>{x};
     }},
    {"subcircuit_open_box",
     [](NodeScene& s) {
       s.settings.CheckEye = true;
       s.dc.OpenBoxBitmap = &s.openBox;
       s.dc.AnimAngle = 30;
       return std::vector<TheNode*>{s.Node(29, 100, 100, "X2")};
     }},
    {"text_single",
     [](NodeScene& s) {
       s.settings.CheckEye = true;
       s.settings.EditTLine = "8";
       TheNode* t = s.Node(32, 100, 100, "", "note");
       t->Wx = 60;
       t->Wy = 80;
       return std::vector<TheNode*>{t};
     }},
    {"text_single_selected",
     [](NodeScene& s) {
       TheNode* t = s.Node(32, 100, 100, "", "note");
       t->Wx = -40;
       t->Wy = 0;
       t->Selected = 1;
       return std::vector<TheNode*>{t};
     }},
    {"text_multi",
     [](NodeScene& s) {
       s.settings.CheckEye = true;
       return std::vector<TheNode*>{s.Node(32, 100, 100, "", "one/two//three/")};
     },
     model::ModelVariant::Full, 2},
    {"gesture_down_and_hover",
     [](NodeScene& s) {
       TheNode* a = s.Node(2, 100, 100, "1");
       TheNode* b = s.Node(2, 200, 100, "2");
       s.dc.DownNode = a;
       s.dc.HoverNode = b;
       return std::vector<TheNode*>{a, b};
     }},
    {"gesture_both",
     [](NodeScene& s) {
       TheNode* a = s.Node(2, 100, 100, "1");
       s.dc.DownNode = a;
       s.dc.HoverNode = a;
       return std::vector<TheNode*>{a};
     }},
    {"probe_loop_mark",
     [](NodeScene& s) {
       TheNode* p = s.Node(31, 100, 100, "P1", "");
       p->Wx = 0;
       p->Wy = -20;
       return Wired(s, p);
     }},
    {"probe_meter_36",
     [](NodeScene& s) {
       TheNode* p = s.Node(36, 100, 100, "P3", "");
       return Wired(s, p);
     }},
    {"second_current_junction",
     [](NodeScene& s) {
       TheNode* j = s.Node(2, 100, 100, "5");
       j->Selected = 1;
       s.graph.CurrentNode = j;
       s.dc.AnimAngle = 120;
       return std::vector<TheNode*>{j};
     },
     model::ModelVariant::Second},
    {"second_current_sensor",
     [](NodeScene& s) {
       TheNode* e = s.Node(5, 100, 100, "I1", "");
       s.graph.CurrentNode = e;
       return Wired(s, e);
     },
     model::ModelVariant::Second},
};

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
  // A huge value shows only the label's first bytes (no frame lays out megabytes).
  NodeScene scene;
  const std::string huge(3'000'000, 'x');
  EXPECT_EQ(view::NodeLabelText(scene.dc, *scene.Node(19, 0, 0, "R1", huge.c_str())), "R1= " + huge.substr(0, view::kLabelBytesMax - 4));
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


TEST(NodePainter, BranchesMatchTheirGoldenLists) {
  for (const PainterScene& ps : kPainterScenes) {
    NodeScene scene(ps.variant);
    const std::vector<TheNode*> nodes = ps.setup(scene);
    std::string calls;
    scene.canvas.calls.clear();
    for (TheNode* n : nodes) view::DrawNodeShadow(scene.dc, n, scene.canvas);
    for (int frame = 0; frame < ps.frames; ++frame) {
      scene.canvas.calls.push_back("--- frame " + std::to_string(frame + 1));
      for (TheNode* n : nodes) view::DrawNode(scene.dc, n, scene.canvas);
    }
    calls = Join(scene.canvas.calls);
    const std::string path = std::string(VEMU_SOURCE_DIR) + "/tests/view/golden/node_" + ps.name + ".txt";
    vemu::testing::ExpectGoldenFile(path, calls, ps.name);
  }
}

TEST(NodePainter, StateTheDrawingLeavesBehind) {
  // The text pointer's head size is taken for the one arrow only.
  NodeScene scene;
  scene.settings.EditTLine = "25";
  view::ArrowSize = 6;
  TheNode* t = scene.Node(32, 100, 100, "", "note");
  scene.Draw(t);
  EXPECT_EQ(view::ArrowSize, 6);
  // A multi-line note writes its block size back, frame after frame.
  TheNode* m = scene.Node(32, 100, 100, "", "first line/x");
  scene.Draw(m);
  const platform::TSize first = platform::DrawingTextExtent("first line");
  EXPECT_EQ(m->Wx, first.cx);
  EXPECT_EQ(m->Wy, 2 * first.cy);
  // The label's clear background does not stay on the brush.
  TheNode* e = scene.Node(19, 100, 100, "R1", "1");
  scene.Draw(e);
  EXPECT_EQ(scene.canvas.brush, (platform::Brush{0xFFFFFF, platform::BrushStyle::Solid}));
  EXPECT_EQ(scene.canvas.FontColor, 0x000000u);
}

TEST(NodePainter, NothingToDraw) {
  NodeScene scene;
  TheNode* odd = scene.Node(120);  // a type outside the table
  odd->Ground = 1;
  odd->Selected = 1;
  EXPECT_TRUE(scene.Draw(odd).empty());
  EXPECT_TRUE(scene.Shadow(odd).empty());
  EXPECT_TRUE(scene.Draw(nullptr).empty());
  EXPECT_TRUE(scene.Shadow(nullptr).empty());
  // An element type without a glyph: no picture, no symbol, no label.
  EXPECT_TRUE(scene.Draw(scene.Node(20, 100, 100, "g1", "1")).empty());
  EXPECT_TRUE(scene.Shadow(scene.Node(20)).empty());
  view::DrawNodePicture(scene.dc, 0, 0, scene.canvas, nullptr);
  EXPECT_TRUE(scene.canvas.calls.empty());
  // The second build's spare codes 33 to 35 are no elements.
  NodeScene second(model::ModelVariant::Second);
  for (int spare : {33, 34, 35}) EXPECT_TRUE(second.Draw(second.Node(spare)).empty()) << spare;
  // The full program leaves the current-node marker to the redraw.
  TheNode* j = scene.Node(2);
  scene.graph.CurrentNode = j;
  EXPECT_EQ(Count(scene.Draw(j), "polygon"), 0);
}
