// The redraw of the shown level on a recording canvas: the order of its
// passes, the feedback states, GraphBusy, a missing shown level, the failure
// path, the grid's limits and the arrangement mode.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "catalogue/node_type_table.h"
#include "model/graph.h"
#include "platform/image_canvas.h"
#include "platform/recording_canvas.h"
#include "view/draw_context.h"
#include "view/redraw.h"
#include "view/view_globals.h"

using namespace vemu;
using model::TheNode;
using model::TPoint;

namespace {

struct CountingHost : view::RedrawHost {
  int failed = 0;
  int shown = 0;
  void RedrawFailed() override { ++failed; }
  void ShowPicture() override { ++shown; }
};

struct Scene {
  model::TheBaseOfGraf graph;
  catalogue::Settings settings;
  catalogue::NodeTypeTable types;
  view::TMyScale view;
  platform::RecordingCanvas canvas{{400, 300}};
  view::DrawRandom random;
  view::DrawContext ctx;
  view::RedrawState state;
  CountingHost host;
  std::int32_t mouseState = 0;
  std::uint8_t redrawRequest = 1;
  TheNode* root;

  Scene() {
    QImage glyph(32, 32, QImage::Format_RGB32);
    glyph.fill(0x808080);
    catalogue::InitNodeTypeTable(types, model::NodeTypeCount, [&glyph](int) { return glyph; });
    root = graph.AddNode(nullptr, model::ntRoot);
    root->Name = "Upper Level";
    graph.MainNode = root;
    settings.CheckCross = false;
    view.WinRect = {0, 0, 400, 300};
    ctx.canvas = &canvas;
    ctx.view = &view;
    ctx.graph = &graph;
    ctx.settings = &settings;
    ctx.nodeTypes = &types;
    ctx.random = &random;
    state.graph = &graph;
    state.MouseState = &mouseState;
    state.RedrawRequest = &redrawRequest;
    state.PaintBoxWidth = 400;
    state.PaintBoxHeight = 300;
  }
  TheNode* Member(int type, int x, int y, const char* name = "") {
    TheNode* n = graph.AddNode(root, static_cast<std::uint8_t>(type));
    graph.AddLine(-2, root, n, model::alHaveItem);
    n->X = x;
    n->Y = y;
    n->Name = name;
    return n;
  }
  // A junction, a resistor and a second junction in a row.
  void SmallCircuit() {
    TheNode* a = Member(2, 100, 100, "1");
    TheNode* r = Member(19, 160, 100, "R1");
    TheNode* b = Member(2, 220, 100, "2");
    graph.AddLine(-2, r, a, model::alInPin);
    graph.AddLine(-2, r, b, model::alOutPin);
  }
  std::vector<std::string> Draw(bool feedback = true) {
    canvas.calls.clear();
    ctx.MouseState = mouseState;
    view::DrawAll(ctx, state, host, feedback);
    return canvas.calls;
  }
};

int Count(const std::vector<std::string>& calls, const std::string& part) {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                        [&](const std::string& c) { return c.find(part) != std::string::npos; }));
}

std::size_t First(const std::vector<std::string>& calls, const std::string& part) {
  for (std::size_t i = 0; i < calls.size(); ++i)
    if (calls[i].find(part) != std::string::npos) return i;
  return calls.size();
}

}  // namespace

TEST(Redraw, PassesComeInTheirOrder) {
  Scene s;
  s.SmallCircuit();
  s.mouseState = 2;
  s.ctx.DownPoint = {10, 250};
  s.ctx.MousePoint = {60, 250};
  const auto calls = s.Draw();
  // background, shadows, title, gesture arrow, wires, nodes
  const std::vector<std::size_t> order = {
      First(calls, "fill 0 0 400 300 FFFFFF"), First(calls, "pen:C0C0C0"),     First(calls, "text 5 5"),
      First(calls, "line 10 250 60 250 pen:000000"), First(calls, "pen:008000/1/solid"),
      First(calls, "brush:008000"),
  };
  for (std::size_t i = 0; i < order.size(); ++i)
    ASSERT_LT(order[i], calls.size()) << "pass " << i << " missing\n" << s.canvas.Text();
  EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
  EXPECT_EQ(order[0], 0u);
  EXPECT_EQ(s.host.shown, 1);
  EXPECT_EQ(s.host.failed, 0);
  EXPECT_EQ(s.redrawRequest, 0);
}

