// The canvas gestures without a window: hit test, free place search, the
// connect routines with their limits and the pin question, and whole
// press-move-release sequences.
#include <gtest/gtest.h>

#include <map>

#include "catalogue/node_type_table.h"
#include "catalogue/settings.h"
#include "model/graph.h"
#include "platform/scripted_dialogs.h"
#include "view/canvas_gesture.h"
#include "view/gesture_connect.h"
#include "view/gesture_hit_test.h"
#include "support/graph_members.h"

using namespace vemu;
using model::TheNode;
using model::TPoint;
using view::MouseButton;
using view::MouseShift;

namespace {

class RecordingHost : public view::GestureHost {
 public:
  std::map<int, std::string> status;
  int snapshots = 0, numberings = 0, finished = 0, redraws = 0, itemsChanged = 0, viewMoved = 0;
  bool modified = false;
  TheNode* current = nullptr;
  model::TheBaseOfGraf* graph = nullptr;
  view::GestureCursor cursor = view::GestureCursor::Arrow;

  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  void PushUndoSnapshot() override { ++snapshots; }
  void SetModified() override { modified = true; }
  void NumberNets() override { ++numberings; }
  void SetCurrentNode(TheNode* n) override { current = n; }
  void SetLevelSelection(std::uint8_t flag) override {
    graph->MainNode->forEachLine([flag](model::TheLine* l) {
      if (l->Kind == model::alHaveItem) l->Node->Selected = flag;
    });
  }
  void AfterCreateElement(TheNode*) override { ++finished; }
  void ItemsChanged() override { ++itemsChanged; }
  void ViewMoved() override { ++viewMoved; }
  void Redraw() override { ++redraws; }
  void SetCursor(view::GestureCursor c) override { cursor = c; }
};

class GestureTest : public ::testing::Test {
 protected:
  GestureTest() : scope(dialogs), ctx{graph, scale, settings, types, host} {
    for (int t = 0; t < model::NodeTypeCount; ++t) types.push_back(catalogue::TypeRules(t));
    catalogue::SetDescription(types[3], "\"R\" resistor");
    root = graph.AddNode(nullptr, model::ntRoot);
    root->Name = "Upper Level";
    graph.MainNode = root;
    host.graph = &graph;
  }

  TheNode* member(std::uint8_t type, const std::string& name, int x, int y, TheNode* owner = nullptr) {
    return vemu::testing::AddMember(graph, owner ? owner : root, type, name, x, y);
  }
  int links(const TheNode* n, int kind) const { return graph.CountLinesOfKinds(n, {kind}); }
  bool linked(const TheNode* from, const TheNode* to, int kind) const {
    bool found = false;
    from->forEachLine([&](model::TheLine* l) { found = found || (l->Node == to && l->Kind == kind); });
    return found;
  }
  // One whole gesture: press at `from`, one move to `to` with `held`, release there.
  void drag(TPoint from, TPoint to, MouseButton button, MouseShift held) {
    view::GestureMouseDown(ctx, fields, button, held, from);
    view::GestureMouseMove(ctx, fields, held, to);
    view::GestureMouseUp(ctx, fields, button, held, to);
  }

