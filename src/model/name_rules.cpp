#include "model/name_rules.h"

#include <cerrno>
#include <clocale>
#include <cstdlib>

#include "platform/text_codec.h"

namespace vemu::model {

namespace {

std::string Shown(std::string_view cp1251) { return platform::cp1251ToUtf8(cp1251); }

std::string Cut30(std::string_view text) { return std::string(text.substr(0, 30)); }

// Checks a name change; shows the refusal and answers false when it may not be stored.
bool NameAllowed(const TheNode& node, std::string_view name, EditingHost& host) {
  if (node.Name == std::string_view(Cut30(name))) return true;
  if (auto problem = NameProblem(name)) {
    host.ShowWarning(*problem);
    return false;
  }
  return true;
}

bool ValueAllowed(const TheNode& node, std::string_view value, EditingHost& host) {
  if (auto problem = ValueProblem(node, value)) {
    host.ShowWarning(*problem);
    return false;
  }
  return true;
}

}  // namespace

bool HasBlank(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) <= ' ') return true;
  return false;
}

std::optional<std::string> NameProblem(std::string_view name) {
  if (name.empty()) return std::string("A name cannot be empty.");
  if (HasBlank(name)) return "A name cannot contain blanks: [" + Shown(name) + "]";
  return std::nullopt;
}

std::optional<std::string> ValueProblem(const TheNode& node, std::string_view value) {
  if (node.IsText()) return std::nullopt;
  if (HasBlank(value)) return "A value cannot contain blanks: [" + Shown(value) + "]";
  return std::nullopt;
}

bool IsAmplifierValueType(int type) { return (type >= 25 && type <= 28) || type == 30; }

std::string AmplifierValue(std::string_view typed) {
  if (!typed.empty() && (typed.front() == '+' || typed.front() == '-')) typed.remove_prefix(1);
  return std::string(typed);
}

bool IsIntegerText(std::string_view text) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  if (text.empty() || text.size() > 9) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool IsFloatText(std::string_view text) {
  if (text.empty() || HasBlank(text)) return false;
  const std::string copy(text);
  // The program's notation has a point as decimal separator, whatever the locale.
  std::string point = copy;
  const char* separator = std::localeconv()->decimal_point;
  if (separator && separator[0] != '.' && separator[0] != '\0') {
    for (char& c : point)
      if (c == '.') c = separator[0];
  }
  errno = 0;
  char* end = nullptr;
  std::strtod(point.c_str(), &end);
  return end == point.c_str() + point.size() && errno != ERANGE;
}

JunctionRename SwapJunctionNumbers(TheBaseOfGraf& graph, std::string_view oldName,
                                   std::string_view newName) {
  if (oldName == newName) return JunctionRename::Unchanged;
  if (!IsIntegerText(newName)) return JunctionRename::NotANumber;
  bool haveNew = false;
  bool haveOld = false;
  graph.forEachNode([&](TheNode* n) {
    if (!n->IsJunction()) return;
    if (n->Name == newName) haveNew = true;
    if (n->Name == oldName) haveOld = true;
  });
  if (!haveNew) return JunctionRename::NoSuchNet;
  if (!haveOld) return JunctionRename::NoOldName;
  const std::string from(oldName);
  const std::string to(newName);
  graph.forEachNode([&](TheNode* n) {
    if (!n->IsJunction()) return;
    if (n->Name == std::string_view(from)) n->Name = to;
    else if (n->Name == std::string_view(to)) n->Name = from;
  });
  return JunctionRename::Swapped;
}

