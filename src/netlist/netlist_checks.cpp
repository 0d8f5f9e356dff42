#include "netlist/netlist_checks.h"

#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/messages.h"
#include "netlist/element_lines.h"
#include "netlist/text_format.h"
#include "platform/dialogs.h"
#include "platform/text_codec.h"

namespace vemu::netlist {

using model::TheBaseOfGraf;
using model::TheLine;
using model::TheNode;
using platform::MsgResult;

namespace {

MsgResult warn(const std::string& text) {
  return platform::dialogs().messageBox(kWarningCaption, text, platform::MsgButtons::OkCancel,
                                        platform::MsgIcon::Warning);
}

std::string shown(const model::ShortString<30>& name) { return platform::cp1251ToUtf8(name.str()); }

}  // namespace

int CountGroundNodes(const TheBaseOfGraf& graph) {
  int count = 0;
  graph.forEachNode([&](TheNode* n) { count += n->IsJunction() && n->Ground > 0 ? 1 : 0; });
  return count;
}

void SetDefaultGround(TheBaseOfGraf& graph) {
  for (TheNode* n = graph.FirstNode.get(); n; n = n->NextNode.get()) {
    if (n->IsJunction()) {
      n->Ground = 1;
      return;
    }
  }
}

bool CheckGround(NetlistContext& context) {
  if (CountGroundNodes(context.graph) >= 1 || !context.settings.CheckBox2) return false;
  if (warn(catalogue::GetMsg(57)) != MsgResult::Ok) return false;
  SetDefaultGround(context.graph);
  return true;
}

bool CheckDoublePins(NetlistContext& context, const NodeOrder& nodes) {
  std::unordered_set<std::string> names;
  for (TheNode* s : nodes) {
    if (!s->IsContainer()) continue;
    names.clear();
    for (const TheLine* member = s->FirstLine.get(); member; member = member->Next.get()) {
      const TheNode* j = member->Node;
      if (member->Kind != model::alHaveItem || !j || !j->IsJunction()) continue;
      for (const TheLine* l = j->FirstLine.get(); l; l = l->Next.get()) {
        const TheNode* t = l->Node;
        if (!t || t->Upper == s) continue;
        if (names.insert(t->Name.str()).second) continue;
        s->Selected = 1;
        context.host.CenterOnNode(s);
        if (warn(catalogue::GetMsg(67) + " Node=" + shown(t->Name)) == MsgResult::Cancel) return true;
      }
    }
  }
  return false;
}

bool CheckEqualNames(NetlistContext& context, const NodeOrder& nodes) {
  // The elements of one name and one controlling-link rule, chained in list
  // order: the pairs come out as a walk over every later element would
  // find them.
  std::vector<TheNode*> elements;
  for (TheNode* n : nodes)
    if (n->IsElement()) elements.push_back(n);
  std::vector<std::size_t> nextSame(elements.size(), SIZE_MAX);
  {
    std::unordered_map<std::string, std::size_t> lastOfKey;
    lastOfKey.reserve(elements.size());
    for (std::size_t i = 0; i < elements.size(); ++i) {
      const TheNode* e = elements[i];
      std::string key = e->Name.str();
      key += TypeRecord(context.types, e->NodeType).UseInfoLink ? '\1' : '\0';
      auto [it, fresh] = lastOfKey.try_emplace(std::move(key), i);
      if (!fresh) {
        nextSame[it->second] = i;
        it->second = i;
      }
    }
  }
  NetlistHost& host = context.host;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    for (std::size_t j = nextSame[i]; j != SIZE_MAX; j = nextSame[j]) {
      TheNode* x = elements[i];
      TheNode* y = elements[j];
      host.SetLevelSelection(0);
      host.ShowLevel(x->Upper);
      host.SetCurrentNode(x);
      x->Selected = 1;
      y->Selected = 1;
      if (context.settings.CheckNodeToCenterIfError) host.CenterOnNode(y);
      if (warn(FormatText(catalogue::GetMsg(44), {shown(x->Name)})) == MsgResult::Ok) return true;
    }
  }
  return false;
}

bool CheckConnections(NetlistContext& context, const NodeOrder& nodes) {
  context.graph.NumberMark = 0;
  for (TheNode* n : nodes) n->Number = 0;
  for (TheNode* n : nodes) {
    n->forEachLine([n](TheLine* l) {
      if (l->Kind == model::alHaveItem) return;
      ++n->Number;
      if (l->Node) ++l->Node->Number;
    });
  }
  NetlistHost& host = context.host;
  for (TheNode* j : nodes) {
    if (!j->IsJunction() || j->Number != 0) continue;
    host.SetLevelSelection(0);
    host.ShowLevel(j->Upper);
    host.SetCurrentNode(j);
    j->Selected = 1;
    if (warn(FormatText("Узел [%s] не соединен ни с кем", {shown(j->Name)})) == MsgResult::Ok) return true;
  }
  return false;
}

}  // namespace vemu::netlist