  platform::ScriptedDialogs dialogs;
  platform::ScopedDialogs scope;
  model::TheBaseOfGraf graph;
  view::TMyScale scale;
  catalogue::Settings settings;
  catalogue::NodeTypeTable types;
  RecordingHost host;
  view::GestureContext ctx;
  TheNode* root = nullptr;
  std::int32_t mouseState = 0;
  TheNode* downNode = nullptr;
  TheNode* hoverNode = nullptr;
  TPoint downPoint, mousePoint;
  std::uint8_t ignore = 0;
  view::GestureFields fields{mouseState, downNode, hoverNode, downPoint, mousePoint, ignore};
};

const MouseShift kLeft{.left = true};

TEST_F(GestureTest, HitTestKeepsThirtyScreenPixelsAtEveryZoom) {
  TheNode* a = member(2, "1", 0, 0);
  TheNode* b = member(2, "2", 20, 0);
  struct Case { double scale; TPoint at; TheNode* hit; };
  const Case cases[] = {
      {1.0, {10, 0}, a},    // tie: first in list order
      {1.0, {12, 0}, b},    {1.0, {0, 29}, a},  {1.0, {0, 30}, nullptr},
      {2.0, {0, 14}, a},    {2.0, {0, 15}, nullptr}, {0.5, {0, 59}, a}, {0.5, {-60, 0}, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(view::NodeAtInLevel(c.at.x, c.at.y, root, c.scale), c.hit) << c.scale << " " << c.at.x << "," << c.at.y;
  }
  EXPECT_EQ(view::NodeAtInLevel(0, 0, nullptr, 1.0), nullptr);
  EXPECT_EQ(view::Distance(INT32_MIN, 0, INT32_MAX, 0), INT32_MAX);  // no wrap-round
}

TEST_F(GestureTest, FreePlaceWalksThePerpendicularAndAlwaysEnds) {
  std::vector<TPoint> tried;
  EXPECT_EQ(view::FindFreePlace({0, 0}, {100, 0}, root, 15, 1.0, &tried), (TPoint{50, 0}));
  member(2, "1", 50, 0);
  tried.clear();
  // h = (0, 50), d = 50 > 30: step (0, 15); m is taken twice, then m - s is 15 away (still hit),
  // m + s likewise, m - 2s is 30 away and free.
  EXPECT_EQ(view::FindFreePlace({0, 0}, {100, 0}, root, 15, 1.0, &tried), (TPoint{50, -30}));
  EXPECT_EQ(tried.size(), 5u);
  // Equal points: the fixed step (5, 5); a grid step of 0 counts as 1.
  EXPECT_EQ(view::FindFreePlace({50, 0}, {50, 0}, root, 15, 1.0), (TPoint{35, -15}));
  EXPECT_NE(view::FindFreePlace({0, 0}, {100, 0}, root, 0, 1.0), (TPoint{50, 0}));
  // Every candidate taken (a huge hit radius): the search gives up with its last candidate.
  tried.clear();
  view::FindFreePlace({0, 0}, {100, 0}, root, 1, 1e-9, &tried);
  EXPECT_EQ(static_cast<int>(tried.size()), view::kFreePlaceTries);
}

TEST_F(GestureTest, ElementToJunctionAddsRemovesAndReplacesWithinTheLimit) {
  TheNode* r = member(3, "R1", 0, 0);
  TheNode* j1 = member(2, "1", 100, 0);
  TheNode* j2 = member(2, "2", 200, 0);
  view::ConnectElementToNode(ctx, r, j1);
  EXPECT_TRUE(linked(r, j1, model::alOutPin));
  view::ConnectElementToNode(ctx, r, j2);  // limit 1: the old output link gives way
  EXPECT_FALSE(linked(r, j1, model::alOutPin));
  EXPECT_TRUE(linked(r, j2, model::alOutPin));
  view::ConnectElementToNode(ctx, r, j2);  // again: removed
  EXPECT_EQ(links(r, model::alOutPin), 0);
  // Over its limit already (read from a file): it gains no more.
  graph.AddLine(-2, r, j1, model::alOutPin);
  graph.AddLine(-2, r, j2, model::alOutPin);
  TheNode* j3 = member(2, "3", 300, 0);
  view::ConnectElementToNode(ctx, r, j3);
  EXPECT_EQ(links(r, model::alOutPin), 2);
  EXPECT_TRUE(linked(r, j3, model::alOutPin));
  EXPECT_EQ(host.snapshots, 4);
  EXPECT_EQ(host.numberings, 4);
  // Any link to the junction counts as the one to remove, whatever its kind.
  graph.AddLine(-2, r, member(2, "4", 0, 100), model::alInPin);
  view::ConnectElementToNode(ctx, r, graph.GetLine(r, -2)->Node);
  EXPECT_EQ(links(r, model::alInPin), 0);
}

TEST_F(GestureTest, ProbesDropTheirLinkAndJunctionToElementAddsInputs) {
  TheNode* probe = member(31, "P1", 0, 0);
  TheNode* j1 = member(2, "1", 100, 0);
  TheNode* j2 = member(2, "2", 200, 0);
  graph.AddLine(-2, probe, j1, model::alOutPin);
  view::ConnectElementToNode(ctx, probe, j2);  // removes the output link, adds nothing
  EXPECT_EQ(links(probe, model::alOutPin), 0);
  graph.AddLine(-2, probe, j1, model::alInPin);
  view::ConnectNodeToElement(ctx, j2, probe);
  EXPECT_EQ(links(probe, model::alInPin), 0);

  TheNode* r = member(3, "R1", 0, 50);
  view::ConnectNodeToElement(ctx, j1, r);
  EXPECT_TRUE(linked(r, j1, model::alInPin));
  EXPECT_EQ(host.status[2], "MSG7");
  view::ConnectNodeToElement(ctx, j2, r);  // limit 1: replaced
  EXPECT_EQ(links(r, model::alInPin), 1);
  EXPECT_TRUE(linked(r, j2, model::alInPin));
  EXPECT_EQ(host.numberings, 1);  // only the element-to-junction path renumbers
  TheNode* note = member(34, "S1", 0, 80);  // a type with no links allowed
  view::ConnectNodeToElement(ctx, j1, note);
  EXPECT_EQ(links(note, model::alInPin), 0);
}

TEST_F(GestureTest, ControlLinksWiresAndInsertion) {
  TheNode* gen = member(12, "G1", 0, 0);
  TheNode* rec = member(11, "E1", 50, 0);
  TheNode* other = member(3, "R1", 100, 0);
  view::ConnectControlLink(ctx, rec, gen);
  EXPECT_EQ(host.status[2], "ERROR: MSG6 Unit-->Unit");
  EXPECT_EQ(links(rec, model::alControl), 0);
  view::ConnectControlLink(ctx, gen, rec);
  EXPECT_TRUE(linked(gen, rec, model::alControl));
  view::ConnectControlLink(ctx, gen, other);
  EXPECT_TRUE(linked(gen, other, model::alControl));
  EXPECT_EQ(host.status[2], "MSG6 (G1) =-> (R1)");
  view::ConnectControlLink(ctx, gen, other);
  EXPECT_EQ(links(gen, model::alControl), 0);
  ctx.SecondBuild = true;
  view::ConnectControlLink(ctx, rec, gen);
  EXPECT_EQ(host.status[2], "NoTwoChars LineJoinUnitAndUnit");
  ctx.SecondBuild = false;

  TheNode* a = member(2, "1", 0, 100);
  TheNode* b = member(2, "2", 100, 100);
  view::ToggleWire(ctx, a, b);
  EXPECT_TRUE(linked(a, b, model::alWire));
  view::ToggleWire(ctx, b, a);
  EXPECT_EQ(host.status[2], "Delete CIR(stop)->CIR(start)");
  EXPECT_FALSE(linked(a, b, model::alWire));

  ctx.CurrentType = 3;
  member(3, "R3", 500, 500);  // the third resistor: R3 is taken, so R4
  TheNode* e = view::InsertElementBetween(ctx, a, b);
  EXPECT_EQ(e->Name.str(), "R4");
  EXPECT_EQ(root->FirstLine->Node, e);
  EXPECT_EQ(e->FirstLine->Kind, model::alOutPin);
  EXPECT_EQ(e->FirstLine->Node, b);
  EXPECT_EQ(e->FirstLine->Next->Node, a);
  EXPECT_EQ(host.finished, 1);
}

TEST_F(GestureTest, SubCircuitPinsAreWholeJunctionNames) {
  TheNode* x = member(29, "X1", 0, 0);
  TheNode* p1 = member(2, "1", 0, 0, x);
  member(2, "12", 10, 0, x);
  member(3, "5", 20, 0, x);  // an element named like a pin is no pin
  TheNode* outer = member(2, "7", 100, 0);
  TheNode* bound = member(2, "1", 100, 50);
  graph.AddLine(-2, p1, bound, model::alWire);  // pin 1 already bound to net 1
  EXPECT_EQ(view::ListSubCircuitPinNames(ctx, x, outer), " 12");

  dialogs.inputAnswers.push_back(std::string(" 1 2"));
  view::ConnectElementToNode(ctx, x, outer);
  EXPECT_TRUE(linked(x, outer, model::alOutPin));
  EXPECT_EQ(host.numberings, 1);
  dialogs.inputAnswers.push_back(std::string("5"));
  TheNode* outer2 = member(2, "8", 200, 0);
  view::ConnectElementToNode(ctx, x, outer2);
  ASSERT_EQ(dialogs.boxes.size(), 1u);
  EXPECT_EQ(dialogs.boxes[0].text, "MSG56 (5)");
  EXPECT_FALSE(linked(x, outer2, model::alOutPin));
  dialogs.inputAnswers.push_back(std::nullopt);  // cancel
  view::ConnectNodeToElement(ctx, outer2, x);   // the other direction asks the same
  EXPECT_EQ(dialogs.prompts.size(), 3u);
  EXPECT_FALSE(linked(x, outer2, model::alOutPin));
}

TEST_F(GestureTest, GesturesChosenByButtonsAndModifiers) {
  TheNode* r = member(3, "R1", 0, 0);
  TheNode* j = member(2, "1", 100, 0);
  struct Step { MouseShift held; int state; view::GestureCursor cursor; };
  const Step steps[] = {
      {{.left = true}, 2, view::GestureCursor::SizeHor},     {{.alt = true, .left = true}, 6, view::GestureCursor::Help},
      {{.ctrl = true, .left = true}, 5, view::GestureCursor::SizeAll}, {{.middle = true}, 5, view::GestureCursor::SizeAll},
      {{.right = true}, 4, view::GestureCursor::Cross},
  };
  view::GestureMouseDown(ctx, fields, MouseButton::Left, kLeft, {0, 0});
  EXPECT_EQ(mouseState, 1);
  EXPECT_EQ(downNode, r);
  for (const Step& s : steps) {
    view::GestureMouseMove(ctx, fields, s.held, {98, 0});
    EXPECT_EQ(mouseState, s.state);
    EXPECT_EQ(host.cursor, s.cursor);
  }
  view::GestureMouseMove(ctx, fields, {}, {98, 0});  // nothing held: idle
  EXPECT_EQ(mouseState, 0);

  drag({0, 0}, {98, 2}, MouseButton::Left, kLeft);  // element to junction
  EXPECT_TRUE(linked(r, j, model::alOutPin));
  EXPECT_EQ(host.status[2], "+MSG60");
  EXPECT_EQ(mouseState, 0);
  EXPECT_EQ(downNode, nullptr);
}

TEST_F(GestureTest, ClickRubberBandMovePanAndLabel) {
  TheNode* a = member(2, "1", 0, 0);
  TheNode* b = member(2, "2", 100, 0);
  TheNode* r = member(3, "R1", 50, 50);
  drag({3, 3}, {3, 3}, MouseButton::Left, kLeft);  // a click selects and makes current
  EXPECT_EQ(a->Selected, 1);
  EXPECT_EQ(host.current, a);
  EXPECT_EQ(host.status[2], "MSG10");
  drag({20, 0}, {20, 0}, MouseButton::Left, kLeft);  // 20 units off: reported, nothing selected
  EXPECT_EQ(host.status[2], "Select one object = 20");
  EXPECT_EQ(a->Selected, 1);
  drag({100, 0}, {100, 0}, MouseButton::Left, {.shift = true, .left = true});
  EXPECT_EQ(a->Selected + b->Selected, 2);

  drag({-50, -50}, {60, 40}, MouseButton::Left, kLeft);  // rubber band: empty start
  EXPECT_EQ(a->Selected + b->Selected + r->Selected, 1);  // box shifted by (-3, +3): a only
  EXPECT_EQ(a->Selected, 1);
  drag({-50, -50}, {60, 40}, MouseButton::Left, {.shift = true, .left = true});
  EXPECT_EQ(a->Selected, 0);  // toggled off

  a->Selected = 1;
  const int before = host.snapshots;
  drag({200, 200}, {230, 190}, MouseButton::Right, {.right = true});  // move the selection
  EXPECT_EQ(host.snapshots, before + 1);
  EXPECT_EQ(a->X, 30);
  EXPECT_EQ(a->Y, -10);
  EXPECT_EQ(host.status[2], "MSG5");

  drag({200, 200}, {210, 220}, MouseButton::Middle, {.middle = true});  // pan
  EXPECT_EQ(scale.OriginX, 10);
  EXPECT_EQ(scale.OriginY, 20);
  scale.OriginX = scale.OriginY = 0;

  graph.CurrentNode = r;  // label move (the redraw makes the pressed node current)
  drag({50, 50}, {70, 40}, MouseButton::Left, {.alt = true, .left = true});
  EXPECT_EQ(r->Wx, 20);
  EXPECT_EQ(r->Wy, -10);
}

TEST_F(GestureTest, GridSnapsThePressTheCursorAndTheMove) {
  settings.CheckUseGrid = true;
  ctx.GridStep = 10;  // lattice 5 + 10k
  TheNode* j = member(2, "1", 200, 200);
  j->Selected = 1;
  view::GestureMouseDown(ctx, fields, MouseButton::Right, {.right = true}, {51, 49});
  EXPECT_EQ(downPoint, (TPoint{45, 45}));
  view::GestureMouseMove(ctx, fields, {.right = true}, {69, 72});
  EXPECT_EQ(mousePoint, (TPoint{65, 75}));  // (74, 77) snapped
  view::GestureMouseUp(ctx, fields, MouseButton::Right, {.right = true}, {69, 72});
  // Release point (65, 65) - press point (45, 45); the member lands on the lattice.
  EXPECT_EQ(j->X, 215);
  EXPECT_EQ(j->Y, 215);
  EXPECT_EQ(mousePoint, (TPoint{65, 75}));  // a double click now places on the grid
}

TEST_F(GestureTest, ReleaseIgnoresAPressedNodeThatLeftTheLevel) {
  TheNode* r = member(3, "R1", 0, 0);
  TheNode* j = member(2, "1", 100, 0);
  view::GestureMouseDown(ctx, fields, MouseButton::Left, kLeft, {0, 0});
  view::GestureMouseMove(ctx, fields, kLeft, {100, 0});
  graph.DeleteLine(root, 1);  // R1 leaves the shown level during the drag
  view::GestureMouseUp(ctx, fields, MouseButton::Left, kLeft, {100, 0});
  EXPECT_EQ(links(r, model::alOutPin), 0);
  EXPECT_EQ(host.current, j);  // taken as a click on the junction
  ignore = 1;
  view::GestureMouseDown(ctx, fields, MouseButton::Left, kLeft, {100, 0});
  EXPECT_EQ(ignore, 0);
  EXPECT_EQ(mouseState, 0);
  EXPECT_EQ(downNode, nullptr);
}

}  // namespace