TEST(Redraw, GraphBusyLeavesEverythingAlone) {
  Scene s;
  s.SmallCircuit();
  model::GraphBusy = true;
  const auto calls = s.Draw();
  model::GraphBusy = false;
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(s.host.shown, 0);
  EXPECT_EQ(s.redrawRequest, 1);
}

TEST(Redraw, MissingShownLevelIsNoFailure) {
  Scene s;
  s.SmallCircuit();
  s.graph.MainNode = nullptr;
  s.graph.CurrentNode = s.root;  // a node without owner is no member of a missing level
  const auto calls = s.Draw();
  EXPECT_EQ(Count(calls, "\"Main=NIL\""), 1);
  EXPECT_EQ(Count(calls, "text"), 1);
  EXPECT_EQ(Count(calls, "brush:008000"), 0);
  EXPECT_EQ(s.host.failed, 0);
  EXPECT_EQ(s.host.shown, 1);
}

TEST(Redraw, FailureShowsItsTextStopsAndRestoresTheArrowSize) {
  Scene s;
  s.SmallCircuit();
  model::TheBaseOfGraf other;
  s.graph.MainNode = other.AddNode(nullptr, model::ntRoot);  // not a node of this circuit
  view::ArrowSize = 17;
  const auto calls = s.Draw();
  EXPECT_EQ(view::ArrowSize, 17);
  EXPECT_EQ(s.host.failed, 1);
  EXPECT_EQ(s.host.shown, 1);
  ASSERT_FALSE(calls.empty());
  EXPECT_NE(calls.back().find("text 10 10"), std::string::npos);
  EXPECT_NE(calls.back().find("\"FVIEW - failed !!!\""), std::string::npos);
  EXPECT_EQ(s.redrawRequest, 0);
  s.graph.MainNode = s.root;
}

TEST(Redraw, OutOfRangeWidthsAndArrowSizesAreHeldToTheirRanges) {
  Scene s;
  s.SmallCircuit();
  TheNode* j = s.Member(2, 300, 200, "3");
  s.graph.AddLine(-2, j, s.root->FirstLine->Node, model::alWire);
  s.ctx.LineWidth0 = 1000000;
  s.ctx.LineWidth1 = -4;
  view::ArrowSize = 5000;
  const auto calls = s.Draw();
  EXPECT_EQ(view::ArrowSize, 5000);
  for (const std::string& c : calls) {
    const std::size_t at = c.find("pen:");
    if (at == std::string::npos) continue;
    const int width = std::stoi(c.substr(at + 11));
    EXPECT_GE(width, 1) << c;
    EXPECT_LE(width, 10) << c;
  }
  view::ArrowSize = 6;
}

TEST(Redraw, FeedbackStates) {
  struct Case {
    int mouseState;
    bool feedback;
    bool useGrid;
    int greenPixels;
    bool outline;   // the rubber band's green frame
    int blueMarks;  // lines of the mouse mark
  } cases[] = {
      {3, true, false, 100, true, 0}, {3, false, false, 100, false, 0}, {0, true, true, 0, false, 2},
      {0, false, true, 0, false, 0},  {1, true, false, 0, false, 0},
  };
  for (const Case& c : cases) {
    Scene s;
    s.mouseState = c.mouseState;
    s.settings.CheckUseGrid = c.useGrid;
    s.ctx.DownPoint = {20, 30};
    s.ctx.MousePoint = {120, 90};
    const auto calls = s.Draw(c.feedback);
    EXPECT_EQ(Count(calls, "pixel"), c.greenPixels) << c.mouseState << c.feedback;
    for (const std::string& p : calls) {
      if (p.rfind("pixel", 0) != 0) continue;
      int x = 0, y = 0;
      ASSERT_EQ(std::sscanf(p.c_str(), "pixel %d %d", &x, &y), 2);
      EXPECT_TRUE(x >= 20 && x < 120 && y >= 30 && y < 90) << p;
    }
    EXPECT_EQ(Count(calls, "line 20 30 20 90 pen:008000") == 1, c.outline) << c.mouseState << c.feedback;
    EXPECT_EQ(Count(calls, "pen:FF0000/1/solid") - Count(calls, "roundrect"), c.blueMarks);
  }
}

