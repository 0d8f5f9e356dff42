// What the value window shows of one node and how its OK stores the edits,
// as plain code. Texts on this side are UTF-8; the node's name and value are
// code page 1251 bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/graph.h"

namespace vemu::ui {

// Ground marks in the window's combo box, index = TheNode::Ground.
inline constexpr const char* kGroundItems[] = {"No ground", "Ground DOWN", "Ground UP", "Ground LEFT",
                                               "Ground RIGHT"};

// What the window needs to know of a node's type.
struct ValueTypeFacts {
  std::function<bool(std::uint8_t)> needsValue;           // TNodeTypeInfo::V
  std::function<std::string(std::uint8_t)> description;  // TNodeTypeInfo::Uinfo (UTF-8)
};

enum class ValueMemoStyle { Result, Value, Text };

struct ValueWindowFields {
  bool subCircuitButton = false;
  bool groundVisible = false;
  int groundIndex = 0;
  bool inversionVisible = false;
  bool inversionChecked = false;
  ValueMemoStyle memoStyle = ValueMemoStyle::Value;
  int hintMessage = 0;  // 68, 69 or 0 for none
  bool valueEditable = true;  // junctions and containers keep no value
  std::string name;     // Edit1
  std::string type;     // Edit2
  std::string number;   // Edit3
  std::vector<std::string> valueLines;  // Memo1
  std::vector<std::string> info;        // Memo2
};

// Amplifiers with a sign: 25 to 28 and 30.
bool HasSign(int type);
// The word for a link kind in the information lines.
std::string LinkKindWord(std::uint8_t kind);
// The fields for `n` (renumbers the graph first, as the window shows numbers).
ValueWindowFields FieldsOfNode(model::TheBaseOfGraf& graph, const model::TheNode& n,
                               const ValueTypeFacts& facts);

// The window's edits at OK (UTF-8).
struct ValueWindowEdits {
  std::string name;
  int groundIndex = 0;  // -1: no item chosen
  bool inversionChecked = false;
  std::vector<std::string> valueLines;
};

class ValueStoreHost {
 public:
  virtual ~ValueStoreHost() = default;
  virtual void PushUndoSnapshot() = 0;
  virtual std::string Msg(int index) = 0;
  // A plain message box.
  virtual void ShowMessage(const std::string& text) = 0;
  virtual void NumberNets() = 0;
  virtual void SortByName() = 0;
  virtual void SetCurrentNode(model::TheNode* n) = 0;
};

// The refusal to rename the upper level.
inline constexpr const char* kCannotRenameRoot = "The upper level keeps its name";

// OK: stores the edits into `n` (may be null). False when the window stays
// open (nothing stored); true when it closes.
bool StoreValueWindow(model::TheBaseOfGraf& graph, model::TheNode* n, const ValueWindowEdits& edits,
                      ValueStoreHost& host);

}  // namespace vemu::ui
