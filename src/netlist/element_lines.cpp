#include "netlist/element_lines.h"

#include "platform/text_file.h"

namespace vemu::netlist {

using model::KindSet;
using model::TheLine;
using model::TheNode;

namespace {

const KindSet kOut{model::alOutPin};
const KindSet kIn{model::alInPin};
const KindSet kControl{model::alControl};

int countOf(const TheNode* n, const KindSet& kinds) {
  int count = 0;
  if (n) n->forEachLine([&](TheLine* l) { count += kinds.contains(l->Kind) ? 1 : 0; });
  return count;
}

const TheLine* firstOf(const TheNode* n, const KindSet& kinds) {
  if (!n) return nullptr;
  for (const TheLine* l = n->FirstLine.get(); l; l = l->Next.get())
    if (kinds.contains(l->Kind)) return l;
  return nullptr;
}

// All links of the node of `kinds`, one " %2s" column each.
void appendColumns(std::string& text, const TheNode* n, const KindSet& kinds) {
  AppendLinkNodes(text, countOf(n, kinds), n, kinds);
}

void appendOneLine(std::string& text, const std::string& part) { text += platform::oneLine(part); }

}  // namespace

const catalogue::TNodeTypeInfo& TypeRecord(const catalogue::NodeTypeTable& types, int code) {
  static const catalogue::TNodeTypeInfo kNone;
  if (code < 0 || static_cast<std::size_t>(code) >= types.size()) return kNone;
  return types[static_cast<std::size_t>(code)];
}

void AppendLinkNodes(std::string& text, int count, const TheNode* node, const KindSet& kinds) {
  const TheLine* l = node ? node->FirstLine.get() : nullptr;
  for (int k = 1; k <= count; ++k) {
    while (l && !kinds.contains(l->Kind)) l = l->Next.get();
    if (l && l->Node) {
      const std::string& name = l->Node->Name.str();
      text += ' ';
      if (name.size() < 2) text.append(2 - name.size(), ' ');
      appendOneLine(text, name);
    } else {
      text += "  0";
    }
    if (l) l = l->Next.get();
  }
}

std::string SubCircuitPinList(const TheNode* node) {
  std::string text;
  if (!node) return text;
  node->forEachLine([&](TheLine* l) {
    if (l->Kind != model::alOutPin) return;
    text += ' ';
    if (l->Node) appendOneLine(text, l->Node->Name);
  });
  return text;
}

std::string ElementLine(const TheNode* element, const catalogue::TNodeTypeInfo& type) {
  std::string text;
  appendOneLine(text, element->Name);
  const int code = element->NodeType;
  if (code == model::ntSubCircuit) {
    text += SubCircuitPinList(element);
  } else if (model::IsSignedAmplifierType(code)) {
    text += " 0 ";
    appendColumns(text, element, kOut);
    if (element->Polarity != 0) {
      appendColumns(text, element, kIn);
      text += " 0 ";
    } else {
      text += " 0 ";
      appendColumns(text, element, kIn);
    }
  } else if (model::IsProbeType(code)) {
    text += ' ';
    const TheLine* out = firstOf(element, kOut);
    if (out && out->Node) {
      appendOneLine(text, out->Node->Name);
      text += " 0 ";
    } else {
      text += "? 0 ";
    }
    const TheLine* in = firstOf(element, kIn);
    if (in && in->Node) {
      appendOneLine(text, in->Node->Name);
      text += " 0";
    } else {
      text += "? 0";
    }
  } else {
    appendColumns(text, element, kIn);
    appendColumns(text, element, kOut);
  }
  if (code != model::ntSubCircuit) {
    if (const TheLine* control = firstOf(element, kControl); control && control->Node) {
      appendColumns(text, control->Node, kIn);
      appendColumns(text, control->Node, kOut);
    }
  }
  if (type.V && !element->Value.empty() && element->Name.str().find('?') == std::string::npos) {
    text += "    ";
    appendOneLine(text, element->Value);
  }
  return text;
}

void SetStoreInCirFlag(const std::vector<TheNode*>& nodes) {
  std::vector<TheNode*> controlled;
  for (TheNode* n : nodes) {
    n->StoreInCir = n->IsJunction() ? 0 : 1;
    if (!n->IsElement()) continue;
    if (const TheLine* control = firstOf(n, kControl); control && control->Node) controlled.push_back(control->Node);
  }
  for (TheNode* n : controlled) n->StoreInCir = 0;
}

void SetStoreInCirFlag(model::TheBaseOfGraf& graph) {
  std::vector<TheNode*> nodes;
  graph.forEachNode([&](TheNode* n) { nodes.push_back(n); });
  SetStoreInCirFlag(nodes);
}

}  // namespace vemu::netlist
