// A recording host for the placement and naming rules: every call is noted,
// messages are "M<n>", type letters come from a small table.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "model/graph.h"
#include "model/placement.h"

namespace vemu::test {

class RecordingEditingHost final : public model::PlacementHost {
 public:
  explicit RecordingEditingHost(model::TheBaseOfGraf& graph) : graph_(graph) {}

  int snapshots = 0;
  int modified = 0;
  int sorts = 0;
  int numberings = 0;
  int redraws = 0;
  int deselects = 0;
  std::vector<std::string> messages;  // plain boxes
  std::vector<std::string> warnings;  // warning boxes
  std::map<int, std::string> status;
  std::vector<int> chosen;            // ChooseType calls
  std::vector<model::TheNode*> valueEntries;
  std::map<int, std::string> letters{{19, "R"}, {20, "g"}, {9, "N"}, {10, "N"}, {11, "U"},
                                     {12, "K"}, {25, "K"}, {32, "T"}};

  void PushUndoSnapshot() override { ++snapshots; }
  void SetModified() override { ++modified; }
  void SetStatusText(int panel, const std::string& text) override { status[panel] = text; }
  std::string Msg(int index) override { return "M" + std::to_string(index); }
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void ShowWarning(const std::string& text) override { warnings.push_back(text); }
  void DeselectLevel() override { ++deselects; }
  void SortByName() override { ++sorts; }
  void NumberNets() override { ++numberings; }
  void Redraw() override { ++redraws; }
  std::string TypeLetter(int type) override { return letters.count(type) ? letters[type] : "?"; }
  bool UsesInfoLink(int type) override { return type == 9 || (type >= 12 && type <= 18 && type % 2 == 0); }
  int CountNodesOfType(int type) override {
    int count = 0;
    graph_.forEachNode([&](model::TheNode* n) { count += n->NodeType == type; });
    return count;
  }
  void ChooseType(int type) override { chosen.push_back(type); }
  void EditNodeValue(model::TheNode* node) override { valueEntries.push_back(node); }
  void ItemsChanged() override {}

 private:
  model::TheBaseOfGraf& graph_;
};

}  // namespace vemu::test
