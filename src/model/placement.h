// Placing new elements and junctions on the shown level: the names they get,
// the finishing step of every new element (amplifier label offset, default
// text of a text note, switch to the partner half of a pair and the control
// link between the two halves) and the arrangement mode's switch.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/editing_host.h"
#include "model/graph.h"
#include "model/point.h"

namespace vemu::model {

// What placing asks of its window besides the editing questions.
class PlacementHost : public EditingHost {
 public:
  // The type letter (code page 1251) and the control-link rule of a type.
  virtual std::string TypeLetter(int type) = 0;
  virtual bool UsesInfoLink(int type) = 0;
  // Nodes of that type in the whole circuit.
  virtual int CountNodesOfType(int type) = 0;
  // Makes `type` the chosen one with its palette button down and its texts shown.
  virtual void ChooseType(int type) = 0;
  // Opens the node's value entry (the value window, or the second build's input box).
  virtual void EditNodeValue(TheNode* node) = 0;
  // The extent of the items changed (scroll bars follow).
  virtual void ItemsChanged() = 0;
};

// The default text of a new text note (two lines).
inline constexpr std::string_view kNewTextValue = "I am the TEXT/next line";

// Pairs (9 and 10, 11 and 12, ..., 17 and 18): the partner type, or `type`
// itself outside the pairs.
bool IsPairType(int type);
int PartnerType(int type);

// "IN:=1, OUT:=1", "IN:unlimited, OUT:unlimited" or parts left out for a limit 0.
std::string LinkLimitsText(int linksIn, int linksOut);

// The name of a new element `placed`: the letter followed by `count`, cut to
// 30 characters; when another node of the circuit bears that name already,
// the next number whose name is free.
std::string NewElementName(const TheBaseOfGraf& graph, const TheNode* placed,
                           std::string_view letter, int count);

// A new element of `type` at `at`, first member of `level`, named and
// finished. Takes the undo snapshot first.
TheNode* PlaceElement(TheBaseOfGraf& graph, TheNode* level, int& currentType, TheNode*& pendingHalf,
                      TPoint at, PlacementHost& host);
// A new junction at `at`, last member of `level`; the nets are renumbered.
TheNode* PlaceJunction(TheBaseOfGraf& graph, TheNode* level, TPoint at, PlacementHost& host);

// The finishing step of a new element `placed` of type `currentType`.
void AfterCreateElement(TheBaseOfGraf& graph, TheNode* placed, int& currentType,
                        TheNode*& pendingHalf, PlacementHost& host);

// The double click on the canvas at `at`: the value entry of the member
// `hit` (when not null), else a new element of the chosen type, or a
// junction when the chosen type is 2.
void PlaceOrOpen(TheBaseOfGraf& graph, TheNode* level, TheNode* hit, int& currentType,
                 TheNode*& pendingHalf, TPoint at, PlacementHost& host);

// Switches the arrangement mode; message 56 when the shown level is empty.
void ToggleArrangeMode(std::uint8_t& mode, const TheNode* level, EditingHost& host);

}  // namespace vemu::model
