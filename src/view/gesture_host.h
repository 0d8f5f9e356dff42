// What the canvas gestures ask of the window they run in: status texts,
// undo snapshots, the netlist numbering, the current node, the selection,
// the finishing step of a new element, redraws and the cursor shape.
#pragma once

#include <cstdint>
#include <string>

#include "model/graph.h"

namespace vemu::view {

// The cursor shapes the gesture shows.
enum class GestureCursor { Arrow, Hand, Help, SizeAll, Cross, SizeHor, NoDrop, Drag };

class GestureHost {
 public:
  virtual ~GestureHost() = default;
  virtual void SetStatusText(int panel, const std::string& text) = 0;  // UTF-8
  virtual void PushUndoSnapshot() = 0;
  virtual void SetModified() = 0;
  // Renames the junctions to their net numbers and refreshes the current node.
  virtual void NumberNets() = 0;
  virtual void SetCurrentNode(model::TheNode* n) = 0;
  // Selected := flag for every member of the shown level.
  virtual void SetLevelSelection(std::uint8_t flag) = 0;
  // The finishing step of a newly placed element.
  virtual void AfterCreateElement(model::TheNode* element) = 0;
  // The members moved or grew: items rectangle and scroll bars follow.
  virtual void ItemsChanged() = 0;
  // The view origin moved: the scroll bars follow.
  virtual void ViewMoved() = 0;
  virtual void Redraw() = 0;
  virtual void SetCursor(GestureCursor cursor) = 0;
};

}  // namespace vemu::view
