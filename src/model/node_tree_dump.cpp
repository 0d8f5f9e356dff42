#include "model/node_tree_dump.h"

#include <unordered_set>

namespace vemu::model {

namespace {

std::string KindLabel(int kind, DumpForm form) {
  switch (kind) {
    case alOutPin:
      return "beg";
    case alInPin:
      return "end";
    case alWire:
      return "n-n";
    case alControl:
      if (form == DumpForm::Full) return "info";
      break;
    default:
      break;
  }
  return std::to_string(kind);
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string NamePart(const TheNode& m) {
  if (m.IsJunction() || m.IsElement() || m.NodeType == ntSubCircuit) return Quoted(m.Name.str());
  if (m.IsText()) return Quoted(m.Value);
  if (m.NodeType == ntRoot) return " SubCircuit ";
  return " noname-" + m.Name.str();
}

class TreeWriter {
 public:
  TreeWriter(TheBaseOfGraf& graph, DumpForm form, const NodeTreeDumpHost& host)
      : graph_(graph), form_(form), host_(host) {}

  std::vector<std::string> Write() {
    lines_.push_back(form_ == DumpForm::Full ? "Position units in Memory" : "\xC3\xF0\xE0\xF4 \xE2 \xEF\xE0\xEC\xFF\xF2\xE8");
    graph_.Renumber();
    graph_.forEachNode([this](const TheNode* n) {
      if (n->Upper || !visited_.insert(n).second) return;
      const std::string code = std::to_string(n->NodeType);
      if (form_ == DumpForm::Full) lines_.push_back("SUBCIRCUIT (" + n->Name.str() + ") #" + code);
      else lines_.push_back("Start Tree " + n->Name.str() + " #" + code);
      WriteMembers(n);
    });
    return std::move(lines_);
  }

 private:
  // One container whose members are being listed; `indent` is its members'.
  struct Level {
    const TheNode* container;
    const TheLine* next;
    std::string indent;
  };

  // The indent of the members `depth` levels down: two blanks a level, up to
  // kDumpIndentLevels levels; deeper ones keep that indent and show their
  // depth as a number, so no line grows with the depth of the circuit.
  static std::string Indent(std::size_t depth) {
    if (depth <= kDumpIndentLevels) return std::string(2 * depth, ' ');
    return std::string(2 * kDumpIndentLevels, ' ') + "<" + std::to_string(depth) + "> ";
  }

  // The members of `top` and everything below them, without recursion.
  void WriteMembers(const TheNode* top) {
    std::vector<Level> stack{{top, top->FirstLine.get(), Indent(0)}};
    while (!stack.empty()) {
      Level& level = stack.back();
      while (level.next && level.next->Kind != alHaveItem) level.next = level.next->Next.get();
      if (!level.next) {
        const TheNode* closed = level.container;
        stack.pop_back();
        if (stack.empty()) break;
        lines_.push_back(stack.back().indent + "}");
        WriteLinks(*closed, stack.back().indent);
        continue;
      }
      const TheNode* m = level.next->Node;
      level.next = level.next->Next.get();
      if (!m || !visited_.insert(m).second) continue;
      const std::string indent = level.indent;  // `level` may move when the stack grows
      lines_.push_back(indent + MemberLine(*m));
      if (m->IsContainer()) {
        lines_.push_back(indent + "{");
        stack.push_back({m, m->FirstLine.get(), Indent(stack.size())});
      } else {
        WriteLinks(*m, indent);
      }
    }
  }

  std::string MemberLine(const TheNode& m) const {
    const std::string code = std::to_string(m.NodeType);
    if (form_ == DumpForm::Second) return "[" + std::to_string(m.Number) + "] " + NamePart(m) + " #" + code;
    std::string line = "[#" + std::to_string(m.Number) + "] " + NamePart(m);
    if (!m.Value.empty()) line += "V=(" + m.Value + ")";
    line += " T=" + code + "-" + host_.TypeDescription(m.NodeType).value_or(std::string());
    if (&m == graph_.CurrentNode) line += " <<<SELECT>>>";
    return line;
  }

  void WriteLinks(const TheNode& m, const std::string& indent) {
    m.forEachLine([&](const TheLine* l) {
      if (l->Kind == alHaveItem) return;
      const std::string target = l->Node ? l->Node->Describe() : std::string("NIL");
      const std::string arrow = " --(" + KindLabel(l->Kind, form_) + ")--> " + target;
      lines_.push_back(form_ == DumpForm::Full ? indent + arrow : indent + " --- " + m.Describe() + arrow);
    });
  }

  TheBaseOfGraf& graph_;
  DumpForm form_;
  const NodeTreeDumpHost& host_;
  std::unordered_set<const TheNode*> visited_;
  std::vector<std::string> lines_;
};

}  // namespace

std::vector<std::string> DumpNodeTree(TheBaseOfGraf& graph, DumpForm form, const NodeTreeDumpHost& host) {
  return TreeWriter(graph, form, host).Write();
}

}  // namespace vemu::model
