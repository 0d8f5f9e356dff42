#include "testdrive/gesture_geometry.h"

#include <QJsonArray>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/graph.h"
#include "view/gesture_hit_test.h"

namespace {

using vemu::model::TheNode;
using vemu::model::TPoint;

struct Level {
  vemu::model::TheBaseOfGraf graph;
  TheNode* root = nullptr;
  std::vector<TheNode*> members;
};

TPoint PointOf(const QJsonValue& v, const char* name) {
  const QJsonArray a = v.toArray();
  if (!v.isArray() || a.size() != 2 || !a[0].isDouble() || !a[1].isDouble())
    throw std::invalid_argument(std::string("not a point: ") + name);
  return {a[0].toInt(), a[1].toInt()};
}

double ScaleOf(const QJsonObject& r) {
  const QJsonValue v = r.value(QLatin1String("Scale"));
  return v.isDouble() ? v.toDouble() : 1.0;
}

// The members in the order given, at their positions, under one root.
void Fill(Level& level, const QJsonObject& r) {
  level.root = level.graph.AddNode(nullptr, vemu::model::ntRoot);
  level.graph.MainNode = level.root;
  for (const QJsonValue& m : r.value(QLatin1String("members")).toArray()) {
    const TPoint p = PointOf(m, "members");
    TheNode* n = level.graph.AddNode(level.root, vemu::model::ntJunction);
    n->X = p.x;
    n->Y = p.y;
    level.graph.AddLine(-2, level.root, n, vemu::model::alHaveItem);
    level.members.push_back(n);
  }
}

QJsonArray Json(TPoint p) { return {p.x, p.y}; }

}  // namespace

QJsonObject GestureNodeAt(const QJsonObject& r) {
  Level level;
  Fill(level, r);
  const TPoint p = PointOf(r.value(QLatin1String("P")), "P");
  const TheNode* hit = vemu::view::NodeAtInLevel(p.x, p.y, level.root, ScaleOf(r));
  for (std::size_t i = 0; i < level.members.size(); ++i)
    if (level.members[i] == hit) return {{"hit", static_cast<int>(i)}};
  return {{"hit", QJsonValue::Null}};
}

QJsonObject GestureFindFreePlace(const QJsonObject& r) {
  Level level;
  Fill(level, r);
  const TPoint p1 = PointOf(r.value(QLatin1String("P1")), "P1");
  const TPoint p2 = PointOf(r.value(QLatin1String("P2")), "P2");
  const QJsonValue step = r.value(QLatin1String("GridStep"));
  std::vector<TPoint> tried;
  const TPoint result =
      vemu::view::FindFreePlace(p1, p2, level.root, step.isDouble() ? step.toInt() : 15, ScaleOf(r), &tried);
  QJsonArray points;
  for (const TPoint& t : tried) points.append(Json(t));
  return {{"tried", points}, {"result", Json(result)}};
}
