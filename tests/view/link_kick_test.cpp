// The swing of the links at a node that becomes current.
#include <gtest/gtest.h>

#include <limits>
#include <memory>

#include "model/graph.h"
#include "view/my_line.h"

using namespace vemu::model;
using vemu::view::TMyLine;

namespace {

struct Level {
  TheBaseOfGraf graph;
  TheNode* root = graph.AddNode(nullptr, 1);
  TheNode* add(int type, int x, int y) {
    TheNode* n = graph.AddNode(root, static_cast<std::uint8_t>(type));
    graph.AddLine(-2, root, n, alHaveItem);
    n->X = x;
    n->Y = y;
    return n;
  }
  TMyLine* link(TheNode* from, TheNode* to) {
    auto line = std::make_unique<TMyLine>(from, to);
    line->SetAtRest();
    line->Countdown = 0;
    return vemu::view::AsMyLine(graph.AddLine(-2, from, to, alOutPin, std::move(line)));
  }
};

}  // namespace

TEST(LinkKick, OwnLinksAndLinksPointingAtTheNodeSwing) {
  Level level;
  TheNode* n = level.add(19, 0, 0);
  TheNode* t = level.add(2, 100, 0);
  TheNode* m = level.add(2, 0, 100);
  TheNode* other = level.add(2, 300, 300);
  TMyLine* own = level.link(n, t);
  TMyLine* incoming = level.link(m, n);
  TMyLine* elsewhere = level.link(other, t);

  vemu::view::SwingLinksAt(n, level.root);

  EXPECT_EQ(own->Countdown, 100);
  EXPECT_EQ(own->RestPoint, (TPoint{50, 0}));
  EXPECT_EQ(own->SwingPoint, (TPoint{50, -10}));  // a tenth of the distance, at right angles
  EXPECT_EQ(incoming->Countdown, 100);
  EXPECT_EQ(incoming->RestPoint, (TPoint{0, 50}));
  EXPECT_EQ(incoming->SwingPoint, (TPoint{5, 50}));  // a twentieth
  EXPECT_EQ(elsewhere->Countdown, 0);                // not at the node: left alone
}

TEST(LinkKick, FarOffCoordinatesDoNotOverflow) {
  Level level;
  const int big = std::numeric_limits<std::int32_t>::max();
  TheNode* n = level.add(19, big, big);
  TheNode* t = level.add(2, big - 10, -big);
  TMyLine* own = level.link(n, t);
  vemu::view::SwingLinksAt(n, level.root);
  EXPECT_EQ(own->RestPoint.x, big - 5);
  EXPECT_EQ(own->RestPoint.y, 0);
}

TEST(LinkKick, NothingWithoutNodeOrLevel) {
  Level level;
  TheNode* n = level.add(19, 0, 0);
  TMyLine* own = level.link(n, level.add(2, 10, 0));
  vemu::view::SwingLinksAt(n, nullptr);
  vemu::view::SwingLinksAt(nullptr, level.root);
  EXPECT_EQ(own->Countdown, 0);
}
