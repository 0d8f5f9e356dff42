#include "ui/value_fields.h"

#include "model/name_rules.h"
#include "model/node_types.h"
#include "platform/text_codec.h"

namespace vemu::ui {

using model::TheNode;
using platform::cp1251ToUtf8;
using platform::utf8ToCp1251;

bool HasSign(int type) { return (type >= 25 && type <= 28) || type == 30; }

std::string LinkKindWord(std::uint8_t kind) {
  switch (kind) {
    case model::alHaveItem: return "HAVE";
    case model::alOutPin: return "beg";
    case model::alInPin: return "end";
    case model::alWire: return "n-n";
    case model::alControl: return "info";
    default: return model::LineKindName(kind);
  }
}

ValueWindowFields FieldsOfNode(model::TheBaseOfGraf& graph, const TheNode& n, const ValueTypeFacts& facts) {
  ValueWindowFields f;
  f.subCircuitButton = n.IsContainer();
  graph.Renumber();
  f.groundVisible = n.IsJunction();
  f.groundIndex = n.Ground;
  f.inversionVisible = HasSign(n.NodeType);
  f.inversionChecked = f.inversionVisible && n.Polarity == 0;
  if (n.IsText()) {
    f.memoStyle = ValueMemoStyle::Text;
  } else if (facts.needsValue(n.NodeType)) {
    f.memoStyle = ValueMemoStyle::Value;
    f.hintMessage = 68;
  } else {
    f.memoStyle = ValueMemoStyle::Result;
    f.hintMessage = 69;
  }
  f.valueEditable = !n.IsJunction() && !n.IsContainer();
  f.name = cp1251ToUtf8(n.Name.str());
  f.type = std::to_string(n.NodeType);
  f.number = "#" + std::to_string(n.Number);

  const std::string value = cp1251ToUtf8(n.Value);
  if (n.IsMultiLineText()) {
    std::string::size_type start = 0;
    for (auto slash = value.find('/'); slash != std::string::npos; slash = value.find('/', start)) {
      f.valueLines.push_back(value.substr(start, slash - start));
      start = slash + 1;
    }
    f.valueLines.push_back(value.substr(start));
  } else {
    f.valueLines.push_back(value);
  }

  f.info.push_back(facts.description(n.NodeType));
  f.info.emplace_back();
  if (n.Upper) f.info.push_back("Inside: " + cp1251ToUtf8(n.Upper->Describe()));
  f.info.push_back("Lines : " + std::to_string(graph.LineCount(&n)));
  n.forEachLine([&f](const model::TheLine* l) {
    const std::string target = l->Node ? cp1251ToUtf8(l->Node->Describe()) : std::string();
    f.info.push_back(" --(" + LinkKindWord(l->Kind) + ")--> " + target);
  });
  return f;
}

namespace {

std::string ValueOfEdits(const TheNode& n, const ValueWindowEdits& edits) {
  if (edits.valueLines.empty()) return std::string();
  if (!n.IsMultiLineText()) return utf8ToCp1251(edits.valueLines.front());
  std::string joined;
  for (std::size_t i = 0; i < edits.valueLines.size(); ++i) {
    if (i) joined += '/';
    joined += utf8ToCp1251(edits.valueLines[i]);
  }
  return joined;
}

// A junction's name change: the two nets exchange their numbers.
void RenameJunction(model::TheBaseOfGraf& graph, TheNode& n, const std::string& newName, ValueStoreHost& host) {
  const std::string oldName = n.Name.str();
  switch (model::SwapJunctionNumbers(graph, oldName, newName)) {
    case model::JunctionRename::NoOldName:
      host.ShowMessage(host.Msg(47) + "={" + cp1251ToUtf8(oldName) + "}");
      break;
    case model::JunctionRename::NoSuchNet:
      host.ShowMessage(host.Msg(47) + "=[" + cp1251ToUtf8(newName) + "]");
      break;
    case model::JunctionRename::Swapped:
      host.SortByName();
      break;
    default:
      break;
  }
}

}  // namespace

bool StoreValueWindow(model::TheBaseOfGraf& graph, TheNode* n, const ValueWindowEdits& edits,
                      ValueStoreHost& host) {
  if (!n) {
    host.SetCurrentNode(nullptr);
    return true;
  }
  const std::string name = utf8ToCp1251(edits.name);
  const bool renames = !(n->Name == name);
  const bool storesValue = !n->IsJunction() && !n->IsContainer();
  const std::string value = ValueOfEdits(*n, edits);

  // Refusals first: the window stays open and nothing is stored.
  if (n->IsJunction() && renames && !model::IsIntegerText(name)) {
    host.ShowMessage("\"" + edits.name + "\" - " + host.Msg(46));
    return false;
  }
  if (!n->IsJunction() && renames) {
    if (!n->Upper && n->NodeType == model::ntRoot) {
      host.ShowMessage(kCannotRenameRoot);
      return false;
    }
    if (auto problem = model::NameProblem(name)) {
      host.ShowMessage(*problem);
      return false;
    }
  }
  if (storesValue) {
    if (auto problem = model::ValueProblem(*n, value)) {
      host.ShowMessage(*problem);
      return false;
    }
  }

  host.PushUndoSnapshot();
  if (HasSign(n->NodeType)) n->Polarity = edits.inversionChecked ? 0 : 1;
  if (n->IsJunction()) {
    if (renames) RenameJunction(graph, *n, name, host);
  } else if (renames) {
    n->Name = name;  // at most 30 characters
  }
  // No item chosen (a mark outside the list, read from a file): the mark stays.
  if (n->IsJunction() && edits.groundIndex >= 0 && n->Ground != edits.groundIndex) {
    n->Ground = edits.groundIndex;
    host.NumberNets();
  }
  if (storesValue) n->Value = value;
  if (n->IsContainer()) n->Value.clear();
  host.SetCurrentNode(n);
  return true;
}

}  // namespace vemu::ui