TEST(Redraw, LabelMoveGesture) {
  Scene s;
  s.SmallCircuit();
  TheNode* junction = s.root->FirstLine->Node;
  TheNode* resistor = s.root->FirstLine->Next->Node;
  s.mouseState = 6;
  s.state.DownNode = junction;  // over a junction the gesture ends
  s.Draw();
  EXPECT_EQ(s.mouseState, 0);
  EXPECT_EQ(s.graph.CurrentNode, junction);

  s.mouseState = 6;
  s.state.DownNode = resistor;
  s.ctx.MousePoint = {300, 200};
  auto calls = s.Draw();
  EXPECT_EQ(s.mouseState, 6);
  EXPECT_EQ(s.graph.CurrentNode, resistor);
  EXPECT_EQ(Count(calls, "ellipse 140 80 180 120"), 1);
  EXPECT_EQ(Count(calls, "line 160 100 300 200 pen:FF0000"), 1);

  s.state.DownNode = nullptr;
  calls = s.Draw();
  EXPECT_EQ(s.graph.CurrentNode, nullptr);
  EXPECT_EQ(Count(calls, "text 300 200"), 1);  // message 40 at the mouse
}

TEST(Redraw, GridLimits) {
  struct Case {
    double scale;
    int step;
    bool lines;
  } cases[] = {{0.1, 15, false}, {0.1000001, 15, true}, {1.0, 0, false}, {1.0, -5, false}, {1.0, 15, true},
               {0.11, 1, true}};
  for (const Case& c : cases) {
    Scene s;
    s.settings.CheckSeeGrid = true;
    s.view.Scale = c.scale;
    s.ctx.GridStep = c.step;
    const auto calls = s.Draw();
    std::set<std::string> columnsAndRows;
    int dotted = 0;
    for (const std::string& l : calls) {
      if (l.find("/dot") == std::string::npos) continue;
      ++dotted;
      int x1, y1, x2, y2;
      ASSERT_EQ(std::sscanf(l.c_str(), "line %d %d %d %d", &x1, &y1, &x2, &y2), 4);
      EXPECT_TRUE(columnsAndRows.insert(x1 == x2 ? "x" + std::to_string(x1) : "y" + std::to_string(y1)).second) << l;
    }
    EXPECT_EQ(dotted > 0, c.lines) << c.scale << " " << c.step;
    EXPECT_LE(dotted, 400 + 300 + 2);
  }
  EXPECT_EQ(view::SnapToGrid(8, 15), 7);
  EXPECT_EQ(view::SnapToGrid(30, 15), 22);
  EXPECT_EQ(view::SnapToGrid(-10, 15), -8);
  EXPECT_EQ(view::SnapToGrid(-10, 0), -10);
}

TEST(Redraw, ArrangementCentresEachMemberOncePerFrame) {
  Scene s;
  TheNode* a = s.Member(2, 0, 0, "1");
  TheNode* b = s.Member(2, 100, 0, "2");
  s.graph.AddLine(-2, a, b, model::alWire);
  s.graph.AddLine(-2, a, b, model::alWire);
  s.state.ArrangeMode = true;
  s.state.PaintBoxWidth = 1000;
  s.state.PaintBoxHeight = 800;
  // The preview's paint (feedback off) never arranges.
  s.Draw(false);
  EXPECT_EQ(a->GetPos(), (TPoint{0, 0}));
  EXPECT_EQ(b->GetPos(), (TPoint{100, 0}));
  // Mean (50, 0), centring (450, 400) once, two pulls of a tenth to
  // (387, 328) and (163, 72), then the neighbour step of (29, 5), which b
  // takes back once for each of its two links.
  const auto calls = s.Draw(true);
  EXPECT_EQ(a->GetPos(), (TPoint{416, 333}));
  EXPECT_EQ(b->GetPos(), (TPoint{105, 62}));
  EXPECT_EQ(Count(calls, "\"-(Press ESC)-\""), 1);
}