bool RenameJunction(TheBaseOfGraf& graph, TheNode& junction, std::string_view newName,
                    EditingHost& host) {
  const std::string from = junction.Name.str();
  const std::string to = Cut30(newName);
  switch (SwapJunctionNumbers(graph, from, to)) {
    case JunctionRename::Unchanged:
      return false;
    case JunctionRename::NotANumber:
      host.ShowMessage(host.Msg(46));
      return false;
    case JunctionRename::NoSuchNet:
      host.ShowMessage(host.Msg(47) + "=[" + Shown(to) + "]");
      return false;
    case JunctionRename::NoOldName:
      host.ShowMessage(host.Msg(47) + "={" + Shown(from) + "}");
      return false;
    case JunctionRename::Swapped:
      break;
  }
  host.SetModified();
  host.SortByName();
  host.SetStatusText(2, host.Msg(48) + " from " + Shown(from) + " to " + Shown(to));
  return true;
}

void StoreNameAndValue(TheBaseOfGraf& graph, std::string_view name, std::string_view value,
                       EditingHost& host) {
  host.DeselectLevel();
  TheNode* n = graph.CurrentNode;
  // A refused name or value changes nothing, so it costs no snapshot.
  if (n && n->IsElement()) {
    const bool storesValue = n->NodeType != ntSubCircuit;
    const std::string stored = IsAmplifierValueType(n->NodeType) ? AmplifierValue(value) : std::string(value);
    if (!NameAllowed(*n, name, host) || (storesValue && !ValueAllowed(*n, stored, host))) return;
  }
  host.PushUndoSnapshot();
  if (!n) return;
  if (n->IsElement()) {
    if (IsAmplifierValueType(n->NodeType)) n->Value = AmplifierValue(value);
    else if (n->NodeType != ntSubCircuit) n->Value = std::string(value);
    n->Name = Cut30(name);
    host.SetModified();
  } else if (n->IsText()) {
    n->Value = std::string(value);
    host.SetModified();
  } else if (n->IsJunction()) {
    RenameJunction(graph, *n, name, host);
  }
}

void QuickStoreValue(TheBaseOfGraf& graph, std::string_view name, std::string_view value,
                     EditingHost& host) {
  TheNode* n = graph.CurrentNode;
  if (!n) return;
  host.SetStatusText(2, host.Msg(35));
  if (n->IsText()) {
    n->Value = std::string(value);
    host.SetModified();
    return;
  }
  if (!IsFloatText(value)) {
    host.SetStatusText(2, host.Msg(36));
    return;
  }
  if (n->IsJunction()) {
    RenameJunction(graph, *n, name, host);
  } else {
    if (!NameAllowed(*n, name, host)) return;
    n->Name = Cut30(name);
    if (n->IsElement()) n->Value = std::string(value);
    host.SetModified();
  }
  host.Redraw();
}

void QuickStoreName(TheBaseOfGraf& graph, std::string_view name, EditingHost& host) {
  TheNode* n = graph.CurrentNode;
  if (!n) return;
  if (n->IsJunction()) {
    RenameJunction(graph, *n, name, host);
    return;
  }
  if (!NameAllowed(*n, name, host)) return;
  n->Name = Cut30(name);
  host.SetModified();
}

void CycleGround(TheBaseOfGraf& graph, TheNode* level, EditingHost& host) {
  host.PushUndoSnapshot();
  host.SetStatusText(2, host.Msg(61));
  int selected = 0;
  int junctions = 0;
  if (level) {
    level->forEachLine([&](TheLine* l) {
      if (l->Kind != alHaveItem || !l->Node || l->Node->Selected != 1) return;
      ++selected;
      if (!l->Node->IsJunction()) return;
      ++junctions;
      l->Node->Ground = (l->Node->Ground + 1) % 5;
    });
  }
  TheNode* current = graph.CurrentNode;
  if (selected > 0) {
    if (junctions == 0) host.ShowWarning(host.Msg(10));
  } else if (!current || !current->IsJunction()) {
    host.ShowWarning(host.Msg(10));
  } else {
    current->Ground = (current->Ground + 1) % 5;
    ++junctions;
  }
  if (junctions > 0) host.SetModified();
  host.NumberNets();
  host.Redraw();
}

}  // namespace vemu::model
