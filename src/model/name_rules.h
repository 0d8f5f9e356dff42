// How typed names and values reach the graph: the store of the name and
// value fields, the junction rule (a junction's name is its net number;
// renaming it swaps two net numbers among the junctions) and the ground mark
// cycle. Names and values are code page 1251 bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/editing_host.h"
#include "model/graph.h"

namespace vemu::model {

// The circuit file splits a record on blanks: a name may hold none, and
// neither may a value other than a text note's. A blank here is any byte up
// to the space character.
bool HasBlank(std::string_view text);
// Why a name or value cannot be stored on `node` (UTF-8), or nothing when it can.
std::optional<std::string> NameProblem(std::string_view name);
std::optional<std::string> ValueProblem(const TheNode& node, std::string_view value);

// Amplifiers whose value is entered without a leading sign: 25 to 28 and 30.
bool IsAmplifierValueType(int type);
// The value an amplifier keeps of a typed text: without a leading "+" or "-".
std::string AmplifierValue(std::string_view typed);

// Plain decimal integer with an optional sign (the junction test).
bool IsIntegerText(std::string_view text);
// A floating-point number in the program's notation ("1e3", "-2.5").
bool IsFloatText(std::string_view text);

enum class JunctionRename { Unchanged, NotANumber, NoSuchNet, NoOldName, Swapped };
// Swaps the net numbers `oldName` and `newName` over every junction of the
// circuit (other nodes keep their names). The target number must already be
// the name of a junction.
JunctionRename SwapJunctionNumbers(TheBaseOfGraf& graph, std::string_view oldName,
                                   std::string_view newName);
// The junction rule with its messages: refusals in a plain box, the swap
// sorted by name and reported in status panel 2. True when the names changed.
bool RenameJunction(TheBaseOfGraf& graph, TheNode& junction, std::string_view newName,
                    EditingHost& host);

// "New" beside the fields: stores name and value of the current node by its kind.
void StoreNameAndValue(TheBaseOfGraf& graph, std::string_view name, std::string_view value,
                       EditingHost& host);
// Enter or Space in the value field: a numeric value (and the name) without a snapshot.
void QuickStoreValue(TheBaseOfGraf& graph, std::string_view name, std::string_view value,
                     EditingHost& host);
// Enter in the name field: the name only, without a snapshot.
void QuickStoreName(TheBaseOfGraf& graph, std::string_view name, EditingHost& host);

// The ground mark cycle 0 -> 1 -> 2 -> 3 -> 4 -> 0 of the selected junctions
// of `level`, or of the current node when nothing is selected.
void CycleGround(TheBaseOfGraf& graph, TheNode* level, EditingHost& host);

}  // namespace vemu::model
