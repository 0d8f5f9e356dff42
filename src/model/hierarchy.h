// Work across the levels of the circuit: stepping between levels, moving
// the selection of a level into a sub-circuit or up into the owner level
// (links that then cross a level boundary are split with connector
// junctions), converting a selection into a new sub-circuit, the repair
// pass over owners, coincident junctions and pins, and narrowing a
// selection to equally named junctions.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/graph.h"

namespace vemu::model {

// Names of the connector junctions a move makes (code page 1251).
extern const char* const kConnectorDown;      // "Д-под": a wire that now skips a level
extern const char* const kConnectorUp;        // "Дуб U->S/N": an element moved up
extern const char* const kConnectorInside;    // "Дублер O<-S": an element moved into a sub-circuit

// What the hierarchy commands ask of the window that runs them. Texts are
// code page 1251 bytes.
class HierarchyHost {
 public:
  virtual ~HierarchyHost() = default;

  // A plain message box with OK.
  virtual void ShowMessage(const std::string& text) = 0;
  // Makes `node` current, centres the view on it, redraws, then shows a
  // message box with OK. `node` is a node of the graph.
  virtual void ShowOnNode(TheNode* node, const std::string& text, const std::string& caption) = 0;
  // The main window's redraw timer.
  virtual void StopTimer() = 0;
  virtual void StartTimer() = 0;
  // Called before nodes are freed: the window forgets the node pointers it holds.
  virtual void ForgetNodePointers() = 0;
  virtual void SetCurrentNode(TheNode* n) = 0;
  // Renames every junction to its net number.
  virtual void NumberNets() = 0;
  // Shows the container in the preview window.
  virtual void ShowInPreview(TheNode* container) = 0;
  // A pseudo-random integer from 0 to n - 1 (the nudge of coincident elements).
  virtual int Random(int n) = 0;
};

// Manhattan distance of two nodes.
std::int32_t NodeDistance(const TheNode* a, const TheNode* b);

// Retargets, in `level`, the links to `oldTarget` held by its plain members
// and by the members of its containers (the container that owns `oldTarget`
// excepted) to `newTarget`. Links of kind 1 and of the containers themselves stay.
void ChangeLines456(TheNode* level, TheNode* oldTarget, TheNode* newTarget);
// Hands the links of `a` that reach into the level of `b` (outside a's own
// level, not to b itself) over to b, at the front of b's list.
void NewOwner(TheNode* a, TheNode* b);

class Hierarchy {
 public:
  Hierarchy(TheBaseOfGraf& graph, HierarchyHost& host) : graph_(graph), host_(host) {}

  // Moves the selected members of `from` into `to` (a container of `from`'s
  // level, or `from`'s owner), splits every link that then crosses levels
  // with a connector junction, repairs and numbers the nets, and shows `to`
  // in the preview. The connections between terminals stay as they were.
  // Messages about damaged links are shown once the graph is whole again.
  void MoveSelectedFromTo(TheNode* from, TheNode* to);

  // The repair pass: owners from the membership links, coincident members
  // of one level (junctions of one net merged, other elements nudged),
  // container links other than membership dropped, pins rebuilt from the
  // wires that lead out of each sub-circuit.
  void CorrectSubCircuitLines();

  // Keeps selected only the junctions of the shown level named like the
  // first selected junction; false when there is none.
  bool JoinFreeNodes();

  // A new sub-circuit element in `level` at `at`, at the front of its
  // members, named "X" and the count of sub-circuit elements.
  TheNode* NewSubCircuit(TheNode* level, TPoint at);

  // The mean position of the selected members of the shown level (integer
  // mean); count receives how many are selected.
  TPoint SelectionMean(int& count) const;

 private:
  struct Pending {
    TheNode* node;
    std::string text;
    std::string caption;
  };
  void Report(TheNode* node, std::string text, std::string caption);
  void Report(std::string text);
  void FlushReports();
  // A new junction in `level` (appended to its members) at (x, y).
  TheNode* NewConnector(TheNode* level, std::int32_t x, std::int32_t y, const char* name, bool selected);
  // Fixes one link of `a` that crosses levels; false when the move must stop.
  bool SplitCrossingLink(TheNode* a, TheLine* l);
  void RepairOwnersAndMerge();
  void MergeJunction(TheNode* level, TheNode* keep, TheNode* gone);

  TheBaseOfGraf& graph_;
  HierarchyHost& host_;
  bool collecting_ = false;
  bool forgotPointers_ = false;
  TheNode* moveTarget_ = nullptr;
  std::vector<Pending> pending_;
};

}  // namespace vemu::model
