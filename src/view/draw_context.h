// What the painters of one redraw read: the surface, the view, the circuit,
// the settings and the main window's animation counters and gesture state.
// The main window fills one for each redraw; tests fill their own.
#pragma once

#include <QImage>
#include <cstdint>
#include <random>

#include "catalogue/node_type_info.h"
#include "catalogue/settings.h"
#include "model/graph.h"
#include "model/point.h"
#include "platform/canvas.h"
#include "view/my_scale.h"

namespace vemu::view {

// random(n) of the drawing's dust and sparkles: 0 to n - 1, and 0 for n <= 0.
class DrawRandom {
 public:
  explicit DrawRandom(std::uint32_t seed = 1) : engine_(seed) {}
  int Next(int n) {
    if (n <= 0) return 0;
    return static_cast<int>(engine_() % static_cast<std::uint32_t>(n));
  }
  void Seed(std::uint32_t seed) { engine_.seed(seed); }

 private:
  std::minstd_rand engine_;
};

struct DrawContext {
  platform::Canvas* canvas = nullptr;
  const TMyScale* view = nullptr;
  const model::TheBaseOfGraf* graph = nullptr;
  const catalogue::Settings* settings = nullptr;
  const catalogue::NodeTypeTable* nodeTypes = nullptr;
  DrawRandom* random = nullptr;

  // Animation counters of the main window.
  std::int32_t ShadowPhase = 0;
  std::int32_t WhirlCounter = 0;
  std::int32_t AnimAngle = 0;

  // Gesture state of the main window.
  std::int32_t MouseState = 0;
  const model::TheNode* DownNode = nullptr;
  const model::TheNode* HoverNode = nullptr;
  model::TPoint DownPoint;
  model::TPoint MousePoint;

  // Pen widths of the three line classes and the grid step.
  std::int32_t LineWidth0 = 2;
  std::int32_t LineWidth1 = 1;
  std::int32_t LineWidth2 = 1;
  std::int32_t GridStep = 15;

  // IMAGES/OpenBox3.bmp (null when missing).
  const QImage* OpenBoxBitmap = nullptr;

  // Set right after undo or redo: a link whose ends moved swings only briefly.
  bool RedrawRequest = false;

  // Which program's drawing rules apply (the second build draws a few
  // details differently); the program's own unless a caller says otherwise.
  model::ModelVariant Variant = model::CurrentModelVariant();
  bool SecondBuild() const { return Variant == model::ModelVariant::Second; }
  // The probe types of the drawing: 31, 35 to 38; the second build 31 only.
  bool IsProbe(int type) const { return model::IsProbeType(type, SecondBuild()); }

  // The type record of a node's type, or null for a code outside the table.
  const catalogue::TNodeTypeInfo* TypeOf(const model::TheNode* n) const {
    if (!n || !nodeTypes || n->NodeType >= nodeTypes->size()) return nullptr;
    return &(*nodeTypes)[n->NodeType];
  }
};

}  // namespace vemu::view
