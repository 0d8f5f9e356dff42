// What the canvas gestures work on: the circuit, the view, the settings and
// the element types of the window, its chosen element type and which
// build's rules apply, and the gesture fields the window keeps.
#pragma once

#include <cstdint>

#include "catalogue/node_type_info.h"
#include "catalogue/settings.h"
#include "model/graph.h"
#include "model/point.h"
#include "view/gesture_host.h"
#include "view/my_scale.h"

namespace vemu::view {

struct GestureContext {
  model::TheBaseOfGraf& graph;
  TMyScale& view;
  const catalogue::Settings& settings;
  const catalogue::NodeTypeTable& nodeTypes;
  GestureHost& host;
  std::int32_t GridStep = 15;
  std::int32_t CurrentType = 2;
  bool SecondBuild = false;
};

// The gesture fields of the window (held there, changed here).
struct GestureFields {
  std::int32_t& MouseState;
  model::TheNode*& DownNode;
  model::TheNode*& HoverNode;
  model::TPoint& DownPoint;
  model::TPoint& MousePoint;
  std::uint8_t& IgnoreMouseDown;
};

// Buttons and modifier keys held during a mouse event.
struct MouseShift {
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  bool left = false;
  bool right = false;
  bool middle = false;
  bool empty() const { return !shift && !ctrl && !alt && !left && !right && !middle; }
};

enum class MouseButton { Left, Right, Middle };

}  // namespace vemu::view
