#include "netlist/netlist_builder.h"

#include <unordered_set>

#include "catalogue/messages.h"
#include "netlist/element_lines.h"
#include "netlist/net_numbering.h"
#include "netlist/netlist_checks.h"
#include "netlist/netlist_questions.h"
#include "netlist/text_format.h"
#include "platform/program_folder.h"
#include "platform/text_file.h"

namespace vemu::netlist {

using catalogue::GetMsg;
using model::KindSet;
using model::TheLine;
using model::TheNode;

bool IsIntegerText(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= text.size()) return false;
  unsigned long long value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    int digit = -1;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (digit < 0) return false;
    value = value * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFull) return false;
  }
  if (base == 16) return true;  // hexadecimal texts give any 32-bit pattern
  return negative ? value <= 0x80000000ull : value <= 0x7FFFFFFFull;
}

void NetlistBuilder::NumberNets() {
  if (!NumberJunctions(context_.graph, &nodes_)) return;
  context_.host.SetCurrentNode(context_.graph.CurrentNode);
}

BuildEnd NetlistBuilder::BuildNetlist(const std::string& title) {
  model::TheBaseOfGraf& graph = context_.graph;
  const catalogue::Settings& settings = context_.settings;
  context_.listNotPacked = 0;
  lines_.clear();
  graph.Renumber();
  // The title (a file's name) and the extra line are one line each: a line
  // break in them must not put lines of their pieces into the netlist.
  lines_.push_back(platform::oneLine(title));
  if (settings.CheckAdditionalString) lines_.push_back(platform::oneLine(settings.EditAdditionalStr));
  struct MemoOnExit {
    NetlistBuilder& builder;
    ~MemoOnExit() { builder.context_.host.SetMemoLines(builder.lines_); }
  } memoOnExit{*this};
  if (!graph.MainNode) return BuildEnd::Complete;
  NumberNets();
  if (CheckGround(context_)) NumberNets();
  if (settings.CheckDoubleIn && CheckDoublePins(context_, nodes_)) return BuildEnd::StoppedByUser;
  if (!settings.CheckBox1 && CheckEqualNames(context_, nodes_)) return BuildEnd::StoppedByUser;
  // The second build has no connection check.
  const bool checkConnections = model::CurrentModelVariant() != model::ModelVariant::Second;
  if (checkConnections && CheckConnections(context_, nodes_)) return BuildEnd::StoppedByUser;
  SetStoreInCirFlag(nodes_);
  bool stopped = false;
  for (TheNode* n : nodes_)
    if (!n->Upper && WriteElementLines(n)) stopped = true;
  lines_.push_back(".END");
  context_.host.SetMemoCaption(platform::programFolder() + "cir");
  return stopped ? BuildEnd::StoppedByUser : BuildEnd::Complete;
}

bool NetlistBuilder::AskAboutJunction(TheNode* junction) {
  if (IsIntegerText(junction->Name)) return false;
  NetlistQuestions questions(context_, &lines_);
  return questions.AskNetlistProblem(junction, GetMsg(16), GetMsg(17));
}

bool NetlistBuilder::AskAboutElement(TheNode* element) {
  const catalogue::TNodeTypeInfo& type = TypeRecord(context_.types, element->NodeType);
  const model::TheBaseOfGraf& graph = context_.graph;
  NetlistQuestions questions(context_, &lines_);
  if (type.UseInfoLink && graph.CountLinesOfKinds(element, KindSet{model::alControl}) == 0 &&
      questions.AskNetlistProblem(element, GetMsg(43), GetMsg(15)))
    return true;
  if (type.V && element->Value.empty() && questions.AskElementValue(element, GetMsg(38), GetMsg(15)))
    return true;
  const int outs = graph.CountLinesOfKinds(element, KindSet{model::alOutPin});
  if (type.L_out > outs &&
      questions.AskNetlistProblem(element, FormatText("(%d<%d) %s", {outs, type.L_out, GetMsg(13)}),
                                  GetMsg(15)))
    return true;
  const int ins = graph.CountLinesOfKinds(element, KindSet{model::alInPin});
  if (type.L_in > ins &&
      questions.AskNetlistProblem(element, FormatText("(%d<%d) %s", {ins, type.L_in, GetMsg(14)}),
                                  GetMsg(15)))
    return true;
  return false;
}

bool NetlistBuilder::WriteElementLines(TheNode* container) {
  // An explicit stack instead of recursion: deep sub-circuit nesting cannot
  // exhaust the call stack. An element met again (a damaged circuit whose
  // membership runs in a circle or lists a member twice) is passed over, so
  // every element gets one line and every sub-circuit one closing ".X".
  struct Frame {
    TheNode* container;
    const TheLine* next;
  };
  bool stopped = false;
  std::unordered_set<const TheNode*> walked{container};
  std::vector<Frame> stack{{container, container->FirstLine.get()}};
  auto close = [&] {
    stack.pop_back();
    if (!stack.empty()) lines_.push_back(".X");
  };
  while (!stack.empty()) {
    Frame& frame = stack.back();
    const TheLine* l = frame.next;
    if (!l) {
      close();
      continue;
    }
    TheNode* m = l->Node;
    if (l->Kind != model::alHaveItem || !m) {
      frame.next = l->Next.get();
      continue;
    }
    if (!m->IsJunction() && walked.count(m)) {
      frame.next = l->Next.get();
      continue;
    }
    // A question makes m current, which may drop stale pin links of m; the
    // membership link l itself stays, so the walk goes on from it after.
    if (m->IsJunction()) {
      if (AskAboutJunction(m)) {
        stopped = true;
        close();
      } else {
        stack.back().next = l->Next.get();
      }
      continue;
    }
    if (m->IsElement() && m->StoreInCir == 1) {
      if (AskAboutElement(m)) {
        stopped = true;
        close();
        continue;
      }
      lines_.push_back(ElementLine(m, TypeRecord(context_.types, m->NodeType)));
    }
    stack.back().next = l->Next.get();
    walked.insert(m);
    if (m->IsContainer()) stack.push_back({m, m->FirstLine.get()});
  }
  return stopped;
}

}  // namespace vemu::netlist