TEST(Redraw, ArrangementPushesCoincidentMembersApart) {
  Scene s;
  TheNode* a = s.Member(19, 50, 50, "R1");
  TheNode* b = s.Member(19, 50, 50, "R2");
  TheNode* c = s.Member(19, 90, 50, "R3");
  s.state.ArrangeMode = true;
  s.Draw(true);
  // a steps by (10, 10) off b and is pushed from c (distance 40 from where
  // a was: 19 each); then b and c (distance 59: 13 each).
  EXPECT_EQ(a->GetPos(), (TPoint{41, 60}));
  EXPECT_EQ(b->GetPos(), (TPoint{37, 50}));
  EXPECT_EQ(c->GetPos(), (TPoint{122, 50}));
}

TEST(Redraw, LeavingOutWhatLiesOutsideKeepsThePicture) {
  // Members far around a small picture, labels far from their elements and
  // wires that cross the picture with both ends outside: the picture is the
  // same whether what lies outside is handed to the painters or not.
  Scene s;
  std::vector<TheNode*> nodes;
  for (int k = 0; k < 60; ++k) {
    const int type = k % 3 == 0 ? 2 : 3 + k % 28;
    TheNode* n = s.Member(type, -700 + (k % 10) * 230, -500 + (k / 10) * 190, k % 3 ? "R7" : "5");
    n->Value = "22k";
    n->Wx = (k % 4 == 1) ? -260 : 0;
    n->Wy = -20;
    n->Selected = k % 5 == 0;
    nodes.push_back(n);
  }
  for (int k = 1; k < 60; k += 3) {
    s.graph.AddLine(-2, nodes[k], nodes[k - 1], model::alInPin);
    s.graph.AddLine(-2, nodes[k], nodes[(k + 11) % 60], model::alOutPin);
  }
  s.graph.AddLine(-2, nodes[0], nodes[59], model::alWire);
  auto render = [&s](bool leaveOut) {
    QImage image(400, 300, QImage::Format_RGB32);
    {
      platform::ImageCanvas canvas(image);
      s.ctx.canvas = &canvas;
      s.state.LeaveOutUnseen = leaveOut;
      view::DrawAll(s.ctx, s.state, s.host, true);
    }
    s.ctx.canvas = &s.canvas;
    return image;
  };
  for (const TPoint origin : {TPoint{0, 0}, TPoint{350, 260}, TPoint{-120, 480}}) {
    s.view.OriginX = origin.x;
    s.view.OriginY = origin.y;
    EXPECT_EQ(render(true), render(false)) << origin.x << " " << origin.y;
  }
}

TEST(Redraw, WireIntoAnotherLevelShowsOnlyTheArrowAndTheBox) {
  Scene s;
  TheNode* x = s.Member(29, 0, 0, "X1");
  TheNode* outer = s.Member(2, 30, 40, "1");
  TheNode* inner = s.graph.AddNode(x, 2);
  s.graph.AddLine(-2, x, inner, model::alHaveItem);
  inner->X = 100;
  inner->Y = 100;
  inner->Name = "1";
  s.graph.AddLine(-2, inner, outer, model::alWire);
  s.graph.MainNode = x;
  s.ctx.LineWidth0 = 1;
  const auto calls = s.Draw();
  // 50 pixels toward the outer junction as seen from X1: (30, 40).
  EXPECT_EQ(Count(calls, "line 100 100 130 140 pen:FF0000/3/solid"), 1);
  EXPECT_EQ(Count(calls, "line 100 100 130 140 pen:00FFFF/1/solid"), 1);
  EXPECT_EQ(Count(calls, "roundrect 89 90 111 110 20 20 pen:FF0000/1/solid brush:00FFFF"), 1);
  for (const std::string& c : calls)  // no wire line
    EXPECT_FALSE(c.rfind("line", 0) == 0 && c.find("pen:008000") != std::string::npos) << c;
  EXPECT_EQ(Count(calls, "\"MSG53 X1\""), 1);
}
