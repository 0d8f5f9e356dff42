#include "testdrive/gesture_geometry.h"

#include "model/graph.h"
#include "view/gesture_hit_test.h"
#include "view/my_line.h"

namespace testdrive {
namespace {

using vemu::model::TheNode;
using vemu::model::TPoint;

struct Level {
  vemu::model::TheBaseOfGraf graph;
  TheNode* root = nullptr;
  std::vector<TheNode*> members;
};

// The members in the order given, at their positions, under one root.
void Fill(Level& level, const std::vector<TPoint>& points) {
  level.root = level.graph.AddNode(nullptr, vemu::model::ntRoot);
  level.graph.MainNode = level.root;
  for (const TPoint& p : points) {
    TheNode* n = level.graph.AddNode(level.root, vemu::model::ntJunction);
    n->X = p.x;
    n->Y = p.y;
    level.graph.AddLine(-2, level.root, n, vemu::model::alHaveItem);
    level.members.push_back(n);
  }
}

}  // namespace

std::optional<std::size_t> NodeAtAmong(const std::vector<TPoint>& members, TPoint p, double scale) {
  Level level;
  Fill(level, members);
  const TheNode* hit = vemu::view::NodeAtInLevel(p.x, p.y, level.root, scale);
  for (std::size_t i = 0; i < level.members.size(); ++i)
    if (level.members[i] == hit) return i;
  return std::nullopt;
}

TPoint FreePlaceAmong(const std::vector<TPoint>& members, TPoint p1, TPoint p2, int gridStep, double scale,
                      std::vector<TPoint>& tried) {
  Level level;
  Fill(level, members);
  return vemu::view::FindFreePlace(p1, p2, level.root, gridStep, scale, &tried);
}

std::vector<LinkSwing> KickAtCurrent(const std::vector<TPoint>& nodes, const std::vector<LinkSpec>& links,
                                     std::size_t current) {
  Level level;
  Fill(level, nodes);
  std::vector<vemu::model::TheLine*> made;
  for (const LinkSpec& l : links)
    made.push_back(level.graph.AddLine(-2, level.members.at(l.from), level.members.at(l.to), l.kind));
  vemu::view::SwingLinksAt(level.members.at(current), level.root);
  std::vector<LinkSwing> after;
  for (vemu::model::TheLine* l : made) {
    const vemu::view::TMyLine* drawn = vemu::view::AsMyLine(l);
    if (!drawn) {
      after.push_back({});
      continue;
    }
    after.push_back({drawn->Countdown, drawn->SwingPoint, drawn->RestPoint, drawn->CurPoint});
  }
  return after;
}

}  // namespace testdrive
